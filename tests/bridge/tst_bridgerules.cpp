// Rules of the serial bridge that need no window and no socket: command
// texts, local answers, echo recognition, serial line framing, pane entries.
#include "bridge/bridgerules.h"
#include "bridge/echofilter.h"
#include "bridge/paneentry.h"
#include "bridge/seriallineframer.h"
#include "tests/common/testenvironment.h"

#include <QRegularExpression>

class TestBridgeRules : public QObject
{
    Q_OBJECT
private slots:
    void commandText_data();
    void commandText();
    void isOpLine_data();
    void isOpLine();
    void serialCommand_data();
    void serialCommand();
    void localAnswer_data();
    void localAnswer();
    void placeholderSerialNumberHasItsShape();
    void echoFilter_data();
    void echoFilter();
    void echoFilterBeforeAnyWrite();
    void echoFilterStopsAtNul();
    void framerHoldsUnfinishedLine();
    void framerSplitsBurst();
    void framerBoundsLongRuns();
    void framerKeepsBinaryBytes();
    void paneEntryEscapesForeignText_data();
    void paneEntryEscapesForeignText();
    void paneDatagramEntry();
};

void TestBridgeRules::commandText_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QString>("expected");
    QTest::newRow("query with CR LF") << QByteArray("op model ?\r\n") << "op model ?";
    QTest::newRow("query with CR only") << QByteArray("op model ?\r") << "op model ?";
    QTest::newRow("extra blanks") << QByteArray("  op   bright  =   50 \r\n") << "op bright = 50";
    QTest::newRow("tabs inside") << QByteArray("op\tstatus\t?") << "op status ?";
    QTest::newRow("two commands in one read") << QByteArray("op a ?\r\nop b ?\r\n") << "op a ? op b ?";
    QTest::newRow("stops at zero byte") << QByteArray("op mo\0del ?", 11) << "op mo";
    QTest::newRow("zero byte first") << QByteArray("\0op model ?", 11) << "";
    QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << "";
    QTest::newRow("latin1 byte") << QByteArray("op name = caf\xe9") << QString::fromUtf8("op name = café");
    QTest::newRow("empty") << QByteArray() << "";
}

void TestBridgeRules::commandText()
{
    QFETCH(QByteArray, chunk);
    QFETCH(QString, expected);
    QCOMPARE(BridgeRules::commandText(chunk), expected);
}

void TestBridgeRules::isOpLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("lower") << "op model ?" << true;
    QTest::newRow("upper answer") << "OP MODEL=KX4410Q\r\n" << true;
    QTest::newRow("mixed") << "Op status ?" << true;
    QTest::newRow("no blank") << "opmodel ?" << false;
    QTest::newRow("word only") << "op" << false;
    QTest::newRow("other word") << "operate now" << false;
    QTest::newRow("leading blank") << " op model ?" << false;
    QTest::newRow("empty") << "" << false;
}

void TestBridgeRules::isOpLine()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(BridgeRules::isOpLine(text), expected);
}

void TestBridgeRules::serialCommand_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("gets CR LF") << "op model ?" << QByteArray("op model ?\r\n");
    QTest::newRow("keeps CR LF") << "op model ?\r\n" << QByteArray("op model ?\r\n");
    QTest::newRow("CR alone is not enough") << "op model ?\r" << QByteArray("op model ?\r\r\n");
    QTest::newRow("empty") << "" << QByteArray("\r\n");
}

void TestBridgeRules::serialCommand()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, expected);
    QCOMPARE(BridgeRules::serialCommand(line), expected);
}

void TestBridgeRules::localAnswer_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("model") << "op model ?"
                           << "OP MODEL=KX4410Q";
    QTest::newRow("model with CR LF") << "op model ?\r\n"
                                      << "OP MODEL=KX4410Q";
    QTest::newRow("model inside longer text") << "x op model ? y"
                                              << "OP MODEL=KX4410Q";
    QTest::newRow("status") << "op status ?"
                            << "op status =NA";
    QTest::newRow("status with CR LF") << "op status ?\r\n"
                                       << "op status =NA";
    QTest::newRow("upper-case model is not the model query") << "OP MODEL ?"
                                                             << "OP MODEL =NA";
    QTest::newRow("setting keeps its value") << "op bright = 50"
                                             << "op bright = 50=NA";
    QTest::newRow("every question mark goes") << "op a ? op b ?"
                                              << "op a  op b =NA";
    QTest::newRow("not an op command") << "hello"
                                       << "hello=NA";
    QTest::newRow("empty") << ""
                           << "=NA";
}

void TestBridgeRules::localAnswer()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(BridgeRules::localAnswer(line), expected);
}

void TestBridgeRules::placeholderSerialNumberHasItsShape()
{
    const QString answer = BridgeRules::localAnswer(QStringLiteral("op ser.no ?"));
    QVERIFY2(QRegularExpression(QStringLiteral("^OP SER\\.NO=[A-Z]{3}-[0-9]{7}$")).match(answer).hasMatch(),
             qPrintable(answer));
    QCOMPARE(answer, QStringLiteral("OP SER.NO=") + BridgeRules::placeholderSerialNumber());
}

