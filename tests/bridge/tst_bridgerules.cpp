// Rules of the serial bridge that need no window and no socket: echo recognition, serial line framing, and
// the address the discovery reply names and where it goes.
#include "bridge/discoveryreply.h"
#include "bridge/echofilter.h"
#include "bridge/localaddresses.h"
#include "bridge/seriallineframer.h"
#include "tests/common/testenvironment.h"

using Iface = LocalAddresses::Interface;
Q_DECLARE_METATYPE(EchoFilter::Kind)

static Iface makeInterface(const QString &name, bool up, const QString &mac, const QStringList &addresses)
{
    Iface iface{name, up, mac, {}};
    for (const QString &a : addresses)
        iface.addresses << QHostAddress(a);
    return iface;
}

class TestBridgeRules : public QObject
{
    Q_OBJECT
private slots:
    void echoFilter_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<EchoFilter::Kind>("kind");
        using K = EchoFilter::Kind;
        // Projectors do not always echo the framing they were sent.
        QTest::newRow("echo ends in LF only") << QByteArray("op model ?\r\n") << QByteArray("op model ?\n") << K::Echo;
        QTest::newRow("echo with a trailing blank") << QByteArray("op bright = 5\r\n") << QByteArray("op bright = 5 \r\n") << K::Echo;
        QTest::newRow("typed with extra blanks") << QByteArray("op  status  ?\r") << QByteArray("op status ?\r\n") << K::Echo;
        QTest::newRow("stops at zero byte") << QByteArray("op model ?\r\n\0junk", 17) << QByteArray("op model ?\r\n") << K::Echo;
        QTest::newRow("nothing written yet") << QByteArray() << QByteArray("OP MODEL=KX4410Q\r\n") << K::Echo;
        QTest::newRow("echo is case-sensitive") << QByteArray("op model ?\r\n") << QByteArray("OP MODEL ?\r\n") << K::Answer;
        // UTF-8 "Å" is C3 85; 0x85 read as Latin-1 would be white space.
        QTest::newRow("bytes above 0x7f") << QByteArray("op name = \xc3\x85ngstr\xc3\xb6m\r\n")
                                          << QByteArray("op name = \xc3\x85ngstr\xc3\xb6m\n") << K::Echo;
        QTest::newRow("not op") << QByteArray("op model ?\r\n") << QByteArray("ERR 3\r\n") << K::Other;
    }

    void echoFilter()
    {
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, received);
        QFETCH(EchoFilter::Kind, kind);
        EchoFilter filter;
        filter.remember(written);
        QCOMPARE(filter.classify(received), kind);
    }

    void framerBound_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArrayList>("lines"); // what comes out; "+" marks a line that ended in its line feed
        constexpr int Max = SerialLineFramer::MaxLineLength;
        const QByteArray x(Max, 'x');
        QTest::newRow("one short of the bound") << x.left(Max - 1) << QByteArrayList{};
        QTest::newRow("at the bound") << x << QByteArrayList{x};
        QTest::newRow("line feed as the last byte in bound") << x.left(Max - 1) + '\n' << QByteArrayList{"+" + x.left(Max - 1) + '\n'};
        QTest::newRow("line feed just past the bound") << x + "\nz" << QByteArrayList{x, "+\n"};
        QTest::newRow("run, then a line") << x + "yy" + "ab\n" << QByteArrayList{x, "+yyab\n"};
    }

    void framerBound()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArrayList, lines);
        SerialLineFramer framer;
        framer.append(input);
        QByteArrayList got;
        while (framer.hasLine()) {
            bool complete = false;
            const QByteArray line = framer.takeLine(&complete);
            got << (complete ? "+" + line : line);
        }
        QCOMPARE(got, lines);
        QCOMPARE(framer.pendingSize() + got.join().size() - got.join().count('+'), input.size());
    }

    void replyDestination()
    {
        // Directed to the /24 network where the system wants it; no network, no direction.
        QCOMPARE(DiscoveryReply::destination("192.168.1.23", false), QHostAddress(QHostAddress::Broadcast));
        QCOMPARE(DiscoveryReply::destination("10.77.0.2", true), QHostAddress(QStringLiteral("10.77.0.255")));
        QCOMPARE(DiscoveryReply::destination("???", true), QHostAddress(QHostAddress::Broadcast));
        QCOMPARE(DiscoveryReply::destination("fe80::1", true), QHostAddress(QHostAddress::Broadcast));
    }

    void addressPick()
    {
        using LA = LocalAddresses;
        const QString ethMac = "00:1A:2B:3C:4D:5E", wifiMac = "11:22:33:44:55:66";
        const Iface lo = makeInterface("lo", true, "00:00:00:00:00:00", {"127.0.0.1", "::1"});
        const Iface eth = makeInterface("eth0", true, ethMac, {"fe80::21a:2bff:fe3c:4d5e", "192.168.1.23"});
        const Iface vm = makeInterface("VMware Network Adapter VMnet8", true, "00:50:56:C0:00:08", {"192.168.56.1"});
        const Iface down = makeInterface("eth1", false, "00:1A:2B:3C:4D:5F", {"10.0.0.7"});
        const Iface bare = makeInterface("eth2", true, "00:1A:2B:3C:4D:60", {});
        const Iface wifi = makeInterface("wlan0", true, wifiMac, {"172.16.4.9", "172.16.5.9"});
        QCOMPARE(LA::pick(LA::IPv4Address, {lo, vm, down, bare}), QStringList{"???"});
        QCOMPARE(LA::pick(LA::HardwareAddress, {lo, vm, down, bare}), QStringList{"???"});
        // Every usable address, in the system's order.
        const QList<Iface> all{vm, bare, wifi, lo, down, eth};
        QCOMPARE(LA::pick(LA::IPv4Address, all), (QStringList{"172.16.4.9", "172.16.5.9", "192.168.1.23"}));
        QCOMPARE(LA::pick(LA::HardwareAddress, all), (QStringList{wifiMac, wifiMac, ethMac}));
    }
};

ORV_TEST_GUILESS_MAIN(TestBridgeRules)
#include "tst_bridgerules.moc"
