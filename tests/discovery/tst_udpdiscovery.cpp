#include "net/discoveryreply.h"
#include "net/myudprx.h"
#include "net/udpdiscovery.h"

#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

namespace {

const quint16 RxPort = 35069, TxPort = 35070;

// Sends datagrams to the receive port as a device on the segment would.
void sendReply(const QByteArray &bytes, const QString &from = "127.0.0.2")
{
    QUdpSocket device;
    QVERIFY(device.bind(QHostAddress(from), 0));
    QCOMPARE(device.writeDatagram(bytes, QHostAddress::Broadcast, RxPort), qint64(bytes.size()));
}

} // namespace

// Discovery on loopback inside the sandbox: the request on the wire and
// replies from a hostile peer. The simulated fleet's answers are met in the
// window's discovery flow.
class TestUdpDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void requestLeavesFromTheReceivePort();
    void hostileReplies();
};

void TestUdpDiscovery::requestLeavesFromTheReceivePort()
{
    QUdpSocket device;
    QVERIFY(device.bind(QHostAddress::AnyIPv4, TxPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    UdpDiscovery discovery("127.0.0.1", RxPort, TxPort);
    discovery.startReceiver("239.255.43.21");
    QVERIFY(discovery.receiver()->isBound());
    QSignalSpy received(&discovery, &UdpDiscovery::sigReceived);
    discovery.broadcastRequest();
    QTRY_VERIFY(device.hasPendingDatagrams());
    const QNetworkDatagram request = device.receiveDatagram();
    QCOMPARE(request.data(), QByteArray("?ZZ?"));
    QCOMPARE(request.senderPort(), int(RxPort));
    // The sending socket is gone: a reply to the request's source reaches
    // the receiver.
    QCOMPARE(device.writeDatagram("ip=127.0.0.1;", request.senderAddress(), RxPort), qint64(13));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toString(), QString("UDP:ip=127.0.0.1;"));
}

void TestUdpDiscovery::hostileReplies()
{
    LogCapture log(OrvLogging::WarnLevel);
    UdpDiscovery discovery("127.0.0.1", RxPort, TxPort);
    discovery.startReceiver("239.255.43.21");
    connect(&discovery, &UdpDiscovery::sigReceived, &discovery, &UdpDiscovery::handleReply);
    QSignalSpy received(&discovery, &UdpDiscovery::sigReceived);
    QSignalSpy replies(&discovery, &UdpDiscovery::sigReply);

    sendReply(QByteArray());
    sendReply(QByteArray("ip=127.0.0.7;\0model=X;", 22));
    sendReply(QByteArray(65000, ';') + "ip=127.0.0.8;");
    sendReply("ip=not-an-address;model=X;");
    QTRY_COMPARE(received.count(), 4);
    QCOMPARE(replies.count(), 1);
    QCOMPARE(replies.at(0).mid(0, 2), (QVariantList{"127.0.0.7", QString()})); // model after the NUL
    QCOMPARE(received.at(2).at(0).toString().size(), 4 + DiscoveryReply::MaxReplyBytes);
    QVERIFY(!log.matching({"cut to"}).isEmpty());
    QVERIFY(!log.matching({"without a valid ip ignored"}).isEmpty());

    // A flood: read in slices, every slice on its own turn of the loop.
    received.clear();
    QTimer ticker;
    int run = 0, longestRun = 0;
    connect(&ticker, &QTimer::timeout, [&run] { run = 0; });
    connect(&discovery, &UdpDiscovery::sigReceived, [&run, &longestRun] { longestRun = qMax(longestRun, ++run); });
    ticker.start(0);
    QUdpSocket flooder;
    QVERIFY(flooder.bind(QHostAddress("127.0.0.9"), 0));
    const int sent = 2000;
    for (int i = 0; i < sent; ++i)
        flooder.writeDatagram("ip=127.0.0.9;junk", QHostAddress("127.0.0.1"), RxPort);
    QTRY_VERIFY(received.count() > MyUdpRX::MaxDatagramsPerTurn * 2);
    QTest::qWait(200);
    QVERIFY(received.count() <= sent);
    QVERIFY2(longestRun <= MyUdpRX::MaxDatagramsPerTurn, qPrintable(QString::number(longestRun)));
}

ORV_TEST_GUILESS_MAIN(TestUdpDiscovery)
#include "tst_udpdiscovery.moc"
