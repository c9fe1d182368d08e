#include "monitor/pjlinkmonitor.h"
#include "monitor/pjlinkscriptroute.h"
#include "monitor/pjlinksearchjoin.h"
#include "automation/scriptedclass.h"
#include "net/commanddispatch.h"
#include "net/ipfinder.h"
#include "net/targetsearch.h"
#include "monitor/tablemodelstatus.h"
#include "net/pjlinkdatagram.h"
#include "net/pjlinkdirectory.h"
#include "net/pjlinkprobe.h"
#include "net/pjlinksession.h"
#include "net/pjlinkwarnonce.h"

#include "tests/common/logcapture.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

// The PJLink session and probe against the simulator's PJLink projectors.
class TestPJLinkSession : public QObject
{
    Q_OBJECT

    struct Recorder
    {
        explicit Recorder(PJLinkSession *session)
        {
            QObject::connect(session, &PJLinkSession::sendLog, [this](const QString &l) { log << l; });
            QObject::connect(session, &PJLinkSession::sigCmdResult,
                             [this](const QString &, const QString &r) { results << r; });
            QObject::connect(session, &PJLinkSession::sigFailed,
                             [this](const QString &, const QString &request, PJLinkSession::Failure f) {
                                 failures << request + QLatin1Char('|') + PJLinkSession::failureText(f);
                             });
        }
        QStringList log;
        QStringList results;
        QStringList failures;
    };

private slots:
    void init() { PJLinkWarnOnce::reset(); }

