// The discovery reply of the bridge and the choice of the address it names.
#include "bridge/discoveryreply.h"
#include "bridge/localaddresses.h"
#include "tests/common/testenvironment.h"

#include <QNetworkInterface>

using Iface = LocalAddresses::Interface;

namespace {
Iface makeInterface(const QString &name, bool up, const QString &mac, const QStringList &addresses)
{
    Iface iface;
    iface.humanReadableName = name;
    iface.isUp = up;
    iface.hardwareAddress = mac;
    for (const QString &a : addresses)
        iface.addresses << QHostAddress(a);
    return iface;
}
} // namespace

Q_DECLARE_METATYPE(QList<LocalAddresses::Interface>)

class TestDiscoveryReply : public QObject
{
    Q_OBJECT
private slots:
    void isRequest_data();
    void isRequest();
    void build_data();
    void build();
    void destination_data();
    void destination();
    void pick_data();
    void pick();
    void providerReplacesSystemInterfaces();
    void sandboxHasNoUsableAddress();
};

void TestDiscoveryReply::isRequest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("bare request") << "?ZZ?" << true;
    QTest::newRow("as received") << "udp=10.77.0.1;time=12:00:00.000;?ZZ?" << true;
    QTest::newRow("bytes around") << "xx?ZZ?yy" << true;
    QTest::newRow("lower case") << "?zz?" << false;
    QTest::newRow("broken") << "?Z Z?" << false;
    QTest::newRow("a reply") << "ip=1.2.3.4;mac=x;model=KX4410Q;serial=Brivox-0;" << false;
}

void TestDiscoveryReply::isRequest()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(DiscoveryReply::isRequest(text), expected);
}

void TestDiscoveryReply::build_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("first") << "192.168.1.23"
                           << "00:1A:2B:3C:4D:5E" << 0
                           << QByteArray("ip=192.168.1.23;mac=00:1A:2B:3C:4D:5E;model=KX4410Q;serial=Brivox-0;");
    QTest::newRow("later") << "10.77.0.2"
                           << "AA:BB:CC:DD:EE:FF" << 1234
                           << QByteArray("ip=10.77.0.2;mac=AA:BB:CC:DD:EE:FF;model=KX4410Q;serial=Brivox-1234;");
    QTest::newRow("no address") << "???"
                                << "???" << 1 << QByteArray("ip=???;mac=???;model=KX4410Q;serial=Brivox-1;");
}

void TestDiscoveryReply::build()
{
    QFETCH(QString, ip);
    QFETCH(QString, mac);
    QFETCH(int, counter);
    QFETCH(QByteArray, expected);
    QCOMPARE(DiscoveryReply::build(ip, mac, counter), expected);
}

void TestDiscoveryReply::destination_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("directed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("limited") << "192.168.1.23" << false << "255.255.255.255";
    QTest::newRow("directed /24") << "192.168.1.23" << true << "192.168.1.255";
    QTest::newRow("directed other net") << "10.77.0.2" << true << "10.77.0.255";
    QTest::newRow("no address, directed") << "???" << true << "255.255.255.255";
    QTest::newRow("IPv6, directed") << "fe80::1" << true << "255.255.255.255";
}

void TestDiscoveryReply::destination()
{
    QFETCH(QString, ip);
    QFETCH(bool, directed);
    QFETCH(QString, expected);
    QCOMPARE(DiscoveryReply::destination(ip, directed), QHostAddress(expected));
}

