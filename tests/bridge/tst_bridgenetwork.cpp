// The bridge's TCP server and discovery receiver on real sockets (loopback
// inside the test's own network namespace).
#include "bridge/bridgerules.h"
#include "bridge/mytcpserver.h"
#include "bridge/myudprx.h"
#include "tests/bridge/openfilecount.h"
#include "tests/common/testenvironment.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QUdpSocket>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<QTcpSocket> connectClient()
{
    auto client = std::make_unique<QTcpSocket>();
    client->connectToHost(QHostAddress::LocalHost, MyServer::DefaultPort);
    if (!client->waitForConnected(3000))
        return nullptr;
    return client;
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.at(0).toString();
    return out;
}

} // namespace

class TestBridgeNetwork : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void commandIsSimplified();
    void answerReachesServedClient();
    void largeInputArrivesInBoundedReads();
    void replacedConnectionIsClosed();
    void bytesOfReplacedConnectionStillCount();
    void clientLeavingBeforeAnswer();
    void thousandClients();
    void binaryGarbage();
    void secondServerCannotListen();
    void datagramText_data();
    void datagramText();
    void everyDatagramIsReported();

private:
    std::unique_ptr<MyServer> server;
};

void TestBridgeNetwork::init()
{
    server = std::make_unique<MyServer>();
    QVERIFY(server->isListening());
}

void TestBridgeNetwork::cleanup()
{
    server.reset();
}

void TestBridgeNetwork::commandIsSimplified()
{
    QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
    auto client = connectClient();
    QVERIFY(client);
    client->write("   op   model    ?\r\n");
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("op model ?"));
}

void TestBridgeNetwork::answerReachesServedClient()
{
    auto client = connectClient();
    QVERIFY(client);
    QTRY_VERIFY(server->servedConnection());
    server->slotWriteTCP(QByteArray("OP MODEL=KX4410Q\r\n"));
    QTRY_COMPARE(client->bytesAvailable(), qint64(18));
    QCOMPARE(client->readAll(), QByteArray("OP MODEL=KX4410Q\r\n"));
}

void TestBridgeNetwork::largeInputArrivesInBoundedReads()
{
    QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
    auto client = connectClient();
    QVERIFY(client);
    QByteArray payload;
    for (int i = 0; i < 100 * 1024; ++i)
        payload += char('a' + i % 26);
    client->write(payload);
    QString joined;
    QTRY_VERIFY_WITH_TIMEOUT((joined = texts(spy).join(QString())).size() == payload.size(), 10000);
    QCOMPARE(joined.toLatin1(), payload);
    for (const QString &text : texts(spy))
        QVERIFY2(text.size() <= BridgeRules::MaxTcpRead, qPrintable(QString::number(text.size())));
    QVERIFY(spy.count() >= payload.size() / BridgeRules::MaxTcpRead);
}

void TestBridgeNetwork::replacedConnectionIsClosed()
{
    auto first = connectClient();
    QVERIFY(first);
    QTRY_VERIFY(server->servedConnection());
    QSignalSpy firstClosed(first.get(), &QTcpSocket::disconnected);
    auto second = connectClient();
    QVERIFY(second);
    QTRY_COMPARE(firstClosed.count(), 1);
    QTRY_COMPARE(server->connectionCount(), 1);

    // The earlier client's hang-up must not cut off the client being served.
    first->close();
    QTest::qWait(50);
    server->slotWriteTCP(QByteArray("OP STATUS=2\r\n"));
    QTRY_COMPARE(second->bytesAvailable(), qint64(13));
    QCOMPARE(second->readAll(), QByteArray("OP STATUS=2\r\n"));
    QCOMPARE(second->state(), QAbstractSocket::ConnectedState);
}

void TestBridgeNetwork::bytesOfReplacedConnectionStillCount()
{
    QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
    auto first = connectClient();
    QVERIFY(first);
    first->write("op model ?\r\n");
    QVERIFY(first->waitForBytesWritten(1000));
    auto second = connectClient();
    QVERIFY(second);
    second->write("op status ?\r\n");
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(texts(spy), (QStringList{"op model ?", "op status ?"}));
}

