// Command sessions against the projector simulator and against a bare
// server in the test that sees the exact bytes.
#include "net/mytcpsocket.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"
#include "tests/session/sessionrecorder.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

const quint16 kPort = 7000;
const QString kNormal = QStringLiteral("127.0.0.2");
const QString kSplit = QStringLiteral("127.0.0.3");
const QString kNul = QStringLiteral("127.0.0.4");
const QString kCloseAfterOne = QStringLiteral("127.0.0.5");
const QString kSilent = QStringLiteral("127.0.0.6");
const QString kGarbage = QStringLiteral("127.0.0.7");
const QString kCloseAtOnce = QStringLiteral("127.0.0.8");

// "TCP:abcd Cmd:1 Time:12ms" -> 12, after checking tag and index.
int commandTime(const QString &line, const QString &tag, int index)
{
    static const QRegularExpression pattern(QStringLiteral("^TCP:([0-9a-f]{4}) Cmd:(\\d+) Time:(\\d+)ms$"));
    const QRegularExpressionMatch m = pattern.match(line);
    if (!m.hasMatch() || m.captured(1) != tag || m.captured(2).toInt() != index)
        return -1;
    return m.captured(3).toInt();
}

} // namespace

class TestMyTcpSocket : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void wireImage_data();
    void wireImage();
    void answerText_data();
    void answerText();
    void sessionTimeout();

    void requestsGoOutPacedAndExact_data();
    void requestsGoOutPacedAndExact();
    void threeCommandsInOrder();
    void singleCommandWritesNoEndLines();
    void unsetStartTimeLeavesStampEmpty();
    void splitAnswerCountsAsTwoAnswers();
    void splitAnswerAfterLastCommandIsDropped();
    void zeroByteEndsTheAnswer();
    void binaryJunkIsDeliveredAsLatin1();
    void projectorClosingEarlyReportsSocketError();
    void projectorClosingBeforeAnyAnswer();
    void emptyCommandListEndsAtOnce();
    void ownerGoingAwayEndsTheSession();
    void secondDoConnectIsIgnored();

private:
    SimulatorProcess m_sim;
};

void TestMyTcpSocket::initTestCase()
{
    QVERIFY2(m_sim.start(
                 {QStringLiteral("--range"), QStringLiteral("127.0.0.2-127.0.0.8"), QStringLiteral("--mode"),
                  kSplit + QStringLiteral("=split:300"), QStringLiteral("--mode"), kNul + QStringLiteral("=nul"),
                  QStringLiteral("--mode"), kCloseAfterOne + QStringLiteral("=close:1"), QStringLiteral("--mode"),
                  kSilent + QStringLiteral("=silent"), QStringLiteral("--mode"), kGarbage + QStringLiteral("=garbage"),
                  QStringLiteral("--mode"), kCloseAtOnce + QStringLiteral("=close")}),
             m_sim.errorText());
}

void TestMyTcpSocket::cleanupTestCase()
{
    m_sim.stop();
}

void TestMyTcpSocket::wireImage_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("query") << QStringLiteral("op model ?") << QByteArray("op model ?\r\n");
    QTest::newRow("setting") << QStringLiteral("op bright = 50") << QByteArray("op bright = 50\r\n");
    QTest::newRow("blanks kept") << QStringLiteral(" op  x ") << QByteArray(" op  x \r\n");
    QTest::newRow("latin-1") << QStringLiteral("op name = Zo\u00eb") << QByteArray("op name = Zo\xeb\r\n");
    QTest::newRow("outside latin-1") << QStringLiteral("op name = 5\u20ac") << QByteArray("op name = 5?\r\n");
    QTest::newRow("outside the bmp is one character")
        << QString::fromUcs4(U"op name = \U0001F600!") << QByteArray("op name = ?!\r\n");
    QTest::newRow("empty") << QString() << QByteArray("\r\n");
}

void TestMyTcpSocket::wireImage()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, bytes);
    QCOMPARE(MyTcpSocket::wireImage(command), bytes);
}

void TestMyTcpSocket::answerText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("line end kept") << QByteArray("OP MODEL=KX4410Q\r\n") << QStringLiteral("OP MODEL=KX4410Q\r\n");
    QTest::newRow("zero byte ends it") << QByteArray("OP A=1\0junk\r\n", 13) << QStringLiteral("OP A=1");
    QTest::newRow("leading zero byte") << QByteArray("\0OP A=1", 7) << QString();
    QTest::newRow("high bytes as latin-1") << QByteArray("OP N=\xe9\xff") << QStringLiteral("OP N=\u00e9\u00ff");
    QTest::newRow("two lines stay one answer")
        << QByteArray("OP A=1\r\nOP B=2\r\n") << QStringLiteral("OP A=1\r\nOP B=2\r\n");
}

