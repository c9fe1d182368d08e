// The bridge's TCP server and discovery receiver on real sockets (loopback of the test's own namespace).
#include "bridge/bridgerules.h"
#include "bridge/mytcpserver.h"
#include "bridge/myudprx.h"
#include "tests/bridge/bridgetest.h"
#include "tests/common/testenvironment.h"

#include <QRegularExpression>
#include <QUdpSocket>

#include <vector>

static QStringList texts(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.at(0).toString();
    return out;
}

class TestBridgeNetwork : public QObject
{
    Q_OBJECT
    std::unique_ptr<MyServer> server;

private slots:
    void init()
    {
        server.reset();
        server = std::make_unique<MyServer>();
        QVERIFY(server->isListening());
    }

    void largeInputArrivesInBoundedReads()
    {
        QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
        auto client = connectClient();
        QVERIFY(client);
        const QByteArray payload = QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(4000);
        client->write(payload);
        QTRY_COMPARE_WITH_TIMEOUT(texts(spy).join(QString()).toLatin1(), payload, 10000);
        for (const QString &text : texts(spy))
            QVERIFY2(text.size() <= BridgeRules::MaxTcpRead, qPrintable(QString::number(text.size())));
    }

    void replacedConnection()
    {
        // The client that connected last is served; the earlier one is closed, but its bytes still count.
        QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
        auto first = connectClient();
        QVERIFY(first);
        QSignalSpy firstClosed(first.get(), &QTcpSocket::disconnected);
        first->write("op model ?\r\n");
        QVERIFY(first->waitForBytesWritten(1000));
        auto second = connectClient();
        QVERIFY(second);
        second->write("op status ?\r\n");
        QTRY_COMPARE(texts(spy), (QStringList{"op model ?", "op status ?"}));
        QTRY_COMPARE(firstClosed.count(), 1);
        QTRY_COMPARE(server->connectionCount(), 1);
        // The earlier client's hang-up must not cut off the one being served.
        first->close();
        QTest::qWait(50);
        server->slotWriteTCP(QByteArray("OP STATUS=2\r\n"));
        QCOMPARE(readAtLeast(second.get(), 13), QByteArray("OP STATUS=2\r\n"));
        QCOMPARE(second->state(), QAbstractSocket::ConnectedState);
    }

    void clientLeavingBeforeAnswer()
    {
        const int baseline = openFileCount();
        QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
        auto client = connectClient();
        QVERIFY(client);
        client->write("op model ?\r\n");
        QVERIFY(client->waitForBytesWritten(1000));
        client.reset();
        QTRY_COMPARE(texts(spy), QStringList{"op model ?"});
        QTRY_COMPARE(server->connectionCount(), 0);
        server->slotWriteTCP(QByteArray("OP MODEL=KX4410Q\r\n"));
        QTRY_COMPARE(openFileCount(), baseline);
    }

    void thousandClients()
    {
        const int baseline = openFileCount();
        for (int batch = 0; batch < 40; ++batch) {
            std::vector<std::unique_ptr<QTcpSocket>> clients;
            for (int i = 0; i < 25; ++i) {
                clients.push_back(connectClient());
                QVERIFY(clients.back());
            }
            QTRY_VERIFY(server->servedConnection() &&
                        server->servedConnection()->peerPort() == clients.back()->localPort());
            for (auto &client : clients)
                client->abort();
        }
        QTRY_COMPARE_WITH_TIMEOUT(server->connectionCount(), 0, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(openFileCount(), baseline, 10000);
    }

    void datagramsWhilePortIsShared()
    {
        MyUdpRX rx(35070);
        MyUdpRX other(35070); // another program may hold the port as well
        QVERIFY(rx.isBound() && other.isBound());
        QSignalSpy spy(&rx, &MyUdpRX::sigSendUDPdata);
        QUdpSocket().writeDatagram(QByteArray("ab\0?ZZ?", 7), QHostAddress(QStringLiteral("127.255.255.255")), 35070);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(texts(spy).first().remove(QRegularExpression(QStringLiteral("time=\\d\\d:\\d\\d:\\d\\d\\.\\d{3};"))),
                 QStringLiteral("udp=127.0.0.1;ab"));
    }
};

ORV_TEST_GUILESS_MAIN(TestBridgeNetwork)
#include "tst_bridgenetwork.moc"