    void authenticatedConversation()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--pjlink", "2", "--pjlink-password", "JBMIAProjectorLink", "--address", "127.0.0.2",
                            "--pjlink-lamp", "1500,20", "--pjlink-erst", "020010", "--log-requests"}),
                 sim.errorText());
        PJLinkSession session(QStringLiteral("127.0.0.2"));
        session.setPassword(QStringLiteral("JBMIAProjectorLink"));
        Recorder rec(&session);
        session.send({"%1POWR ?", "%1LAMP ?", "%1ERST ?", "%2SNUM ?"});
        QTRY_COMPARE(rec.results.size(), 4);
        QCOMPARE(rec.results.mid(0, 3), (QStringList{"%1POWR=0", "%1LAMP=1500 0 20 0", "%1ERST=020010"}));
        QVERIFY(rec.results.at(3).startsWith(QLatin1String("%2SNUM=")));
        QVERIFY(rec.failures.isEmpty());
        QCOMPARE(session.connectionCount(), 1);
        // The password and its digest stay off every line.
        const QString all = rec.log.join('\n');
        QVERIFY(all.contains(QLatin1String(">%1POWR ?")));
        QVERIFY(!all.contains(QLatin1String("JBMIA")));
        QTRY_VERIFY(sim.standardError().contains("REQ 127.0.0.2 %2SNUM ?"));
    }

    void wrongPasswordFailsOnce()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--pjlink", "1", "--pjlink-password", "secret", "--address", "127.0.0.2"}), sim.errorText());
        LogCapture capture(OrvLogging::WarnLevel);
        PJLinkSession session(QStringLiteral("127.0.0.2"));
        session.setPassword(QStringLiteral("guess"));
        Recorder rec(&session);
        session.send({"%1POWR ?", "%1NAME ?"});
        QTRY_COMPARE(rec.failures.size(), 2);
        QCOMPARE(rec.failures.first(), QStringLiteral("%1POWR ?|Authentication failed"));
        session.send(QStringLiteral("%1POWR ?"));
        QTRY_COMPARE(rec.failures.size(), 3);
        QCOMPARE(session.connectionCount(), 1);
        QCOMPARE(capture.matching({"127.0.0.2", "Authentication failed"}).size(), 1);
        QVERIFY(!capture.lines().join('\n').contains(QLatin1String("guess")));
    }

    void hangUpsAreReconnected_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("pauseMs");
        QTest::newRow("after every answer") << QStringList{"--pjlink-close-after"} << 0;
        QTest::newRow("idle") << QStringList{"--pjlink-idle-ms", "200"} << 600;
        QTest::newRow("one at a time, slow") << QStringList{"--pjlink-single", "--pjlink-delay", "1200"} << 0;
    }
    void hangUpsAreReconnected()
    {
        QFETCH(QStringList, options);
        QFETCH(int, pauseMs);
        SimulatorProcess sim;
        QVERIFY2(sim.start(QStringList{"--pjlink", "1", "--address", "127.0.0.2"} + options), sim.errorText());
        PJLinkSession session(QStringLiteral("127.0.0.2"));
        session.setAnswerTimeoutMs(3000);
        Recorder rec(&session);
        session.send({"%1POWR ?", "%1CLSS ?"});
        QTRY_COMPARE(rec.results.size(), 2);
        QTest::qWait(pauseMs);
        session.send(QStringLiteral("%1INF1 ?"));
        QTRY_COMPARE(rec.results.size(), 3);
        QCOMPARE(rec.results.last(), QStringLiteral("%1INF1=ORVSIM"));
        QVERIFY2(rec.failures.isEmpty(), qPrintable(rec.failures.join(',')));
    }

    void warmUpAnswersErr3()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--pjlink", "1", "--address", "127.0.0.2", "--warmup-ms", "60000"}), sim.errorText());
        PJLinkSession session(QStringLiteral("127.0.0.2"));
        QList<PJLinkReply> replies;
        connect(&session, &PJLinkSession::sigReply, this,
                [&](const QString &, const QString &, const PJLinkReply &r) { replies << r; });
        session.send({"%1POWR 1", "%1POWR 1", "%1POWR ?", "%2SNUM ?"});
        QTRY_COMPARE(replies.size(), 4);
        QVERIFY(replies.at(0).isOk());
        QCOMPARE(replies.at(1).error(), PJLinkReply::Error::UnavailableTime);
        QCOMPARE(replies.at(2).value(), QStringLiteral("3"));
        // A class 1 projector knows no class 2 command.
        QCOMPARE(replies.at(3).error(), PJLinkReply::Error::Undefined);
    }

    void silentProjectorFailsItsQueueOnce()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--pjlink", "1", "--address", "127.0.0.2", "--pjlink-silent", "127.0.0.2"}),
                 sim.errorText());
        PJLinkSession session(QStringLiteral("127.0.0.2"));
        session.setAnswerTimeoutMs(300);
        session.setStartTime(QTime(10, 0, 0));
        Recorder rec(&session);
        session.send({"%1POWR ?", "%1LAMP ?", "%1ERST ?"});
        QTRY_COMPARE(rec.failures.size(), 3);
        QVERIFY(rec.failures.first().endsWith(QLatin1String("|timed out")));
        QCOMPARE(rec.log.filter(QStringLiteral("!127.0.0.2")).size(), 1);
        QCOMPARE(rec.log.last(), QStringLiteral("--- <END>TimeOut ---@10:00:00.000"));
        QCOMPARE(session.connectionCount(), 1);
    }

    void probeAndSearch()
    {
        QUdpSocket listener;
        QVERIFY(listener.bind(QHostAddress::LocalHost, 14352));
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--pjlink", "2", "--pjlink-password", "x", "--pjlink-port", "4352", "--address",
                            "127.0.0.2", "--pjlink-notify", "127.0.0.1:14352", "--warmup-ms", "100"}),
                 sim.errorText());
        PJLinkDirectory directory;
        PJLinkProbe probe(&directory);
        probe.setMaxConcurrent(1);
        QSignalSpy probed(&probe, &PJLinkProbe::sigProbed);
        probe.probe(QStringLiteral("127.0.0.2"));
        probe.probe(QStringLiteral("127.0.0.7")); // nothing listens there
        QTRY_COMPARE(probed.size(), 2);
        QVERIFY(directory.isPJLink(QStringLiteral("127.0.0.2")) && directory.needsAuth(QStringLiteral("127.0.0.2")));
        QVERIFY(directory.isKnown(QStringLiteral("127.0.0.7")) && !directory.isPJLink(QStringLiteral("127.0.0.7")));

        // The link-up notice came at start; a search is answered to its sender.
        QTRY_VERIFY(listener.hasPendingDatagrams());
        const PJLinkDatagram lkup = PJLinkDatagram::parse(listener.receiveDatagram().data());
        QCOMPARE(lkup.kind(), PJLinkDatagram::Kind::LinkUp);
        listener.writeDatagram(PJLinkDatagram::searchRequest(), QHostAddress::LocalHost, 4352);
        QTRY_VERIFY(listener.hasPendingDatagrams());
        const QNetworkDatagram ackn = listener.receiveDatagram();
        QCOMPARE(PJLinkDatagram::parse(ackn.data()).kind(), PJLinkDatagram::Kind::Acknowledge);
        QCOMPARE(PJLinkDatagram::parse(ackn.data()).mac(), lkup.mac());
        QCOMPARE(ackn.senderAddress().toString(), QStringLiteral("127.0.0.2"));

        // Power changes are announced without being asked.
        PJLinkSession session(QStringLiteral("127.0.0.2"));
        session.setPassword(QStringLiteral("x"));
        session.send(QStringLiteral("%1POWR 1"));
        QStringList notices;
        QTRY_VERIFY((notices << QString::fromLatin1(listener.receiveDatagram().data())).contains("%2POWR=1\r"));
        QVERIFY(notices.contains("%2POWR=3\r"));
    }

    void searchFindsPJLinkOnItsOwnPort()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--pjlink", "1", "--address", "127.0.0.2"}), sim.errorText());
        IPfinder finder;
        finder.setPort(9); // no op projector anywhere
        CommandDispatch dispatch;
        TargetSearch search(&finder, &dispatch);
        PJLinkMonitor monitor(nullptr);
        PJLinkSearchJoin join(&monitor, &search, &dispatch);
        QSignalSpy finished(&search, &TargetSearch::sigFinished);
        QVERIFY(search.checkAddresses({"127.0.0.7", "127.0.0.2"}));
        QTRY_VERIFY(dispatch.isConnected(QStringLiteral("127.0.0.2")));
        QTRY_COMPARE(finished.size(), 1);
        // The next scan keeps it among the connected, the silent one not.
        QVERIFY(search.checkAddresses({"127.0.0.7", "127.0.0.2"}));
        QTRY_COMPARE(finished.size(), 2);
        QCOMPARE(dispatch.connectedIPs(), QStringList{"127.0.0.2"});
    }

    void scriptWaitHoldsForPJLinkAnswersBesideOpSessions()
    {
        // A PJLink projector slower than the op projector beside it.
        SimulatorProcess pj;
        QVERIFY2(pj.start({"--pjlink", "1", "--address", "127.0.0.2", "--pjlink-delay", "400"}), pj.errorText());
        SimulatorProcess op;
        QVERIFY2(op.start({"--address", "127.0.0.5"}), op.errorText());
        TableModelStatus model(TableModelStatus::defaultHeaders(), {});
        PJLinkMonitor monitor(&model);
        monitor.sweep({"127.0.0.2"});
        QTRY_VERIFY_WITH_TIMEOUT(monitor.directory()->isPJLink(QStringLiteral("127.0.0.2")) && !monitor.isBusy(), 20000);

        PJLinkScriptRoute route(&monitor);
        CommandDispatch dispatch;
        ScriptedClass orvanto(&dispatch);
        connect(&route, &PJLinkScriptRoute::sigResult, &orvanto, &ScriptedClass::slotTcpCmdResult);
        connect(&route, &PJLinkScriptRoute::sigSettled, &orvanto, &ScriptedClass::routeSettled);
        orvanto.setRoute([&route](const QString &ip, const QStringList &commands) { return route.send(ip, commands); });
        // As a script does it: both sends, one wait, then the result. The
        // op session ends first; the wait still holds for the PJLink answer.
        orvanto.tcpcmd(QStringLiteral("127.0.0.2"), QStringLiteral("%1NAME ?"));
        orvanto.tcpcmd(QStringLiteral("127.0.0.5"), QStringLiteral("op model ?"));
        orvanto.waitTcpClose();
        QVERIFY2(orvanto.tcpresult().contains(QStringLiteral("127.0.0.5>\t")), qPrintable(orvanto.tcpresult()));
        QVERIFY2(orvanto.tcpresult().contains(QStringLiteral("127.0.0.2>\t%1NAME=")), qPrintable(orvanto.tcpresult()));
    }

    void monitorFillsTheTableAndSwitches()
    {
        // .2 class 2 in standby, .3 class 1 already on, .4 speaks no PJLink.
        SimulatorProcess two;
        QVERIFY2(two.start({"--pjlink", "2", "--address", "127.0.0.2", "--pjlink-lamp", "1500,20", "--pjlink-erst",
                            "020010", "--warmup-ms", "100", "--log-requests"}),
                 two.errorText());
        SimulatorProcess one;
        QVERIFY2(one.start({"--pjlink", "1", "--address", "127.0.0.3", "--pjlink-power", "1", "--cooldown-ms",
                            "60000", "--log-requests"}),
                 one.errorText());
        TableModelStatus model(TableModelStatus::defaultHeaders(), {});
        model.resetAddresses({"127.0.0.2", "127.0.0.3", "127.0.0.4"});
        PJLinkMonitor monitor(&model);
        QSignalSpy finished(&monitor, &PJLinkMonitor::sigFinished);
        monitor.sweep({"127.0.0.2", "127.0.0.3", "127.0.0.4"});
        QTRY_VERIFY(!finished.isEmpty() && !monitor.isBusy());
        const auto cells = [&model](int row) {
            QStringList list;
            for (int c = TableModelStatus::ModelColumn; c < TableModelStatus::ColumnCount; ++c) {
                if (c != TableModelStatus::LifeColumn)
                    list << model.cell(row, c);
            }
            return list.join(QLatin1Char('|'));
        };
        QVERIFY2(cells(0).startsWith("ORVSIM PJ2000|PJL"), qPrintable(cells(0)));
        QVERIFY2(cells(0).endsWith("|0|Lamp error, Filter warning|1500|Unavailable time (warming up or cooling down)|-"),
                 qPrintable(cells(0)));
        QCOMPARE(cells(1), QStringLiteral("ORVSIM PJ1000||2|OK|1200|31|"));
        QCOMPARE(cells(2), QStringLiteral("||||||"));
        QCOMPARE(model.index(0, TableModelStatus::HoursColumn).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Lamp 1: 1500 h, off\nLamp 2: 20 h, off"));
        QVERIFY(!one.standardError().contains("%2"));

        // A script's lines, beside a sweep on the same session: only their
        // own answers come back, in the scripts' shape.
        PJLinkScriptRoute route(&monitor);
        QStringList results;
        connect(&route, &PJLinkScriptRoute::sigResult, this, [&results](const QString &r) { results << r; });
        QCOMPARE(route.send(QStringLiteral("127.0.0.4"), {"%1NAME ?"}), -1);
        monitor.sweep({"127.0.0.3"});
        QSignalSpy settled(&route, &PJLinkScriptRoute::sigSettled);
        // The op line is no PJLink line: one answer awaited.
        QCOMPARE(route.send(QStringLiteral("127.0.0.3"), {"%1name ?", "op power.on"}), 1);
        QTRY_VERIFY(!monitor.isBusy());
        QCOMPARE(results.size(), 1);
        QVERIFY2(results.first().startsWith("127.0.0.3>\t%1NAME="), qPrintable(results.first()));
        QCOMPARE(settled.size(), 1);

        // The class 2 projector announces its state at once.
        monitor.notify(QStringLiteral("127.0.0.2"), QStringLiteral("ERST"), QStringLiteral("000000"));
        QCOMPARE(model.cell(0, TableModelStatus::ErrorCodeColumn), QStringLiteral("OK"));
        monitor.notify(QStringLiteral("10.9.9.9"), QStringLiteral("POWR"), QStringLiteral("1"));
        QCOMPARE(monitor.ignoredNotifications(), 1);

        // All On reaches only the projector in standby.
        finished.clear();
        monitor.switchAll(PowerSwitchRule::Direction::On, {"127.0.0.2", "127.0.0.3", "127.0.0.4"});
        QTRY_VERIFY(!finished.isEmpty() && !monitor.isBusy());
        QTRY_VERIFY(two.standardError().contains("REQ 127.0.0.2 %1POWR 1"));
        QVERIFY(!one.standardError().contains("%1POWR 1"));
        // All Off while cooling: ERR3 is reported, not retried.
        QStringList log;
        connect(&monitor, &PJLinkMonitor::sigLog, this, [&log](const QString &l) { log << l; });
        finished.clear();
        monitor.switchAll(PowerSwitchRule::Direction::Off, {"127.0.0.3"});
        monitor.sendLine(QStringLiteral("127.0.0.3"), QStringLiteral("%1powr 0"));
        QTRY_VERIFY(!finished.isEmpty() && !monitor.isBusy());
        QTRY_VERIFY(log.contains(QStringLiteral("<<<%1POWR=ERR3")));
        QVERIFY(!monitor.sendLine(QStringLiteral("127.0.0.3"), QStringLiteral("%2SNUM ?")));
    }
};

ORV_TEST_GUILESS_MAIN(TestPJLinkSession)
#include "tst_pjlinksession.moc"