void TestMyTcpSocket::answerText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(MyTcpSocket::answerText(bytes), text);
}

void TestMyTcpSocket::sessionTimeout()
{
    QCOMPARE(MyTcpSocket::sessionTimeoutMs(0), 3000);
    QCOMPARE(MyTcpSocket::sessionTimeoutMs(1), 4000);
    QCOMPARE(MyTcpSocket::sessionTimeoutMs(4), 7000);
    QCOMPARE(MyTcpSocket::ConnectLimitMs, 6000);
}

void TestMyTcpSocket::requestsGoOutPacedAndExact_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QByteArray>("firstBytes");
    QTest::addColumn<QString>("firstLog");
    QTest::newRow("op model ?, 12 bytes")
        << QStringLiteral("op model ?") << QByteArray("op model ?\r\n") << QStringLiteral(">op model ?");
    QTest::newRow("blanks simplified in the log only")
        << QStringLiteral("op  bright   = 5 ") << QByteArray("op  bright   = 5 \r\n")
        << QStringLiteral(">op bright = 5");
    QTest::newRow("non-latin-1 as ?") << QStringLiteral("op name = \u20ac1") << QByteArray("op name = ?1\r\n")
                                      << QStringLiteral(">op name = \u20ac1");
}

void TestMyTcpSocket::requestsGoOutPacedAndExact()
{
    QFETCH(QString, first);
    QFETCH(QByteArray, firstBytes);
    QFETCH(QString, firstLog);

    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    SessionRecorder rec;
    rec.start(QStringLiteral("127.0.0.1"), server.serverPort(), {first, QStringLiteral("op ser.no ?")});
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *peer = server.nextPendingConnection();
    QTRY_COMPARE(peer->bytesAvailable(), qint64(firstBytes.size()));
    QCOMPARE(peer->readAll(), firstBytes);
    QCOMPARE(rec.withPrefix(QStringLiteral("status:")),
             QStringList{QStringLiteral("%1 bytes written!").arg(firstBytes.size())});

    // The second request waits for the first answer, however long it takes.
    QTest::qWait(300);
    QCOMPARE(peer->bytesAvailable(), qint64(0));
    peer->write("OP X=1\r\n");
    QTRY_COMPARE(peer->bytesAvailable(), qint64(13));
    QCOMPARE(peer->readAll(), QByteArray("op ser.no ?\r\n"));
    peer->write("OP SER.NO=AB\r\n");
    QTRY_VERIFY(rec.finished());
    // The session closes its end after the last answer.
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);

    const QStringList logs = rec.logLines();
    QCOMPARE(logs.first(), firstLog);
    QCOMPARE(logs.at(1), QStringLiteral("<<127.0.0.1"));
    QCOMPARE(logs.at(2), QStringLiteral("<<<OP X=1"));
    // The command clock restarts when the request is written, so the time
    // covers at least the 300 ms the answer was held back.
    QVERIFY2(commandTime(logs.at(3), rec.tag, 0) >= 290, qPrintable(logs.at(3)));
    QCOMPARE(rec.withPrefix(QStringLiteral("cmd:")),
             QStringList({QStringLiteral("127.0.0.1|OP X=1\r\n"), QStringLiteral("127.0.0.1|OP SER.NO=AB\r\n")}));
}

