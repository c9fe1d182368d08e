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
    void initTestCase();
    void cleanupTestCase();
    void probeFindsListeners();
    void probeMissesCostTheTimeOut_data();
    void probeMissesCostTheTimeOut();
    void scanKeepsOrderAndReportsEveryProbe();
    void scanOfNothing();
    void portIsUsed();
    void eventLoopRunsDuringProbe();
    void nothingIsSent();

private:
    SimulatorProcess m_sim;
};

void TestIPfinder::initTestCase()
{
    QVERIFY2(
        m_sim.start({"--range", "127.0.0.2-127.0.0.5", "--mode", "127.0.0.4=refuse", "--mode", "127.0.0.5=backlog"}),
        m_sim.errorText());
}

void TestIPfinder::cleanupTestCase()
{
    m_sim.stop();
}

void TestIPfinder::probeFindsListeners()
{
    IPfinder finder;
    QCOMPARE(finder.port(), quint16(7000));
    QCOMPARE(finder.timeoutMs(), 250);
    for (const char *ip : {"127.0.0.2", "127.0.0.3"}) {
        const int ms = finder.probe(QString::fromLatin1(ip));
        // A loopback connection completes well within a millisecond; it
        // still counts as found.
        QVERIFY2(ms >= 1 && ms <= 250, qPrintable(QStringLiteral("%1: %2 ms").arg(ip).arg(ms)));
    }
}

void TestIPfinder::probeMissesCostTheTimeOut_data()
{
    QTest::addColumn<QString>("ip");
    QTest::newRow("nobody listens") << "127.0.0.9";
    QTest::newRow("refused") << "127.0.0.4";
    QTest::newRow("accept queue full") << "127.0.0.5";
}

void TestIPfinder::probeMissesCostTheTimeOut()
{
    QFETCH(QString, ip);
    IPfinder finder;
    finder.setTimeoutMs(120);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(finder.probe(ip), -1);
    // A refusal does not end the wait: every miss takes the whole time-out.
    QVERIFY2(clock.elapsed() >= 110, qPrintable(QString::number(clock.elapsed())));
}

void TestIPfinder::scanKeepsOrderAndReportsEveryProbe()
{
    IPfinder finder;
    finder.setTimeoutMs(100);
    QSignalSpy spy(&finder, &IPfinder::sigFoundIP);
    const QStringList addresses{"127.0.0.3", "127.0.0.9", "127.0.0.2", "127.0.0.4"};
    QCOMPARE(finder.scan(addresses), (QStringList{"127.0.0.3", "127.0.0.2"}));
    QCOMPARE(spy.count(), 4);
    const QList<int> percents{0, 25, 50, 75};
    for (int i = 0; i < spy.count(); ++i) {
        QCOMPARE(spy.at(i).at(0).toString(), addresses.at(i));
        QCOMPARE(spy.at(i).at(2).toInt(), percents.at(i));
        const int ms = spy.at(i).at(1).toInt();
        QCOMPARE(ms > 0, i == 0 || i == 2);
    }
}

void TestIPfinder::scanOfNothing()
{
    IPfinder finder;
    QSignalSpy spy(&finder, &IPfinder::sigFoundIP);
    QVERIFY(finder.scan(QStringList()).isEmpty());
    QCOMPARE(spy.count(), 0);
}

void TestIPfinder::portIsUsed()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress("127.0.0.20"), 0));
    IPfinder finder;
    QCOMPARE(finder.probe("127.0.0.20"), -1); // nobody on 7000 there
    finder.setPort(server.serverPort());
    QVERIFY(finder.probe("127.0.0.20") > 0);
}

void TestIPfinder::eventLoopRunsDuringProbe()
{
    IPfinder finder;
    finder.setTimeoutMs(200);
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(20);
    QCOMPARE(finder.probe("127.0.0.9"), -1);
    QVERIFY2(ticks >= 4, qPrintable(QString::number(ticks)));
}

void TestIPfinder::nothingIsSent()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress("127.0.0.21"), 0));
    IPfinder finder;
    finder.setPort(server.serverPort());
    QVERIFY(finder.probe("127.0.0.21") > 0);
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *peer = server.nextPendingConnection();
    // The prober hangs up at once, without a byte.
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(peer->readAll(), QByteArray());
}

ORV_TEST_GUILESS_MAIN(TestIPfinder)
#include "tst_ipfinder.moc"