void TestBridgeRules::echoFilter_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("received");
    QTest::addColumn<int>("kind");
    const int echo = int(EchoFilter::Kind::Echo);
    const int answer = int(EchoFilter::Kind::Answer);
    const int other = int(EchoFilter::Kind::Other);
    QTest::newRow("echo of query") << QByteArray("op model ?\r\n") << "op model ?\r\n" << echo;
    QTest::newRow("answer") << QByteArray("op model ?\r\n") << "OP MODEL=KX4410Q\r\n" << answer;
    QTest::newRow("echo with blanks simplified") << QByteArray("op   model ?\r\n") << "op model ?\r\n" << echo;
    QTest::newRow("echo is case-sensitive") << QByteArray("op model ?\r\n") << "OP MODEL ?\r\n" << answer;
    QTest::newRow("answer of another command") << QByteArray("op status ?\r\n") << "op model ?\r\n" << answer;
    QTest::newRow("not op") << QByteArray("op model ?\r\n") << "ERR 3\r\n" << other;
    QTest::newRow("manual command with CR") << QByteArray("op status ?\r") << "op status ?\r\n" << echo;
    QTest::newRow("setting answer") << QByteArray("op bright = 50\r\n") << "OP BRIGHT=50\r\n" << answer;
}

void TestBridgeRules::echoFilter()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, received);
    QFETCH(int, kind);
    EchoFilter filter;
    filter.remember(written);
    QCOMPARE(int(filter.classify(received)), kind);
}

void TestBridgeRules::echoFilterBeforeAnyWrite()
{
    EchoFilter filter;
    QCOMPARE(filter.lastSerialCommand(), QString());
    QCOMPARE(filter.classify(QStringLiteral("OP MODEL=KX4410Q\r\n")), EchoFilter::Kind::Echo);
    QCOMPARE(filter.classify(QStringLiteral("READY\r\n")), EchoFilter::Kind::Other);
}

void TestBridgeRules::echoFilterStopsAtNul()
{
    EchoFilter filter;
    filter.remember(QByteArray("op model ?\r\n\0junk", 17));
    QCOMPARE(filter.lastSerialCommand(), QStringLiteral("op model ?"));
}

void TestBridgeRules::framerHoldsUnfinishedLine()
{
    SerialLineFramer framer;
    framer.append("OP MODEL=KX");
    QVERIFY(!framer.hasLine());
    QCOMPARE(framer.takeLine(), QByteArray());
    framer.append("4410Q\r");
    QVERIFY(!framer.hasLine());
    framer.append("\nOP ST");
    QVERIFY(framer.hasLine());
    QCOMPARE(framer.takeLine(), QByteArray("OP MODEL=KX4410Q\r\n"));
    QVERIFY(!framer.hasLine());
    QCOMPARE(framer.pendingSize(), 5);
}

void TestBridgeRules::framerSplitsBurst()
{
    SerialLineFramer framer;
    framer.append("op model ?\r\nOP MODEL=KX4410Q\r\nop status ?\r\nOP STATUS=2\r\nrest");
    QList<QByteArray> lines;
    while (framer.hasLine())
        lines << framer.takeLine();
    QCOMPARE(lines,
             (QList<QByteArray>{"op model ?\r\n", "OP MODEL=KX4410Q\r\n", "op status ?\r\n", "OP STATUS=2\r\n"}));
    QCOMPARE(framer.pendingSize(), 4);
}

void TestBridgeRules::framerBoundsLongRuns()
{
    SerialLineFramer framer;
    framer.append(QByteArray(SerialLineFramer::MaxLineLength - 1, 'x'));
    QVERIFY(!framer.hasLine());
    framer.append(QByteArray(600, 'y') + "\nz");
    QVERIFY(framer.hasLine());
    bool complete = true;
    const QByteArray first = framer.takeLine(&complete);
    QVERIFY(!complete);
    QCOMPARE(first.size(), SerialLineFramer::MaxLineLength);
    QCOMPARE(first.right(1), QByteArray("y"));
    QVERIFY(framer.hasLine());
    QCOMPARE(framer.takeLine(&complete), QByteArray(599, 'y') + "\n");
    QVERIFY(complete);
    QVERIFY(!framer.hasLine());
    QCOMPARE(framer.takeLine(), QByteArray());
    QCOMPARE(framer.pendingSize(), 1);
    framer.clear();
    QCOMPARE(framer.pendingSize(), 0);
}

void TestBridgeRules::framerKeepsBinaryBytes()
{
    SerialLineFramer framer;
    const QByteArray garbage("\x00\xff\x01\r\x80\n", 6);
    framer.append(garbage);
    QCOMPARE(framer.takeLine(), garbage);
}

void TestBridgeRules::paneEntryEscapesForeignText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "op model ?"
                           << "<font color=\"DarkBlue\">TCP>op model ?</font>";
    QTest::newRow("markup") << "<img src=x><b>bold</b>"
                            << "<font color=\"DarkBlue\">TCP>&lt;img src=x&gt;&lt;b&gt;bold&lt;/b&gt;</font>";
    QTest::newRow("ampersand and quote") << "a&b \"c\""
                                         << "<font color=\"DarkBlue\">TCP>a&amp;b &quot;c&quot;</font>";
}

void TestBridgeRules::paneEntryEscapesForeignText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(PaneEntry::entry(PaneEntry::darkBlue(), QStringLiteral("TCP>"), text), expected);
}

void TestBridgeRules::paneDatagramEntry()
{
    QCOMPARE(PaneEntry::datagram(QStringLiteral("udp=1.2.3.4;time=x;<?ZZ?>")),
             QStringLiteral("<font color=\"DeepPink\"><b>UDP>udp=1.2.3.4;time=x;&lt;?ZZ?&gt;</b></font>"));
    QCOMPARE(PaneEntry::red(), QStringLiteral("<font color=\"Red\">"));
    QCOMPARE(PaneEntry::close(), QStringLiteral("</font>"));
}

ORV_TEST_GUILESS_MAIN(TestBridgeRules)
#include "tst_bridgerules.moc"
