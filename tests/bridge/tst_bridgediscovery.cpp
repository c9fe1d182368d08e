// Discovery across two hosts: the bridge program runs in a second network
// namespace (10.77.0.2) and this test plays the manager at 10.77.0.1.
#include "tests/bridge/ptypair.h"
#include "tests/common/testenvironment.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QUdpSocket>

#include <memory>

namespace {

QString sandboxScript()
{
    return TestEnvironment::sourceDir() + QStringLiteral("/scripts/sandbox.sh");
}

bool insideSandbox()
{
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &ni : all) {
        if (!ni.flags().testFlag(QNetworkInterface::IsLoopBack) && !ni.name().startsWith(QLatin1String("orv")))
            return false;
    }
    return true;
}

} // namespace

class TestBridgeDiscovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void repliesFromThePeer();
    void otherDatagramGetsNoReply();
    void virtualMachineAdapterIsNeverUsed();

private:
    QByteArray peer(const QStringList &command);
    bool startBridge();
    void stopBridge();
    QList<QNetworkDatagram> requestAndCollect(const QByteArray &request, int waitMs);

    QString peerPid;
    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<QProcess> bridge;
    std::unique_ptr<QUdpSocket> replies;
};

QByteArray TestBridgeDiscovery::peer(const QStringList &command)
{
    QProcess p;
    p.start(sandboxScript(), QStringList{QStringLiteral("peer-exec"), peerPid} + command);
    p.waitForFinished(10000);
    return p.readAllStandardOutput();
}

void TestBridgeDiscovery::initTestCase()
{
    if (!insideSandbox())
        QSKIP("needs the network sandbox of the test run");
    QProcess up;
    up.start(sandboxScript(), {QStringLiteral("peer-up")});
    QVERIFY(up.waitForFinished(10000));
    QCOMPARE(up.exitCode(), 0);
    peerPid = QString::fromLatin1(up.readAllStandardOutput().trimmed());
    QVERIFY(!peerPid.isEmpty());

    // The bridge gets a serial port so that it starts without any message box.
    pty = std::make_unique<PtyPair>(TestEnvironment::root() + QStringLiteral("/pty"));
    QVERIFY2(pty->start(), pty->errorText().constData());
    const QString ini =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brivox/Brivox.ini");
    QDir().mkpath(QFileInfo(ini).absolutePath());
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Default]\nPort=" + pty->bridgeEnd().toLocal8Bit() + "\nBaudRate=115200\n");
    file.close();

    replies = std::make_unique<QUdpSocket>();
    QVERIFY(replies->bind(QHostAddress::AnyIPv4, 35069, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
}

void TestBridgeDiscovery::cleanupTestCase()
{
    stopBridge();
    if (!peerPid.isEmpty())
        QProcess::execute(sandboxScript(), {QStringLiteral("peer-down"), peerPid});
    pty.reset();
}

bool TestBridgeDiscovery::startBridge()
{
    bridge = std::make_unique<QProcess>();
    bridge->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("BRIVOX_SERIAL_PORTS"), pty->bridgeEnd());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
    bridge->setProcessEnvironment(env);
    bridge->start(sandboxScript(), {QStringLiteral("peer-exec"), peerPid, TestEnvironment::binDir() + "/Brivox"});
    if (!bridge->waitForStarted(5000))
        return false;
    // Ready once it takes TCP connections; the discovery receiver is bound
    // by then as well.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000 && bridge->state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress(QStringLiteral("10.77.0.2")), 7000);
        if (probe.waitForConnected(200)) {
            probe.disconnectFromHost();
            QTest::qWait(200);
            return true;
        }
        QTest::qWait(50);
    }
    return false;
}

void TestBridgeDiscovery::stopBridge()
{
    if (!bridge)
        return;
    bridge->terminate();
    if (!bridge->waitForFinished(5000)) {
        bridge->kill();
        bridge->waitForFinished(5000);
    }
    bridge.reset();
}

QList<QNetworkDatagram> TestBridgeDiscovery::requestAndCollect(const QByteArray &request, int waitMs)
{
    QUdpSocket manager;
    manager.bind(QHostAddress(QStringLiteral("10.77.0.1")), 0);
    manager.writeDatagram(request, QHostAddress::Broadcast, 35070);
    QList<QNetworkDatagram> got;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < waitMs) {
        QTest::qWait(10);
        while (replies->hasPendingDatagrams())
            got << replies->receiveDatagram();
    }
    return got;
}

void TestBridgeDiscovery::repliesFromThePeer()
{
    QVERIFY(startBridge());
    const QByteArray link = peer({QStringLiteral("ip"), QStringLiteral("-o"), QStringLiteral("link"),
                                  QStringLiteral("show"), QStringLiteral("orvB")});
    const int at = link.indexOf("link/ether ");
    QVERIFY2(at >= 0, link.constData());
    const QByteArray mac = link.mid(at + 11, 17).toUpper();

    for (int round = 0; round < 2; ++round) {
        const QList<QNetworkDatagram> got = requestAndCollect("?ZZ?", 500);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.first().senderAddress(), QHostAddress(QStringLiteral("10.77.0.2")));
        QCOMPARE(got.first().destinationPort(), 35069);
        QCOMPARE(got.first().data(),
                 "ip=10.77.0.2;mac=" + mac + ";model=KX4410Q;serial=Brivox-" + QByteArray::number(round) + ";");
    }
}

void TestBridgeDiscovery::otherDatagramGetsNoReply()
{
    QVERIFY(bridge);
    QCOMPARE(requestAndCollect("hello", 300).size(), 0);
    const QList<QNetworkDatagram> got = requestAndCollect("..?ZZ?..", 500);
    QCOMPARE(got.size(), 1);
    QVERIFY(got.first().data().endsWith("serial=Brivox-2;"));
}

void TestBridgeDiscovery::virtualMachineAdapterIsNeverUsed()
{
    stopBridge();
    // The peer's only network adapter now looks like a virtual machine's.
    peer({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("orvB"),
          QStringLiteral("down")});
    peer({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("orvB"),
          QStringLiteral("name"), QStringLiteral("VMorvB")});
    peer({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("VMorvB"),
          QStringLiteral("up")});
    peer({QStringLiteral("ip"), QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"),
          QStringLiteral("dev"), QStringLiteral("VMorvB")});
    QVERIFY(peer({QStringLiteral("ip"), QStringLiteral("-o"), QStringLiteral("addr")}).contains("VMorvB"));

    QVERIFY(startBridge());
    const QList<QNetworkDatagram> got = requestAndCollect("?ZZ?", 500);
    QCOMPARE(got.size(), 1);
    QCOMPARE(got.first().data(), QByteArray("ip=???;mac=???;model=KX4410Q;serial=Brivox-0;"));
}

ORV_TEST_GUILESS_MAIN(TestBridgeDiscovery)
#include "tst_bridgediscovery.moc"
