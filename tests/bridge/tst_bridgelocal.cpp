// The bridge on a computer without any serial port: it answers a few queries
// itself and still answers the discovery broadcast.
#include "bridge/brivoxini.h"
#include "bridge/localaddresses.h"
#include "bridge/mainwindow.h"
#include "bridge/mytcpserver.h"
#include "bridge/settingsdialog.h"
#include "tests/bridge/openfilecount.h"
#include "tests/bridge/ptypair.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"

#include <QAction>
#include <QComboBox>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpSocket>
#include <QUdpSocket>

#include <memory>

namespace {

QByteArray ask(const QByteArray &command, int expectedSize, int waitMs = 3000)
{
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, MyServer::DefaultPort);
    if (!client.waitForConnected(3000))
        return "no connection";
    client.write(command);
    QElapsedTimer timer;
    timer.start();
    while (client.bytesAvailable() < expectedSize && timer.elapsed() < waitMs)
        QTest::qWait(5);
    // Whatever follows the expected answer is a fault.
    QTest::qWait(100);
    return client.readAll();
}

bool insideSandbox()
{
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &ni : all) {
        if (!ni.flags().testFlag(QNetworkInterface::IsLoopBack))
            return false;
    }
    return true;
}

LocalAddresses::Interface iface(const QString &name, const QString &mac, const QString &address)
{
    LocalAddresses::Interface i;
    i.humanReadableName = name;
    i.isUp = true;
    i.hardwareAddress = mac;
    i.addresses << QHostAddress(address);
    return i;
}

} // namespace

class TestBridgeLocal : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void startsWithoutPort();
    void localAnswers_data();
    void localAnswers();
    void discoveryReplies();
    void discoveryWithoutAddress();
    void otherDatagramsAreOnlyLogged();
    void aboutBox();
    void clearButtons();
    void floodAndGarbage();
    void portPluggedInLater();

private:
    QString tcpPane() const
    {
        return window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEditTCP"))->toPlainText();
    }
    QByteArray awaitReply();

    ModalCloser *closer = nullptr;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QUdpSocket> replies;
};

void TestBridgeLocal::initTestCase()
{
    if (!insideSandbox())
        QSKIP("needs the network sandbox of the test run");
    // Broadcasts need a route; inside this private namespace it is loopback.
    QCOMPARE(QProcess::execute(QStringLiteral("ip"), {"route", "add", "default", "dev", "lo"}), 0);
    closer = new ModalCloser(this);
    qputenv("BRIVOX_SERIAL_PORTS", "");
    replies = std::make_unique<QUdpSocket>();
    QVERIFY(replies->bind(QHostAddress::AnyIPv4, 35069, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    window = std::make_unique<MainWindow>();
    window->show();
}

void TestBridgeLocal::cleanupTestCase()
{
    window.reset();
    replies.reset();
}

QByteArray TestBridgeLocal::awaitReply()
{
    QElapsedTimer timer;
    timer.start();
    while (!replies->hasPendingDatagrams() && timer.elapsed() < 3000)
        QTest::qWait(5);
    return replies->hasPendingDatagrams() ? replies->receiveDatagram().data() : QByteArray("no reply");
}

void TestBridgeLocal::startsWithoutPort()
{
    QCOMPARE(closer->titles(), QStringList{QStringLiteral("Serial Port Not Available")});
    QVERIFY(!window->settingsDialog()->portsAvailable());
    QVERIFY(!window->serialPort()->isOpen());
    QCOMPARE(window->windowTitle(), QStringLiteral("Brivox-0.9.1.0 UDPRX@35070/IP@???"));
    QCOMPARE(window->windowTitleBase(), window->windowTitle());
    QCOMPARE(window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEditSerial"))->toPlainText(),
             QStringLiteral("Wait serial connection..."));
    QVERIFY(window->server()->isListening());
    QCOMPARE(window->replyCounter(), 0);
}

void TestBridgeLocal::localAnswers_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("answerPattern");
    QTest::newRow("model") << QByteArray("op model ?\r\n") << "^OP MODEL=KX4410Q$";
    QTest::newRow("model, CR only") << QByteArray("op model ?\r") << "^OP MODEL=KX4410Q$";
    QTest::newRow("serial number") << QByteArray("op ser.no ?\r\n") << "^OP SER\\.NO=[A-Z]{3}-[0-9]{7}$";
    QTest::newRow("status") << QByteArray("op status ?\r\n") << "^op status =NA$";
    QTest::newRow("model in capitals") << QByteArray("OP MODEL ?\r\n") << "^OP MODEL =NA$";
    QTest::newRow("setting") << QByteArray("op  bright  =  50\r\n") << "^op bright = 50=NA$";
    QTest::newRow("not an op command") << QByteArray("hello\r\n") << "^hello=NA$";
}

void TestBridgeLocal::localAnswers()
{
    QFETCH(QByteArray, command);
    QFETCH(QString, answerPattern);
    const QByteArray answer = ask(command, 1);
    QVERIFY2(QRegularExpression(answerPattern).match(QString::fromUtf8(answer)).hasMatch(), answer.constData());
}

void TestBridgeLocal::discoveryReplies()
{
    LocalAddresses::setProvider([]() {
        return QList<LocalAddresses::Interface>{
            iface("VMware Network Adapter VMnet8", "00:50:56:C0:00:08", "192.168.56.1"),
            iface("eth0", "00:1A:2B:3C:4D:5E", "192.168.1.23")};
    });
    QUdpSocket manager;
    const int first = window->replyCounter();
    manager.writeDatagram(QByteArray("?ZZ?"), QHostAddress::LocalHost, 35070);
    QCOMPARE(awaitReply(), QByteArray("ip=192.168.1.23;mac=00:1A:2B:3C:4D:5E;model=KX4410Q;serial=Brivox-") +
                               QByteArray::number(first) + ';');
    manager.writeDatagram(QByteArray("xx?ZZ?yy"), QHostAddress::LocalHost, 35070);
    QCOMPARE(awaitReply(), QByteArray("ip=192.168.1.23;mac=00:1A:2B:3C:4D:5E;model=KX4410Q;serial=Brivox-") +
                               QByteArray::number(first + 1) + ';');
    QCOMPARE(window->replyCounter(), first + 2);
    QVERIFY(
        tcpPane().contains(QStringLiteral(">>>ip=192.168.1.23;mac=00:1A:2B:3C:4D:5E;model=KX4410Q;serial=Brivox-")));
    QVERIFY(QRegularExpression(QStringLiteral("UDP>udp=127\\.0\\.0\\.1;time=\\d\\d:\\d\\d:\\d\\d\\.\\d{3};\\?ZZ\\?"))
                .match(tcpPane())
                .hasMatch());
    LocalAddresses::setProvider({});
}

void TestBridgeLocal::discoveryWithoutAddress()
{
    QUdpSocket manager;
    const int counter = window->replyCounter();
    manager.writeDatagram(QByteArray("?ZZ?"), QHostAddress::LocalHost, 35070);
    QCOMPARE(awaitReply(),
             QByteArray("ip=???;mac=???;model=KX4410Q;serial=Brivox-") + QByteArray::number(counter) + ';');
}

void TestBridgeLocal::otherDatagramsAreOnlyLogged()
{
    QUdpSocket manager;
    const int counter = window->replyCounter();
    manager.writeDatagram(QByteArray("<b>hello</b>"), QHostAddress::LocalHost, 35070);
    QTRY_VERIFY(tcpPane().contains(QStringLiteral(";<b>hello</b>")));
    QTest::qWait(100);
    QVERIFY(!replies->hasPendingDatagrams());
    QCOMPARE(window->replyCounter(), counter);
}

void TestBridgeLocal::aboutBox()
{
    closer->clear();
    window->findChild<QAction *>(QStringLiteral("actionAbout"))->trigger();
    QCOMPARE(closer->titles(), QStringList{QStringLiteral("Brivox ReleaseBuild-") + QLatin1String(__DATE__)});
    const QString text = closer->texts().value(0);
    QVERIFY(text.contains(QStringLiteral("Brivox")));
    QVERIFY(text.contains(QStringLiteral("<br>OS: ")));
    QVERIFY(text.contains(QStringLiteral("<br>IP: ???")));
    QVERIFY(text.endsWith(QStringLiteral("<br>Port: Serial Port")));
}

void TestBridgeLocal::clearButtons()
{
    auto *tcp = window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEditTCP"));
    auto *serial = window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEditSerial"));
    QVERIFY(!tcp->toPlainText().isEmpty());
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("pushButtonClearTCP")), Qt::LeftButton);
    QVERIFY(tcp->toPlainText().isEmpty());
    QVERIFY(!serial->toPlainText().isEmpty());
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("pushButtonClearSerial")), Qt::LeftButton);
    QVERIFY(serial->toPlainText().isEmpty());
}

