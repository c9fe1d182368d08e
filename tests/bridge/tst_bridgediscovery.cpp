// Discovery across two hosts: the bridge program runs in a second network namespace (10.77.0.2) and this
// test plays the manager at 10.77.0.1.
#include "tests/bridge/bridgetest.h"
#include "tests/bridge/ptypair.h"
#include "tests/common/testenvironment.h"

#include <QNetworkDatagram>
#include <QSettings>
#include <QStandardPaths>
#include <QUdpSocket>

class TestBridgeDiscovery : public QObject
{
    Q_OBJECT
    QString peerPid;
    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<QProcess> bridge; // ended by its destructor
    QUdpSocket replies;

    QString sandbox() const { return TestEnvironment::sourceDir() + QStringLiteral("/scripts/sandbox.sh"); }
    // Runs a command, words split at blanks, in the peer namespace.
    QByteArray peer(const QString &command)
    {
        QProcess p;
        p.start(sandbox(), QStringList{QStringLiteral("peer-exec"), peerPid} + command.split(QLatin1Char(' ')));
        p.waitForFinished(10000);
        return p.readAllStandardOutput();
    }
    bool startBridge()
    {
        bridge = std::make_unique<QProcess>();
        bridge->start(sandbox(), {QStringLiteral("peer-exec"), peerPid, TestEnvironment::binDir() + "/Brivox"});
        // Ready once it takes TCP connections; the discovery receiver is bound by then as well.
        QElapsedTimer timer;
        for (timer.start(); timer.elapsed() < 10000 && bridge->waitForStarted(5000); QTest::qWait(50)) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress(QStringLiteral("10.77.0.2")), MyServer::DefaultPort);
            if (probe.waitForConnected(200)) {
                QTest::qWait(200);
                return true;
            }
        }
        return false;
    }
    QList<QNetworkDatagram> requestAndCollect(const QByteArray &request, int waitMs)
    {
        QUdpSocket manager;
        manager.bind(QHostAddress(QStringLiteral("10.77.0.1")), 0);
        manager.writeDatagram(request, QHostAddress::Broadcast, 35070);
        QList<QNetworkDatagram> got;
        QElapsedTimer timer;
        for (timer.start(); timer.elapsed() < waitMs; QTest::qWait(10)) {
            while (replies.hasPendingDatagrams())
                got << replies.receiveDatagram();
        }
        return got;
    }

private slots:
    void initTestCase()
    {
        if (!insideSandbox())
            QSKIP("needs the network sandbox of the test run");
        QProcess up;
        up.start(sandbox(), {QStringLiteral("peer-up")});
        QVERIFY(up.waitForFinished(10000) && up.exitCode() == 0);
        peerPid = QString::fromLatin1(up.readAllStandardOutput().trimmed());
        // The bridge gets a serial port so that it starts without any message box.
        pty = std::make_unique<PtyPair>(TestEnvironment::root() + QStringLiteral("/pty"));
        QVERIFY2(pty->start(), pty->errorText().constData());
        qputenv("BRIVOX_SERIAL_PORTS", pty->bridgeEnd().toLocal8Bit());
        QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                      QStringLiteral("/Brivox/Brivox.ini"),
                  QSettings::IniFormat)
            .setValue(QStringLiteral("Default/Port"), pty->bridgeEnd());
        QVERIFY(replies.bind(QHostAddress::AnyIPv4, 35069, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    }

    void cleanupTestCase()
    {
        bridge.reset();
        if (!peerPid.isEmpty())
            QProcess::execute(sandbox(), {QStringLiteral("peer-down"), peerPid});
    }

    void repliesFromThePeer()
    {
        QVERIFY(startBridge());
        const QByteArray link = peer(QStringLiteral("ip -o link show orvB"));
        const int at = link.indexOf("link/ether ");
        QVERIFY2(at >= 0, link.constData());
        const QByteArray reply =
            "ip=10.77.0.2;mac=" + link.mid(at + 11, 17).toUpper() + ";model=KX4410Q;serial=Brivox-";
        int round = 0;
        for (const QByteArray &request : {QByteArray("?ZZ?"), QByteArray("..?ZZ?..")}) {
            const QList<QNetworkDatagram> got = requestAndCollect(request, 500);
            QCOMPARE(got.size(), 1);
            QCOMPARE(got.first().data(), reply + QByteArray::number(round++) + ';');
        }
    }
};

ORV_TEST_GUILESS_MAIN(TestBridgeDiscovery)
#include "tst_bridgediscovery.moc"
