#include "net/ipfinder.h"

#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

// The prober against the projector simulator: who counts as found, the
// order of the reports whatever the order of the answers, and the bound on
// probes at once.
class TestIPfinder : public QObject
{
    Q_OBJECT

private slots:
    void scanReportsInListOrder();
    void probesAreBoundedAndSendNothing();
    void connectMs_data();
    void connectMs();
};

void TestIPfinder::scanReportsInListOrder()
{
    SimulatorProcess sim;
    QVERIFY2(sim.start({"--range", "127.0.0.2-127.0.0.5", "--mode", "127.0.0.4=refuse", "--mode", "127.0.0.5=backlog"}),
             sim.errorText());
    IPfinder finder;
    finder.setTimeoutMs(150);
    QSignalSpy spy(&finder, &IPfinder::sigFoundIP);
    QSignalSpy finished(&finder, &IPfinder::sigScanFinished);
    // Nobody listens at .9; .4 refuses; .5's accept queue is full, so the
    // first address settles last.
    const QStringList addresses{"127.0.0.5", "127.0.0.3", "127.0.0.9", "127.0.0.2", "127.0.0.4"};
    QVERIFY(finder.scan(addresses));
    QVERIFY(finder.isScanning());
    QVERIFY(!finder.scan({"127.0.0.2"})); // one scan at a time
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toStringList(), (QStringList{"127.0.0.3", "127.0.0.2"}));
    QCOMPARE(spy.count(), 5);
    for (int i = 0; i < spy.count(); ++i) {
        QCOMPARE(spy.at(i).at(0).toString(), addresses.at(i));
        QCOMPARE(spy.at(i).at(2).toInt(), i * 20);
        const int ms = spy.at(i).at(1).toInt();
        QVERIFY2((ms > 0) == (i == 1 || i == 3) && ms <= 150 && ms != 0, qPrintable(QString::number(ms)));
    }
    // An empty list finishes too, on the next turn.
    QVERIFY(finder.scan({}));
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(finished.at(1).at(0).toStringList(), QStringList());
}

void TestIPfinder::probesAreBoundedAndSendNothing()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress("127.0.0.20"), 0));
    IPfinder finder;
    finder.setPort(server.serverPort());
    QSignalSpy finished(&finder, &IPfinder::sigScanFinished);
    QVERIFY(finder.scan({"127.0.0.20", "127.0.0.20"}));
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toStringList(), (QStringList{"127.0.0.20", "127.0.0.20"}));
    // The prober hangs up at once, without a byte.
    QTRY_VERIFY(server.hasPendingConnections());
    while (QTcpSocket *peer = server.nextPendingConnection()) {
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(peer->readAll(), QByteArray());
    }

    // Connects to a full accept queue hang until the time-out: with two
    // probes at a time, six of them take three time-outs, not one.
    QStringList arguments{"--range", "127.0.0.21-127.0.0.26"};
    for (int i = 21; i <= 26; ++i)
        arguments << "--mode" << QString("127.0.0.%1=backlog").arg(i);
    SimulatorProcess sim;
    QVERIFY2(sim.start(arguments), sim.errorText());
    IPfinder bounded;
    bounded.setTimeoutMs(100);
    bounded.setMaxConcurrent(2);
    QSignalSpy boundedDone(&bounded, &IPfinder::sigScanFinished);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(bounded.scan(IPfinder::candidateRange("127.0.0.0", 26).mid(20)));
    QTRY_COMPARE(boundedDone.count(), 1);
    QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(boundedDone.at(0).at(0).toStringList(), QStringList());
}

void TestIPfinder::connectMs_data()
{
    QTest::addColumn<qint64>("ns");
    QTest::addColumn<int>("ms");
    QTest::newRow("a started millisecond counts") << qint64(1000001) << 2;
    QTest::newRow("capped at the time-out") << qint64(900000000) << 250;
}

void TestIPfinder::connectMs()
{
    QFETCH(qint64, ns);
    QFETCH(int, ms);
    QCOMPARE(IPfinder::connectMs(ns, 250), ms);
}

ORV_TEST_GUILESS_MAIN(TestIPfinder)
#include "tst_ipfinder.moc"