void TestBridgeLocal::floodAndGarbage()
{
    QTRY_COMPARE(window->server()->connectionCount(), 0);
    const int baseline = openFileCount();
    {
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, MyServer::DefaultPort);
        QVERIFY(client.waitForConnected(3000));
        client.write(QByteArray(100 * 1024, 'x'));
        // Every read of at most 1023 bytes gets its own answer.
        QByteArray answers;
        QElapsedTimer timer;
        timer.start();
        while (answers.count("=NA") * 1023 < 100 * 1024 && timer.elapsed() < 10000) {
            QTest::qWait(10);
            answers += client.readAll();
        }
        QCOMPARE(answers.count('x'), 100 * 1024);
        QVERIFY(answers.count("=NA") >= 101);
        QByteArray garbage(5000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919) % 251);
        client.write(garbage);
        QVERIFY(client.waitForBytesWritten(1000));
        QTest::qWait(100);
    }
    QCOMPARE(ask("op model ?\r\n", 16), QByteArray("OP MODEL=KX4410Q"));
    QTRY_COMPARE(window->server()->connectionCount(), 0);
    QTRY_COMPARE(openFileCount(), baseline);
}

void TestBridgeLocal::portPluggedInLater()
{
    PtyPair pty(TestEnvironment::root() + QStringLiteral("/pty"));
    QVERIFY2(pty.start(), pty.errorText().constData());
    qputenv("BRIVOX_SERIAL_PORTS", pty.bridgeEnd().toLocal8Bit());
    SettingsDialog *dialog = window->settingsDialog();
    auto *ports = dialog->findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox"));
    QCOMPARE(ports->count(), 0);

    // The first Apply finds the new port but still has the stored name.
    closer->clear();
    dialog->apply();
    QVERIFY(dialog->portsAvailable());
    QCOMPARE(closer->titles(), QStringList{QStringLiteral("Error")});
    QVERIFY(!window->serialPort()->isOpen());
    QCOMPARE(ports->count(), 1);

    ports->setCurrentIndex(0);
    dialog->apply();
    QVERIFY(window->serialPort()->isOpen());
    QCOMPARE(window->statusText(), QStringLiteral("Connected to %1 : 115200, 8, None, 1, None").arg(pty.bridgeEnd()));
    QCOMPARE(BrivoxIni().read().port, pty.bridgeEnd());
    // Now the projector answers, not the bridge.
    QCOMPARE(ask("op model ?\r\n", 1, 300), QByteArray());
    window->closeSerialPort();
}

ORV_TEST_MAIN(TestBridgeLocal)
#include "tst_bridgelocal.moc"