void TestBridgeNetwork::clientLeavingBeforeAnswer()
{
    const int baseline = openFileCount();
    QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
    {
        auto client = connectClient();
        QVERIFY(client);
        client->write("op model ?\r\n");
        QVERIFY(client->waitForBytesWritten(1000));
        client->close();
    }
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("op model ?"));
    QTRY_COMPARE(server->connectionCount(), 0);
    QVERIFY(!server->servedConnection());
    server->slotWriteTCP(QByteArray("OP MODEL=KX4410Q\r\n"));
    QTRY_COMPARE(openFileCount(), baseline);

    // The server keeps serving.
    auto next = connectClient();
    QVERIFY(next);
    next->write("op status ?\r\n");
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("op status ?"));
}

void TestBridgeNetwork::thousandClients()
{
    const int baseline = openFileCount();
    QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
    int sent = 0;
    for (int batch = 0; batch < 40; ++batch) {
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < 25; ++i) {
            auto client = connectClient();
            QVERIFY2(client, qPrintable(QStringLiteral("batch %1 client %2").arg(batch).arg(i)));
            // Every fifth client says something before it goes.
            if (i % 5 == 0) {
                client->write("op status ?\r\n");
                client->waitForBytesWritten(1000);
                ++sent;
            }
            clients.push_back(std::move(client));
        }
        // Served: the last one of the batch; the others are being closed.
        QTRY_VERIFY(server->servedConnection() &&
                    server->servedConnection()->peerPort() == clients.back()->localPort());
        QVERIFY(server->connectionCount() <= 25);
        for (auto &client : clients)
            client->abort();
    }
    QTRY_COMPARE_WITH_TIMEOUT(server->connectionCount(), 0, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(openFileCount(), baseline, 10000);
    QCOMPARE(texts(spy).count(QStringLiteral("op status ?")), sent);

    auto last = connectClient();
    QVERIFY(last);
    last->write("op model ?\r\n");
    QTRY_COMPARE(spy.count(), sent + 1);
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("op model ?"));
}

void TestBridgeNetwork::binaryGarbage()
{
    QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
    auto client = connectClient();
    QVERIFY(client);
    QByteArray garbage(4000, '\0');
    QRandomGenerator rng(42);
    for (char &c : garbage)
        c = char(rng.bounded(256));
    client->write(garbage);
    QVERIFY(client->waitForBytesWritten(1000));
    QTRY_VERIFY(spy.count() >= 4);
    QTest::qWait(50);
    spy.clear();
    client->write("op model ?\r\n");
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("op model ?"));
}

void TestBridgeNetwork::secondServerCannotListen()
{
    MyServer second;
    QVERIFY(!second.isListening());
    second.slotWriteTCP(QByteArray("nobody"));
    QCOMPARE(second.connectionCount(), 0);
}

void TestBridgeNetwork::datagramText_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("tail");
    QTest::newRow("request") << QByteArray("?ZZ?") << "?ZZ?";
    QTest::newRow("ends at zero byte") << QByteArray("ab\0?ZZ?", 7) << "ab";
    QTest::newRow("latin1") << QByteArray("caf\xe9") << QString::fromUtf8("café");
    QTest::newRow("empty") << QByteArray() << "";
}

void TestBridgeNetwork::datagramText()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, tail);
    MyUdpRX rx(35070);
    QVERIFY(rx.isBound());
    QSignalSpy spy(&rx, &MyUdpRX::sigSendUDPdata);
    QUdpSocket sender;
    QCOMPARE(sender.writeDatagram(datagram, QHostAddress::LocalHost, 35070), qint64(datagram.size()));
    QTRY_COMPARE(spy.count(), 1);
    const QString text = spy.at(0).at(0).toString();
    const QRegularExpression shape(QStringLiteral("^udp=127\\.0\\.0\\.1;time=\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d;(.*)$"),
                                   QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = shape.match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text));
    QCOMPARE(match.captured(1), tail);
}

void TestBridgeNetwork::everyDatagramIsReported()
{
    MyUdpRX rx(35070);
    // Another program may hold the port as well; both bind.
    MyUdpRX other(35070);
    QVERIFY(rx.isBound());
    QVERIFY(other.isBound());
    QSignalSpy spy(&rx, &MyUdpRX::sigSendUDPdata);
    QUdpSocket sender;
    for (int i = 0; i < 3; ++i)
        sender.writeDatagram(QByteArray("?ZZ?") + QByteArray::number(i),
                             QHostAddress(QStringLiteral("127.255.255.255")), 35070);
    QTRY_COMPARE(spy.count(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY(spy.at(i).at(0).toString().endsWith(QStringLiteral("?ZZ?") + QString::number(i)));
}

ORV_TEST_GUILESS_MAIN(TestBridgeNetwork)
#include "tst_bridgenetwork.moc"