void TestDiscoveryReply::pick_data()
{
    QTest::addColumn<QList<Iface>>("interfaces");
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QStringList>("macs");

    const Iface lo = makeInterface("lo", true, "00:00:00:00:00:00", {"127.0.0.1", "::1"});
    const Iface eth = makeInterface("eth0", true, "00:1A:2B:3C:4D:5E", {"fe80::21a:2bff:fe3c:4d5e", "192.168.1.23"});
    const Iface vm = makeInterface("VMware Network Adapter VMnet8", true, "00:50:56:C0:00:08", {"192.168.56.1"});
    const Iface vbox = makeInterface("VirtualBox Host-Only Network", true, "0A:00:27:00:00:0A", {"192.168.99.1"});
    const Iface down = makeInterface("eth1", false, "00:1A:2B:3C:4D:5F", {"10.0.0.7"});
    const Iface bare = makeInterface("eth2", true, "00:1A:2B:3C:4D:60", {});
    const Iface wifi = makeInterface("wlan0", true, "11:22:33:44:55:66", {"172.16.4.9", "172.16.5.9"});
    const QStringList none{"???"};

    QTest::newRow("no interface") << QList<Iface>{} << none << none;
    QTest::newRow("loopback only") << QList<Iface>{lo} << none << none;
    QTest::newRow("ethernet after loopback")
        << QList<Iface>{lo, eth} << QStringList{"192.168.1.23"} << QStringList{"00:1A:2B:3C:4D:5E"};
    QTest::newRow("VM adapter first is passed over")
        << QList<Iface>{vm, eth} << QStringList{"192.168.1.23"} << QStringList{"00:1A:2B:3C:4D:5E"};
    QTest::newRow("VM adapter alone") << QList<Iface>{vm} << none << none;
    QTest::newRow("VM test is case-sensitive")
        << QList<Iface>{vbox} << QStringList{"192.168.99.1"} << QStringList{"0A:00:27:00:00:0A"};
    QTest::newRow("down interface") << QList<Iface>{down} << none << none;
    QTest::newRow("interface without address")
        << QList<Iface>{bare, eth} << QStringList{"192.168.1.23"} << QStringList{"00:1A:2B:3C:4D:5E"};
    QTest::newRow("two addresses, one interface") << QList<Iface>{wifi} << QStringList{"172.16.4.9", "172.16.5.9"}
                                                  << QStringList{"11:22:33:44:55:66", "11:22:33:44:55:66"};
    QTest::newRow("order of the system") << QList<Iface>{wifi, eth}
                                         << QStringList{"172.16.4.9", "172.16.5.9", "192.168.1.23"}
                                         << QStringList{"11:22:33:44:55:66", "11:22:33:44:55:66", "00:1A:2B:3C:4D:5E"};
}

void TestDiscoveryReply::pick()
{
    QFETCH(QList<Iface>, interfaces);
    QFETCH(QStringList, addresses);
    QFETCH(QStringList, macs);
    QCOMPARE(LocalAddresses::pick(LocalAddresses::IPv4Address, interfaces), addresses);
    QCOMPARE(LocalAddresses::pick(LocalAddresses::HardwareAddress, interfaces), macs);
}

void TestDiscoveryReply::providerReplacesSystemInterfaces()
{
    LocalAddresses::setProvider([]() {
        return QList<Iface>{makeInterface("VMnet1", true, "00:50:56:C0:00:01", {"192.168.200.1"}),
                            makeInterface("eth0", true, "00:1A:2B:3C:4D:5E", {"192.168.1.23"})};
    });
    QCOMPARE(LocalAddresses::localAddresses(LocalAddresses::IPv4Address).first(), QStringLiteral("192.168.1.23"));
    QCOMPARE(LocalAddresses::localAddresses(LocalAddresses::HardwareAddress).first(),
             QStringLiteral("00:1A:2B:3C:4D:5E"));
    LocalAddresses::setProvider({});
    QCOMPARE(LocalAddresses::pick(0, LocalAddresses::systemInterfaces()), LocalAddresses::localAddresses(0));
}

void TestDiscoveryReply::sandboxHasNoUsableAddress()
{
    // Each test runs in a namespace of its own with nothing but loopback.
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &ni : all) {
        if (!ni.flags().testFlag(QNetworkInterface::IsLoopBack))
            QSKIP("not inside the network sandbox");
    }
    QCOMPARE(LocalAddresses::localAddresses(LocalAddresses::IPv4Address), QStringList{"???"});
    QCOMPARE(LocalAddresses::localAddresses(LocalAddresses::HardwareAddress), QStringList{"???"});
}

ORV_TEST_GUILESS_MAIN(TestDiscoveryReply)
#include "tst_discoveryreply.moc"
