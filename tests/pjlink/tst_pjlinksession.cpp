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
};

ORV_TEST_GUILESS_MAIN(TestPJLinkSession)
#include "tst_pjlinksession.moc"
