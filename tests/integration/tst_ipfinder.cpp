#include "net/ipfinder.h"

#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

// The prober against the projector simulator: who counts as found, what a
// miss costs, and that the event loop keeps running during a probe.
class TestIPfinder : public QObject
{
    Q_OBJECT

private slots:
    void scanFindsListenersInOrder();
    void probeUsesThePortAndSendsNothing();
};

void TestIPfinder::scanFindsListenersInOrder()
{
    SimulatorProcess sim;
    QVERIFY2(sim.start({"--range", "127.0.0.2-127.0.0.5", "--mode", "127.0.0.4=refuse", "--mode", "127.0.0.5=backlog"}),
             sim.errorText());
    IPfinder finder;
    finder.setTimeoutMs(150);
    QSignalSpy spy(&finder, &IPfinder::sigFoundIP);
    QTimer ticker;
    QSignalSpy ticks(&ticker, &QTimer::timeout);
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    // Nobody listens at .9; .4 refuses; .5's accept queue is full.
    const QStringList addresses{"127.0.0.3", "127.0.0.9", "127.0.0.2", "127.0.0.4", "127.0.0.5"};
    QCOMPARE(finder.scan(addresses), (QStringList{"127.0.0.3", "127.0.0.2"}));
    // A refusal does not end the wait: every miss takes the whole time-out,
    // and the event loop runs meanwhile.
    QVERIFY2(clock.elapsed() >= 3 * 140, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(ticks.count() >= 8, qPrintable(QString::number(ticks.count())));
    QCOMPARE(spy.count(), 5);
    for (int i = 0; i < spy.count(); ++i) {
        QCOMPARE(spy.at(i).at(0).toString(), addresses.at(i));
        QCOMPARE(spy.at(i).at(2).toInt(), i * 20);
        // A loopback connect takes well under a millisecond; it still counts.
        const int ms = spy.at(i).at(1).toInt();
        QVERIFY2((ms > 0) == (i == 0 || i == 2) && ms <= 150, qPrintable(QString::number(ms)));
    }
}

void TestIPfinder::probeUsesThePortAndSendsNothing()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress("127.0.0.20"), 0));
    IPfinder finder;
    QCOMPARE(finder.probe("127.0.0.20"), -1); // nobody on 7000 there
    finder.setPort(server.serverPort());
    QVERIFY(finder.probe("127.0.0.20") > 0);
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *peer = server.nextPendingConnection();
    // The prober hangs up at once, without a byte.
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(peer->readAll(), QByteArray());
}

ORV_TEST_GUILESS_MAIN(TestIPfinder)
#include "tst_ipfinder.moc"
