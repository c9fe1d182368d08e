#include "net/netlocalinfo.h"
#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QtTest>

using Interface = NetLocalInfo::Interface;
Q_DECLARE_METATYPE(QVector<NetLocalInfo::Interface>)

namespace {

Interface iface(const QString &name, const QString &mac, bool up, bool loopback, const QStringList &addresses)
{
    Interface i;
    i.name = name;
    i.hardwareAddress = mac;
    i.up = up;
    i.loopback = loopback;
    for (const QString &a : addresses)
        i.addresses.append(QHostAddress(a));
    return i;
}

const QString mac1 = QStringLiteral("52:54:00:12:34:56");
const QString mac2 = QStringLiteral("52:54:00:ab:cd:ef");
const QString zeroMac = QStringLiteral("00:00:00:00:00:00");

} // namespace

class TestNetLocalInfo : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void listsStayParallel();
    void logsEveryEntry();
    void hostInterfacesInSandbox();
};

void TestNetLocalInfo::rules_data()
{
    QTest::addColumn<QVector<Interface>>("interfaces");
    QTest::addColumn<QStringList>("mainAddresses");
    QTest::addColumn<QStringList>("dialogAddresses");

    QTest::newRow("single adapter, IPv6 ignored")
        << QVector<Interface>{iface("Ethernet", mac1, true, false, {"192.168.1.10", "fe80::1"})}
        << QStringList{"192.168.1.10"} << QStringList{"192.168.1.10"};
    QTest::newRow("VM in the name") << QVector<Interface>{iface("VMware Network Adapter VMnet8", mac1, true, false,
                                                                {"192.168.56.1"}),
                                                          iface("Ethernet", mac2, true, false, {"10.0.0.2"})}
                                    << QStringList{"10.0.0.2"} << QStringList{"10.0.0.2"};
    QTest::newRow("vm in lower case only") << QVector<Interface>{iface("vmnet1", mac1, true, false, {"172.16.0.1"})}
                                           << QStringList{"172.16.0.1"} << QStringList{"172.16.0.1"};
    QTest::newRow("zero hardware address") << QVector<Interface>{iface("tun0", zeroMac, true, false, {"10.8.0.6"})}
                                           << QStringList() << QStringList{"10.8.0.6"};
    QTest::newRow("down") << QVector<Interface>{iface("Ethernet 2", mac1, false, false, {"10.0.0.9"})} << QStringList()
                          << QStringList();
    QTest::newRow("loopback interface") << QVector<Interface>{iface("lo", zeroMac, true, true,
                                                                    {"127.0.0.1", "10.9.9.9", "::1"})}
                                        << QStringList() << QStringList{"10.9.9.9"};
    QTest::newRow("loopback address on a normal interface")
        << QVector<Interface>{iface("Ethernet", mac1, true, false, {"127.0.0.5", "10.1.1.1"})}
        << QStringList{"127.0.0.5", "10.1.1.1"} << QStringList{"10.1.1.1"};
    QTest::newRow("no addresses") << QVector<Interface>{iface("Ethernet", mac1, true, false, {})} << QStringList()
                                  << QStringList();
    QTest::newRow("IPv4-mapped IPv6 text has a dot")
        << QVector<Interface>{iface("Ethernet", mac1, true, false, {"::ffff:10.1.2.3"})}
        << QStringList{"::ffff:10.1.2.3"} << QStringList();
    QTest::newRow("order of platform kept")
        << QVector<Interface>{iface("Wi-Fi", mac2, true, false, {"192.168.0.20", "192.168.0.21"}),
                              iface("Ethernet", mac1, true, false, {"10.0.0.2"})}
        << QStringList{"192.168.0.20", "192.168.0.21", "10.0.0.2"}
        << QStringList{"192.168.0.20", "192.168.0.21", "10.0.0.2"};
    QTest::newRow("nothing") << QVector<Interface>() << QStringList() << QStringList();
}

void TestNetLocalInfo::rules()
{
    QFETCH(QVector<Interface>, interfaces);
    QFETCH(QStringList, mainAddresses);
    QFETCH(QStringList, dialogAddresses);
    const NetLocalInfo info(interfaces);
    QCOMPARE(info.addresses(), mainAddresses);
    QCOMPARE(info.count(), mainAddresses.size());
    QCOMPARE(NetLocalInfo::configDialogAddresses(interfaces), dialogAddresses);
}

void TestNetLocalInfo::listsStayParallel()
{
    const NetLocalInfo info({iface("Wi-Fi", mac2, true, false, {"192.168.0.20", "fe80::2", "192.168.0.21"}),
                             iface("Hyper-V VM Switch", mac1, true, false, {"172.20.0.1"}),
                             iface("Ethernet", mac1, true, false, {"10.0.0.2"})});
    QCOMPARE(info.names(), (QStringList{"Wi-Fi", "Wi-Fi", "Ethernet"}));
    QCOMPARE(info.addresses(), (QStringList{"192.168.0.20", "192.168.0.21", "10.0.0.2"}));
    QCOMPARE(info.hardwareAddresses(), (QStringList{mac2, mac2, mac1}));
}

void TestNetLocalInfo::logsEveryEntry()
{
    LogCapture log;
    const NetLocalInfo info({iface("Ethernet", mac1, true, false, {"10.0.0.2", "10.0.0.3"}),
                             iface("VMnet", mac2, true, false, {"10.5.0.1"})});
    QCOMPARE(log.messages(),
             (QStringList{quoted(QStringLiteral("Found Local Interface:Ethernet @10.0.0.2 [%1]").arg(mac1)),
                          quoted(QStringLiteral("Found Local Interface:Ethernet @10.0.0.3 [%1]").arg(mac1))}));
    for (const LogCapture::Entry &e : log.entries()) {
        QCOMPARE(e.level, QStringLiteral("DEBUG"));
        QVERIFY(e.origin.contains(QStringLiteral("netlocalinfo.cpp@")));
    }
}

void TestNetLocalInfo::hostInterfacesInSandbox()
{
    // Tests run in a network namespace that has only "lo": nothing usable.
    const QVector<Interface> host = NetLocalInfo::systemInterfaces();
    QVERIFY(!host.isEmpty());
    for (const Interface &i : host)
        QVERIFY2(i.loopback, qPrintable(i.name));
    const NetLocalInfo info;
    QCOMPARE(info.count(), 0);
    QVERIFY(info.names().isEmpty() && info.hardwareAddresses().isEmpty());
    QCOMPARE(NetLocalInfo::configDialogAddresses(), QStringList());
}

ORV_TEST_GUILESS_MAIN(TestNetLocalInfo)
#include "tst_netlocalinfo.moc"