void TestMyTcpSocket::threeCommandsInOrder()
{
    SessionRecorder rec;
    const QStringList commands{QStringLiteral("op model ?"), QStringLiteral("op ser.no ?"),
                               QStringLiteral("op status ?")};
    rec.start(kNormal, kPort, commands, QTime(14, 3, 7, 250));
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);

    QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{4}$")).match(rec.tag).hasMatch());
    const QStringList logs = rec.logLines();
    QCOMPARE(logs.size(), 3 * 4 + 2);
    const QRegularExpression serial(QStringLiteral("^<<<OP SER\\.NO=KXQ\\d{7}$"));
    int total = 0;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(logs.at(4 * i), QLatin1Char('>') + commands.at(i));
        QCOMPARE(logs.at(4 * i + 1), QStringLiteral("<<127.0.0.2"));
        const int ms = commandTime(logs.at(4 * i + 3), rec.tag, i);
        QVERIFY2(ms >= 0, qPrintable(logs.at(4 * i + 3)));
        total += ms;
    }
    QCOMPARE(logs.at(2), QStringLiteral("<<<OP MODEL=KX4410Q"));
    QVERIFY2(serial.match(logs.at(6)).hasMatch(), qPrintable(logs.at(6)));
    QCOMPARE(logs.at(10), QStringLiteral("<<<OP STATUS=0"));
    QCOMPARE(logs.at(12), QStringLiteral("TCP:%1 Cmds:3 TotalTime:%2ms---").arg(rec.tag).arg(total));
    QCOMPARE(logs.at(13), QStringLiteral("--- <END> ---@14:03:07.250"));

    // Per answer: logs, then result text, code 0 and the (ip, answer) pair.
    const QStringList all = rec.texts();
    const QStringList cmds = rec.withPrefix(QStringLiteral("cmd:"));
    QCOMPARE(cmds.size(), 3);
    QCOMPARE(cmds.first(), QStringLiteral("127.0.0.2|OP MODEL=KX4410Q\r\n"));
    const int firstTime = all.indexOf(QLatin1String("log:") + logs.at(3));
    QCOMPARE(all.at(firstTime + 1), QStringLiteral("result:127.0.0.2>\tOP MODEL=KX4410Q\r\n"));
    QCOMPARE(all.at(firstTime + 2), QStringLiteral("timeout:0"));
    QCOMPARE(all.at(firstTime + 3), QStringLiteral("cmd:127.0.0.2|OP MODEL=KX4410Q\r\n"));
    QCOMPARE(rec.count(QStringLiteral("timeout:0")), 3);
    QCOMPARE(rec.withPrefix(QStringLiteral("timeout:")).size(), 3);
    QCOMPARE(rec.count(QStringLiteral("disconnected")), 1);
    QVERIFY(all.indexOf(QStringLiteral("disconnected")) > all.lastIndexOf(QRegularExpression(QStringLiteral("^cmd:"))));

    const QStringList statuses = rec.withPrefix(QStringLiteral("status:"));
    QCOMPARE(statuses.mid(0, 3), QStringList({QStringLiteral("12 bytes written!"), QStringLiteral("13 bytes written!"),
                                              QStringLiteral("13 bytes written!")}));
    QCOMPARE(statuses.last(), QStringLiteral("13 bytes read!")); // "OP STATUS=0\r\n"
    QVERIFY(!rec.texts().join(QLatin1Char('\n')).contains(QLatin1String("Socket Timeout!")));

    // The owner's slotMySocketState follows the connection.
    QVERIFY(rec.states.contains(QAbstractSocket::ConnectedState));
    QCOMPARE(rec.states.last(), QAbstractSocket::UnconnectedState);
}

void TestMyTcpSocket::singleCommandWritesNoEndLines()
{
    SessionRecorder rec;
    rec.start(kNormal, kPort, {QStringLiteral("op errcode ?")}, QTime(1, 2, 3, 4));
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);
    const QStringList logs = rec.logLines();
    QCOMPARE(logs.size(), 4);
    QCOMPARE(logs.at(0), QStringLiteral(">op errcode ?"));
    QCOMPARE(logs.at(2), QStringLiteral("<<<OP ERRCODE=0000"));
    QVERIFY(commandTime(logs.at(3), rec.tag, 0) >= 0);
    QCOMPARE(rec.count(QStringLiteral("disconnected")), 1);
}

void TestMyTcpSocket::unsetStartTimeLeavesStampEmpty()
{
    SessionRecorder rec;
    rec.start(kNormal, kPort, {QStringLiteral("op model ?"), QStringLiteral("op status ?")});
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);
    QCOMPARE(rec.logLines().last(), QStringLiteral("--- <END> ---@"));
}

void TestMyTcpSocket::splitAnswerCountsAsTwoAnswers()
{
    SessionRecorder rec;
    rec.start(kSplit, kPort, {QStringLiteral("op model ?"), QStringLiteral("op ser.no ?")});
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);
    const QStringList answers = rec.withPrefix(QStringLiteral("cmd:127.0.0.3|"));
    QCOMPARE(answers.size(), 2);
    // The second half of the first answer is taken as the second answer.
    QCOMPARE(answers.at(0) + answers.at(1), QStringLiteral("OP MODEL=KX4410Q\r\n"));
    QVERIFY(!answers.at(0).isEmpty());
    QVERIFY(!answers.at(1).contains(QLatin1String("SER.NO")));
    QCOMPARE(rec.logLines().last(), QStringLiteral("--- <END> ---@"));
}

void TestMyTcpSocket::splitAnswerAfterLastCommandIsDropped()
{
    SessionRecorder rec;
    rec.start(kSplit, kPort, {QStringLiteral("op model ?")});
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);
    const QStringList answers = rec.withPrefix(QStringLiteral("cmd:"));
    QCOMPARE(answers.size(), 1);
    const QString piece = answers.first().section(QLatin1Char('|'), 1);
    QVERIFY(!piece.isEmpty());
    QVERIFY2(QStringLiteral("OP MODEL=KX4410Q\r\n").startsWith(piece) && !piece.endsWith(QLatin1String("\r\n")),
             qPrintable(piece));
}

