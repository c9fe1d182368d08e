#include "net/commanddispatch.h"
#include "net/discoveryreply.h"
#include "net/ipfinder.h"
#include "net/myudprx.h"
#include "net/sessionpool.h"
#include "net/targetsearch.h"
#include "net/udpdiscovery.h"

#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QNetworkDatagram>
#include <QTcpServer>
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
    void scansMergeIntoTheConnectedList();
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
    LogCapture log(OrvLogging::InfoLevel);
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
    // Junk writes no line of its own; the ignored ones are told in one line.
    QCOMPARE(log.matching({"Got UDP"}).size(), 1);
    QCOMPARE(log.matching({"without a valid ip ignored"}).size(), 1);
    QCOMPARE(replies.at(0).mid(0, 2), (QVariantList{"127.0.0.7", QString()})); // model after the NUL
    QCOMPARE(received.at(2).at(0).toString().size(), 4 + DiscoveryReply::MaxReplyBytes);
    QVERIFY(!log.matching({"cut to"}).isEmpty());

    // A flood: every datagram arrives, handed on in slices, every slice on
    // its own turn of the loop.
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
    QTRY_COMPARE(received.count(), sent);
    QVERIFY2(longestRun <= MyUdpRX::MaxDatagramsPerTurn, qPrintable(QString::number(longestRun)));
}

void TestUdpDiscovery::scansMergeIntoTheConnectedList()
{
    QTcpServer projector;
    QVERIFY(projector.listen(QHostAddress("127.0.0.2")));
    CommandDispatch dispatch;
    IPfinder finder;
    finder.setPort(projector.serverPort());
    TargetSearch search(&finder, &dispatch);
    // Known before: one the scan re-checks (gone now), one it does not probe.
    dispatch.setConnectedIPs({"127.0.0.3", "127.0.0.5"});
    QSignalSpy finished(&search, &TargetSearch::sigFinished);
    QVERIFY(search.checkAddresses({"127.0.0.2", "127.0.0.3", "127.0.0.4"}));
    // Discovery hears one of the probed addresses while the scan runs.
    dispatch.addConnectedIP("127.0.0.4");
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(1).toStringList(), QStringList{"127.0.0.2"});
    QCOMPARE(dispatch.connectedIPs(), (QStringList{"127.0.0.5", "127.0.0.4", "127.0.0.2"}));
    // Every probe drew from the dispatcher's pool.
    QVERIFY(dispatch.sessionPool()->peak() >= 1);
}

ORV_TEST_GUILESS_MAIN(TestUdpDiscovery)
#include "tst_udpdiscovery.moc"
