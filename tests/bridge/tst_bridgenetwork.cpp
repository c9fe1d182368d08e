// The bridge's TCP server and discovery receiver on real sockets (loopback of the test's own namespace).
#include "bridge/bridgerules.h"
#include "bridge/mytcpserver.h"
#include "bridge/myudprx.h"
#include "tests/bridge/bridgetest.h"
#include "tests/common/testenvironment.h"

#include <QRegularExpression>
#include <QUdpSocket>

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

    void inputArrivesWhole_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("hangUp");
        // Around the read bound, with the client gone as soon as it has sent.
        for (int size : {BridgeRules::MaxTcpRead, BridgeRules::MaxTcpRead + 1, 6000})
            QTest::addRow("%d bytes, hang-up", size) << size << true;
        QTest::newRow("100 kB, stays") << 104000 << false;
    }

    void inputArrivesWhole()
    {
        QFETCH(int, size);
        QFETCH(bool, hangUp);
        QSignalSpy spy(server.get(), &MyServer::sigSendTCPdata);
        auto client = connectClient();
        QVERIFY(client);
        const QByteArray payload = QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(size / 26 + 1).left(size);
        client->write(payload);
        if (hangUp)
            client->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(texts(spy).join(QString()).size(), size, 10000);
        QCOMPARE(texts(spy).join(QString()).toLatin1(), payload);
        for (const QString &text : texts(spy))
            QVERIFY2(text.size() <= BridgeRules::MaxTcpRead, qPrintable(QString::number(text.size())));
    }

    void halfClosedClient()
    {
        // Still answered after it has stopped sending; given up when no answer comes in time.
        const int baseline = openFileCount();
        for (const QByteArray &answer : {QByteArray("OP MODEL=KX4410Q\r\n"), QByteArray()}) {
            auto client = connectClient();
            QVERIFY(client);
            QSignalSpy closed(client.get(), &QTcpSocket::disconnected);
            client->write("op model ?\r\n");
            QVERIFY(client->flush() && ::shutdown(int(client->socketDescriptor()), SHUT_WR) == 0);
            QTRY_VERIFY(server->isAwaitingHalfClosedAnswer());
            if (!answer.isEmpty())
                server->slotWriteTCP(answer);
            QCOMPARE(readAtLeast(client.get(), answer.size()), answer);
            QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, MyServer::HalfCloseGraceMs + 2000);
        }
        QVERIFY(!server->isAwaitingHalfClosedAnswer());
        QTRY_COMPARE(openFileCount(), baseline);
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