void TestMyTcpSocket::zeroByteEndsTheAnswer()
{
    SessionRecorder rec;
    rec.start(kNul, kPort, {QStringLiteral("op model ?"), QStringLiteral("op status ?")});
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);
    QCOMPARE(rec.withPrefix(QStringLiteral("cmd:")),
             QStringList({QStringLiteral("127.0.0.4|OP MODEL=KX4410Q"), QStringLiteral("127.0.0.4|OP STATUS=0")}));
    // "bytes read!" counts every byte of the read, the junk behind the zero too.
    const int wireSize = QByteArray("OP STATUS=0").size() + 1 + 6 + 2;
    QCOMPARE(rec.withPrefix(QStringLiteral("status:")).last(), QStringLiteral("%1 bytes read!").arg(wireSize));
}

void TestMyTcpSocket::binaryJunkIsDeliveredAsLatin1()
{
    SessionRecorder rec;
    rec.start(kGarbage, kPort, {QStringLiteral("op model ?")});
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);
    const QStringList answers = rec.withPrefix(QStringLiteral("cmd:127.0.0.7|"));
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers.first().size(), 24);
    QCOMPARE(answers.first().toLatin1().size(), 24);
    bool high = false;
    for (const QChar c : answers.first())
        high = high || c.unicode() >= 0x80;
    QVERIFY(high);
}

void TestMyTcpSocket::projectorClosingEarlyReportsSocketError()
{
    SessionRecorder rec;
    rec.start(kCloseAfterOne, kPort,
              {QStringLiteral("op model ?"), QStringLiteral("op ser.no ?"), QStringLiteral("op status ?")},
              QTime(8, 0, 0, 1));
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 3000);
    QCOMPARE(rec.withPrefix(QStringLiteral("cmd:")).size(), 1);
    // Code 0 for the answer, then the socket's error: the remote host closed.
    QCOMPARE(rec.withPrefix(QStringLiteral("timeout:")),
             QStringList({QStringLiteral("0"), QString::number(int(QAbstractSocket::RemoteHostClosedError))}));
    const QStringList logs = rec.logLines();
    QVERIFY2(logs.at(logs.size() - 2).startsWith(QStringLiteral("TCP:%1 Cmds:3 TotalTime:").arg(rec.tag)),
             qPrintable(logs.join(QLatin1Char('\n'))));
    QCOMPARE(logs.last(), QStringLiteral("--- <END> ---@08:00:00.001"));
    QCOMPARE(rec.count(QStringLiteral("disconnected")), 1);
    QCOMPARE(rec.count(QStringLiteral("result:Socket Timeout!")), 0);
}

void TestMyTcpSocket::projectorClosingBeforeAnyAnswer()
{
    SessionRecorder rec;
    rec.start(kCloseAtOnce, kPort, {QStringLiteral("op model ?")});
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 3000);
    QVERIFY(rec.withPrefix(QStringLiteral("cmd:")).isEmpty());
    const QStringList codes = rec.withPrefix(QStringLiteral("timeout:"));
    QCOMPARE(codes.size(), 1);
    QVERIFY(codes.first().toInt() > 0);
    QCOMPARE(rec.logLines(), QStringList{QStringLiteral(">op model ?")});
    QCOMPARE(rec.count(QStringLiteral("disconnected")), 1);
}

void TestMyTcpSocket::emptyCommandListEndsAtOnce()
{
    SessionRecorder rec;
    rec.start(kNormal, kPort, {});
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 2000);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("disconnected")});
}

void TestMyTcpSocket::ownerGoingAwayEndsTheSession()
{
    auto *owner = new SessionRecorder;
    QPointer<MyTcpSocket> session = owner->start(kSilent, kPort, {QStringLiteral("op model ?")});
    QTRY_VERIFY(owner->states.contains(QAbstractSocket::ConnectedState));
    QTRY_COMPARE(owner->logLines().size(), 1);
    delete owner;
    QVERIFY(session.isNull());
    // Nothing of the dead session may fire later (ASan watches this).
    QTest::qWait(200);
}

void TestMyTcpSocket::secondDoConnectIsIgnored()
{
    SessionRecorder rec;
    MyTcpSocket *session = rec.start(kNormal, kPort, {QStringLiteral("op model ?")});
    session->doConnect(kNormal, kPort);
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 5000);
    QCOMPARE(rec.withPrefix(QStringLiteral("cmd:")).size(), 1);
    QCOMPARE(rec.logLines().count(QStringLiteral(">op model ?")), 1);
}

ORV_TEST_GUILESS_MAIN(TestMyTcpSocket)
#include "tst_mytcpsocket.moc"
