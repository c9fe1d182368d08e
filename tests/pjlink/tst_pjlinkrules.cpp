#include "monitor/errorcodedictionary.h"
#include "monitor/pjlinkstatuscells.h"
#include "monitor/tablemodelstatus.h"
#include "net/pjlinkauth.h"
#include "net/pjlinkdatagram.h"
#include "net/pjlinkerrorstatus.h"
#include "net/pjlinklamps.h"
#include "net/pjlinkpower.h"
#include "net/pjlinkreply.h"
#include "net/pjlinkrequest.h"
#include "panel/pjlinkpanelstate.h"

#include "tests/common/testenvironment.h"

#include <QtTest>

class TestPJLinkRules : public QObject
{
    Q_OBJECT
private slots:
    void reply_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("summary"); // greeting: random or "-"; answer: class|cmd|value|error
        const auto row = [](const char *name, const QByteArray &line, PJLinkReply::Kind kind, const char *summary) {
            QTest::newRow(name) << line << int(kind) << QString::fromUtf8(summary);
        };
        using K = PJLinkReply::Kind;
        row("open greeting", "PJLINK 0", K::Greeting, "-");
        row("auth greeting", "PJLINK 1 498e4a67", K::Greeting, "498e4a67");
        row("short random", "PJLINK 1 498e4a6", K::Invalid, "");
        row("non-hex random", "PJLINK 1 498e4a6z", K::Invalid, "");
        row("refused digest", "PJLINK ERRA", K::AuthFailed, "");
        row("refused in answer", "%1POWR=ERRA", K::AuthFailed, "");
        row("power", "%1POWR=1", K::Answer, "1|POWR|1|0");
        row("ok", "%2FREZ=OK", K::Answer, "2|FREZ|OK|0");
        row("err1", "%1XXXX=ERR1", K::Answer, "1|XXXX|ERR1|1");
        row("err2", "%1INPT=ERR2", K::Answer, "1|INPT|ERR2|2");
        row("err3", "%1POWR=ERR3", K::Answer, "1|POWR|ERR3|3");
        row("err4", "%1LAMP=ERR4", K::Answer, "1|LAMP|ERR4|4");
        row("utf-8 name", "%2INNM=HDMI \xc3\xa9", K::Answer, "2|INNM|HDMI \xc3\xa9|0");
        row("latin-1 name", "%1NAME=Salle \xe9", K::Answer, "1|NAME|Salle \xc3\xa9|0");
        row("empty value", "%1NAME=", K::Answer, "1|NAME||0");
        row("no equals", "%1POWR 1", K::Invalid, "");
        row("lower-case command", "%1powr=1", K::Invalid, "");
        row("no percent", "#1POWR=1", K::Invalid, "");
        row("class zero", "%0POWR=1", K::Invalid, "");
        row("control byte", QByteArray("%1NAME=a\0b", 10), K::Invalid, "");
        row("longest", "%2NAME=" + QByteArray(128, 'x'), K::Answer, QByteArray("2|NAME|" + QByteArray(128, 'x') + "|0").constData());
        row("too long", "%2NAME=" + QByteArray(129, 'x'), K::Invalid, "");
    }
    void reply()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, kind);
        QFETCH(QString, summary);
        const PJLinkReply reply = PJLinkReply::parse(line);
        QCOMPARE(int(reply.kind()), kind);
        if (reply.kind() == PJLinkReply::Kind::Greeting)
            QCOMPARE(reply.needsAuth() ? QString::fromLatin1(reply.random()) : QStringLiteral("-"), summary);
        if (reply.kind() == PJLinkReply::Kind::Answer) {
            const QString got = QStringList{reply.classDigit(), reply.command(), reply.value(),
                                            QString::number(int(reply.error()))}
                                    .join(QLatin1Char('|'));
            QCOMPARE(got, summary);
        }
    }

    void echo()
    {
        const PJLinkReply reply = PJLinkReply::parse("%2INPT=31");
        QVERIFY(reply.answers(QStringLiteral("%2INPT ?")));
        QVERIFY(!reply.answers(QStringLiteral("%1INPT ?")));
        QVERIFY(!reply.answers(QStringLiteral("%2INST ?")));
    }

    void digest()
    {
        // The example every PJLink projector is tested against.
        QCOMPARE(PJLinkAuth::digest("498e4a67", QStringLiteral("JBMIAProjectorLink")),
                 QByteArray("5d8409bc1c3fa39749434aa3a5c38682"));
        QCOMPARE(PJLinkAuth::prefixed("498e4a67", QStringLiteral("JBMIAProjectorLink"), "%1POWR ?\r"),
                 QByteArray("5d8409bc1c3fa39749434aa3a5c38682%1POWR ?\r"));
    }

    void power_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("code");
        QTest::newRow("standby") << "0" << 0;
        QTest::newRow("on") << "1" << 2;
        QTest::newRow("cooling") << "2" << 3;
        QTest::newRow("warming") << "3" << 1;
        QTest::newRow("four") << "4" << -1;
        QTest::newRow("error text") << "ERR3" << -1;
    }
    void power()
    {
        QFETCH(QString, value);
        QFETCH(int, code);
        QCOMPARE(PJLinkPower::tableCode(value), code);
    }

    void errorStatus_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text"); // empty: invalid
        QTest::newRow("all ok") << "000000" << "OK";
        QTest::newRow("lamp error filter warning") << "020010" << "Lamp error, Filter warning";
        QTest::newRow("fan and other") << "100002" << "Fan warning, Other error";
        QTest::newRow("temperature cover") << "002100" << "Temperature error, Cover warning";
        QTest::newRow("short") << "00000" << "";
        QTest::newRow("digit 3") << "000300" << "";
    }
    void errorStatus()
    {
        QFETCH(QString, value);
        QFETCH(QString, text);
        const PJLinkErrorStatus status = PJLinkErrorStatus::parse(value);
        QCOMPARE(status.isValid(), !text.isEmpty());
        QCOMPARE(status.text(), text);
    }

    void lamps_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("first"); // -1: invalid
        QTest::addColumn<QString>("tip");
        QTest::newRow("one lamp") << "1234 1" << 1234 << "Lamp 1: 1234 h, on";
        QTest::newRow("two lamps") << "20 0 99999 1" << 20 << "Lamp 1: 20 h, off\nLamp 2: 99999 h, on";
        QTest::newRow("odd") << "1234" << -1 << "";
        QTest::newRow("state 2") << "1234 2" << -1 << "";
        QTest::newRow("not a number") << "12a4 1" << -1 << "";
        QTest::newRow("six digits") << "123456 1" << -1 << "";
        QTest::newRow("nine lamps") << QString("1 1 ").repeated(8) + "1 1" << -1 << "";
    }
    void lamps()
    {
        QFETCH(QString, value);
        QFETCH(int, first);
        QFETCH(QString, tip);
        const PJLinkLamps lamps = PJLinkLamps::parse(value);
        QCOMPARE(lamps.firstHours(), first);
        QCOMPARE(lamps.toolTip(), tip);
    }

    void datagram_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("payload"); // mac, or command=value
        using K = PJLinkDatagram::Kind;
        QTest::newRow("ackn") << QByteArray("%2ACKN=00:1a:2B:3c:4d:5e\r") << int(K::Acknowledge) << "00:1a:2B:3c:4d:5e";
        QTest::newRow("lkup") << QByteArray("%2LKUP=00:11:22:33:44:55\r") << int(K::LinkUp) << "00:11:22:33:44:55";
        QTest::newRow("power") << QByteArray("%2POWR=3\r") << int(K::Status) << "POWR=3";
        QTest::newRow("erst") << QByteArray("%2ERST=000020\r") << int(K::Status) << "ERST=000020";
        QTest::newRow("input") << QByteArray("%2INPT=6A\r") << int(K::Status) << "INPT=6A";
        QTest::newRow("mute") << QByteArray("%2AVMT=31\r") << int(K::Status) << "AVMT=31";
        QTest::newRow("no cr") << QByteArray("%2ACKN=00:11:22:33:44:55") << int(K::Invalid) << "";
        QTest::newRow("class 1") << QByteArray("%1ACKN=00:11:22:33:44:55\r") << int(K::Invalid) << "";
        QTest::newRow("bad mac") << QByteArray("%2ACKN=00-11-22-33-44-55\r") << int(K::Invalid) << "";
        QTest::newRow("trailing") << QByteArray("%2ACKN=00:11:22:33:44:55x\r") << int(K::Invalid) << "";
        QTest::newRow("bad power") << QByteArray("%2POWR=4\r") << int(K::Invalid) << "";
        QTest::newRow("short erst") << QByteArray("%2ERST=00002\r") << int(K::Invalid) << "";
        QTest::newRow("bad mute") << QByteArray("%2AVMT=41\r") << int(K::Invalid) << "";
        QTest::newRow("search echo") << PJLinkDatagram::searchRequest() << int(K::Invalid) << "";
        QTest::newRow("other command") << QByteArray("%2NAME=x\r") << int(K::Invalid) << "";
    }
    void datagram()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(int, kind);
        QFETCH(QString, payload);
        const PJLinkDatagram parsed = PJLinkDatagram::parse(datagram);
        QCOMPARE(int(parsed.kind()), kind);
        const QString got = parsed.kind() == PJLinkDatagram::Kind::Status ? parsed.command() + '=' + parsed.value()
                                                                          : parsed.mac();
        QCOMPARE(got, payload);
    }

    void requests()
    {
        QCOMPARE(PJLinkRequest::sweep(0).filter("%2").size(), 0);
        QVERIFY(PJLinkRequest::sweep(0).contains("%1CLSS ?"));
        QCOMPARE(PJLinkRequest::sweep(2).filter("%2").size(), 3);
        QCOMPARE(PJLinkRequest::forClass({"%1POWR ?", "%2SNUM ?"}, 1), QStringList{"%1POWR ?"});
        QCOMPARE(PJLinkRequest::fromConsole(" %1powr  1 "), QStringLiteral("%1POWR 1"));
        QVERIFY(PJLinkRequest::fromConsole("op model ?").isNull());
        QVERIFY(PJLinkRequest::fromConsole("%1POWR?").isNull());
        // The input's name is asked right after the input.
        QCOMPARE(PJLinkStatusCells::followUp(PJLinkReply::parse("%2INPT=6A")), QStringLiteral("%2INNM ?6A"));
        QVERIFY(PJLinkStatusCells::followUp(PJLinkReply::parse("%1INPT=31")).isNull());
    }

    void panelState()
    {
        PJLinkPanelState one(1), two(2);
        QVERIFY(!one.refreshRequests().join(' ').contains("%2") && two.refreshRequests().contains("%2FILT ?"));
        const auto answer = [](PJLinkPanelState &s, const QString &request, const QByteArray &line) {
            return s.take(request, PJLinkReply::parse(line));
        };
        QCOMPARE(answer(one, "%1INST ?", "%1INST=11 31 xx3 31"), QStringList());
        QCOMPARE(one.inputCodes(), QStringList({"11", "31"}));
        QCOMPARE(answer(two, "%2INST ?", "%2INST=31 6A"), QStringList({"%2INNM ?31", "%2INNM ?6A"}));
        answer(two, "%2INNM ?6A", "%2INNM=USB <b>");
        QCOMPARE(two.inputLabel("6A"), QString("6A USB <b>"));
        answer(two, "%1POWR ?", "%1POWR=ERR3");
        QCOMPARE(two.powerText(), QString("Unavailable time (warming up or cooling down)"));
        answer(two, "%1POWR ?", "%1POWR=3");
        QCOMPARE(two.powerText(), QString("Warming up"));
        answer(two, "%1AVMT ?", "%2AVMT=31"); // not the echo of the request
        QCOMPARE(two.muteText(), QString());
        QCOMPARE(one.freezeLine(true) + one.volumeLine(true), QString());
        QCOMPARE(two.volumeLine(true) + one.inputLine("31"), QString("%2SVOL 1%1INPT 31"));
    }

    void statusCells_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        // For the Err cell: what history and alerts compare ("0000", "": no error).
        QTest::addColumn<QString>("reading");
        using T = TableModelStatus;
        QTest::newRow("maker and product") << QByteArrayList{"%1INF1=Acme", "%1INF2=X 9"} << int(T::ModelColumn) << "Acme X 9" << "";
        QTest::newRow("serial") << QByteArrayList{"%2SNUM=AB12"} << int(T::SerialColumn) << "AB12" << "";
        QTest::newRow("cooling") << QByteArrayList{"%1POWR=2"} << int(T::StatusColumn) << "3" << "";
        QTest::newRow("garbled power") << QByteArrayList{"%1POWR=on"} << int(T::StatusColumn) << "No Answer" << "";
        QTest::newRow("erst") << QByteArrayList{"%1ERST=000020"} << int(T::ErrorCodeColumn) << "Filter error" << "Filter error";
        QTest::newRow("short erst") << QByteArrayList{"%1ERST=0002"} << int(T::ErrorCodeColumn) << "No Answer" << "";
        QTest::newRow("lamps") << QByteArrayList{"%1LAMP=300 1 20 0"} << int(T::HoursColumn) << "300" << "";
        QTest::newRow("input named") << QByteArrayList{"%2INPT=32", "%2INNM=HDMI 2"} << int(T::InputColumn) << "32 (HDMI 2)" << "";
        QTest::newRow("signal") << QByteArrayList{"%2IRES=1920x1200"} << int(T::SignalColumn) << "1920x1200" << "";
        QTest::newRow("err4") << QByteArrayList{"%1ERST=ERR4"} << int(T::ErrorCodeColumn) << "Projector failure" << "Projector failure";
        QTest::newRow("erst ok") << QByteArrayList{"%1ERST=000000"} << int(T::ErrorCodeColumn) << "OK" << "0000";
        QTest::newRow("erst while cooling") << QByteArrayList{"%1ERST=ERR3"} << int(T::ErrorCodeColumn)
                                            << "Unavailable time (warming up or cooling down)" << "";
        QTest::newRow("not shown") << QByteArrayList{"%1NAME=Hall"} << -1 << "" << "";
    }
    void statusCells()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(int, column);
        QFETCH(QString, text);
        PJLinkStatusCells cells;
        QVector<PJLinkStatusCells::Cell> last;
        for (const QByteArray &line : lines)
            last = cells.cellsFor(QStringLiteral("10.0.0.1"), PJLinkReply::parse(line));
        QCOMPARE(last.isEmpty() ? -1 : last.first().column, column);
        QCOMPARE(last.isEmpty() ? QString() : last.first().text, text);
        if (column == TableModelStatus::ErrorCodeColumn) {
            QFETCH(QString, reading);
            QCOMPARE(PJLinkStatusCells::errorReading(text), reading);
            // Words are no code of the op dictionary: nothing to explain.
            QCOMPARE(ErrorCodeDictionary::explain(text), QString());
        }
    }
};

ORV_TEST_GUILESS_MAIN(TestPJLinkRules)
#include "tst_pjlinkrules.moc"
