// The bridge with a serial port: a pseudo-terminal pair stands in for the
// cable; on its far end sits either the projector simulator or the test
// itself, playing the projector byte by byte.
#include "bridge/brivoxini.h"
#include "bridge/mainwindow.h"
#include "bridge/mytcpserver.h"
#include "bridge/settingsdialog.h"
#include "tests/bridge/openfilecount.h"
#include "tests/bridge/ptypair.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSerialPort>
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

// Bytes that arrive within the time, on a socket read in the event loop.
QByteArray collect(QIODevice *device, int ms)
{
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QTest::qWait(10);
        got += device->readAll();
    }
    return got;
}

QByteArray garbage(int size, quint32 seed)
{
    // No 'o'/'O', so that no random line can look like an op answer.
    QRandomGenerator rng(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes) {
        do
            c = char(rng.bounded(256));
        while (c == 'o' || c == 'O');
    }
    return bytes;
}

} // namespace

// Waits for the expected bytes on device, then checks that exactly these came.
#define EXPECT_BYTES(device, expected)                                                                                 \
    do {                                                                                                               \
        const QByteArray wanted_ = (expected);                                                                         \
        QTRY_VERIFY((device)->bytesAvailable() >= wanted_.size());                                                     \
        QCOMPARE((device)->readAll(), wanted_);                                                                        \
    } while (0)

class TestBridgeSerial : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void answerLineIsPassedUnchanged();
    void simulatorModes_data();
    void simulatorModes();
    void bytesReachingTheProjector();
    void echoAndAnswersInOneBurst();
    void unterminatedSerialLine();
    void nonOpLinesAreOnlyShown();
    void foreignMarkupIsShownAsText();
    void serialGarbage();
    void manualCommandLine();
    void settingsApplyReopensPort();
    void missingPortFailsToOpen();
    void portVanishesUnderTheBridge();
    void tcpFaultsLeaveNothingBehind();

private:
    bool startWindow();
    bool startSimulator(const QStringList &extra = {});
    bool openProjectorEnd();
    QByteArray askSimulated(const QByteArray &command, int expectedSize, int waitMs = 5000);
    QString tcpPane() const;
    QString serialPane() const;

    ModalCloser *closer = nullptr;
    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<SimulatorProcess> sim;
    std::unique_ptr<QSerialPort> projector;
    std::unique_ptr<MainWindow> window;
};

void TestBridgeSerial::initTestCase()
{
    closer = new ModalCloser(this);
}

void TestBridgeSerial::init()
{
    pty = std::make_unique<PtyPair>(TestEnvironment::root() + QStringLiteral("/pty"));
    QVERIFY2(pty->start(), pty->errorText().constData());
    qputenv("BRIVOX_SERIAL_PORTS", pty->bridgeEnd().toLocal8Bit());
    BrivoxIni::Values values;
    values.port = pty->bridgeEnd();
    values.baudRate = QStringLiteral("115200");
    values.parity = QStringLiteral("None");
    QVERIFY(BrivoxIni().write(values));
    closer->clear();
}

void TestBridgeSerial::cleanup()
{
    window.reset();
    projector.reset();
    sim.reset();
    pty.reset();
}

bool TestBridgeSerial::startWindow()
{
    window = std::make_unique<MainWindow>();
    window->show();
    return window->serialPort()->isOpen();
}

bool TestBridgeSerial::startSimulator(const QStringList &extra)
{
    sim = std::make_unique<SimulatorProcess>();
    const bool ok = sim->start(QStringList{QStringLiteral("--serial"), pty->projectorEnd()} + extra);
    if (!ok)
        qWarning() << sim->errorText();
    return ok;
}

bool TestBridgeSerial::openProjectorEnd()
{
    projector = std::make_unique<QSerialPort>();
    projector->setPortName(pty->projectorEnd());
    return projector->open(QIODevice::ReadWrite);
}

QByteArray TestBridgeSerial::askSimulated(const QByteArray &command, int expectedSize, int waitMs)
{
    auto client = connectClient();
    if (!client)
        return "no connection";
    client->write(command);
    QElapsedTimer timer;
    timer.start();
    while (client->bytesAvailable() < expectedSize && timer.elapsed() < waitMs)
        QTest::qWait(5);
    // Anything behind the expected answer would be a fault: wait a little.
    return client->readAll() + collect(client.get(), 100);
}

QString TestBridgeSerial::tcpPane() const
{
    return window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEditTCP"))->toPlainText();
}

QString TestBridgeSerial::serialPane() const
{
    return window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEditSerial"))->toPlainText();
}

void TestBridgeSerial::answerLineIsPassedUnchanged()
{
    QVERIFY(startSimulator());
    QVERIFY(startWindow());
    const QString port = pty->bridgeEnd();
    QCOMPARE(window->statusText(), QStringLiteral("Connected to %1 : 115200, 8, None, 1, None").arg(port));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("labelSerialPort"))->text(),
             QStringLiteral("%1:115200,8,None,1").arg(port));
    QCOMPARE(window->windowTitle(), window->windowTitleBase() + QStringLiteral(" >>>") + port);

    QCOMPARE(askSimulated("op model ?\r", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
    QCOMPARE(window->lastSerialCommand(), QStringLiteral("op model ?"));
    QVERIFY(serialPane().contains(QStringLiteral(">>>op model ?")));
    QVERIFY(serialPane().contains(QStringLiteral("<<<OP MODEL=KX4410Q")));
    QVERIFY(tcpPane().contains(QStringLiteral("TCP>op model ?")));
    QVERIFY(tcpPane().contains(QStringLiteral("<<<OP MODEL=KX4410Q")));
    QVERIFY(closer->titles().isEmpty());
}

void TestBridgeSerial::simulatorModes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("echo") << QStringList{};
    QTest::newRow("no echo") << QStringList{"--no-echo"};
    QTest::newRow("echo and answer in one write") << QStringList{"--burst"};
    QTest::newRow("answer in two pieces") << QStringList{"--partial"};
    QTest::newRow("slow answer") << QStringList{"--slow", "150"};
}

void TestBridgeSerial::simulatorModes()
{
    QFETCH(QStringList, options);
    QVERIFY(startSimulator(options));
    QVERIFY(startWindow());
    QCOMPARE(askSimulated("op model ?\r\n", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
    QCOMPARE(askSimulated("  op   bright  =  50 \r\n", 14), QByteArray("OP BRIGHT=50\r\n"));
    const QByteArray status = askSimulated("op status ?\r\n", 13);
    QVERIFY2(QRegularExpression(QStringLiteral("^OP STATUS=\\d\\r\\n$")).match(QString::fromLatin1(status)).hasMatch(),
             status.constData());
}

void TestBridgeSerial::bytesReachingTheProjector()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    auto client = connectClient();
    QVERIFY(client);

    client->write("   op   model    ?   \r\n");
    QTRY_COMPARE(projector->bytesAvailable(), qint64(12));
    QCOMPARE(projector->readAll(), QByteArray("op model ?\r\n"));

    // Only op commands go to the projector, in whatever letter case.
    client->write("status please\r\n");
    QCOMPARE(collect(projector.get(), 200), QByteArray());
    QTRY_VERIFY(tcpPane().contains(QStringLiteral("TCP>status please")));
    client->write("OP STATUS ?\r\n");
    QTRY_COMPARE(projector->bytesAvailable(), qint64(13));
    QCOMPARE(projector->readAll(), QByteArray("OP STATUS ?\r\n"));
    // With a port present nothing is answered locally.
    QCOMPARE(collect(client.get(), 100), QByteArray());
}

void TestBridgeSerial::echoAndAnswersInOneBurst()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    auto client = connectClient();
    QVERIFY(client);
    client->write("op model ?\r\n");
    EXPECT_BYTES(projector, QByteArray("op model ?\r\n"));
    projector->write("op model ?\r\nOP MODEL=KX4410Q\r\nOP LAMP=1\r\n");
    QTRY_COMPARE(client->bytesAvailable(), qint64(29));
    QCOMPARE(client->readAll(), QByteArray("OP MODEL=KX4410Q\r\nOP LAMP=1\r\n"));
    QVERIFY(serialPane().contains(QStringLiteral("<<<OP MODEL=KX4410Q")));
    QVERIFY(serialPane().contains(QStringLiteral("<<<OP LAMP=1")));
    QVERIFY(!serialPane().contains(QStringLiteral("<<<op model ?")));
}

void TestBridgeSerial::unterminatedSerialLine()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    auto client = connectClient();
    QVERIFY(client);
    client->write("op model ?\r\n");
    EXPECT_BYTES(projector, QByteArray("op model ?\r\n"));
    projector->write("OP MODEL=KX");
    QCOMPARE(collect(client.get(), 200), QByteArray());
    projector->write("4410Q\r\n");
    QTRY_COMPARE(client->bytesAvailable(), qint64(18));
    QCOMPARE(client->readAll(), QByteArray("OP MODEL=KX4410Q\r\n"));
}

void TestBridgeSerial::nonOpLinesAreOnlyShown()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    auto client = connectClient();
    QVERIFY(client);
    client->write("op model ?\r\n");
    EXPECT_BYTES(projector, QByteArray("op model ?\r\n"));
    projector->write("ERR 12\r\n");
    QTRY_VERIFY(serialPane().contains(QStringLiteral("<<<ERR 12")));
    QCOMPARE(collect(client.get(), 100), QByteArray());
    QVERIFY(!tcpPane().contains(QStringLiteral("ERR 12")));
}

void TestBridgeSerial::foreignMarkupIsShownAsText()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    auto client = connectClient();
    QVERIFY(client);
    client->write("op <b>x</b> ?\r\n");
    EXPECT_BYTES(projector, QByteArray("op <b>x</b> ?\r\n"));
    projector->write("OP X=<i>y</i><img src=\"z\">\r\n");
    QTRY_VERIFY(client->bytesAvailable() > 0);
    QTRY_VERIFY(serialPane().contains(QStringLiteral("<<<OP X=<i>y</i><img src=\"z\">")));
    QVERIFY(tcpPane().contains(QStringLiteral("TCP>op <b>x</b> ?")));
    QVERIFY(tcpPane().contains(QStringLiteral("<<<OP X=<i>y</i><img src=\"z\">")));
    QVERIFY(serialPane().contains(QStringLiteral(">op <b>x</b> ?")));
}

void TestBridgeSerial::serialGarbage()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    auto client = connectClient();
    QVERIFY(client);
    client->write("op model ?\r\n");
    EXPECT_BYTES(projector, QByteArray("op model ?\r\n"));

    projector->write(garbage(20000, 7));
    // A long run without any line feed at all.
    projector->write(QByteArray(10000, 'x'));
    QTRY_VERIFY(serialPane().contains(QString(1000, QLatin1Char('x'))));
    QCOMPARE(collect(client.get(), 200), QByteArray());

    // The rest of the run is dropped by the next line feed; then all is well.
    projector->write("\r\n");
    client->write("op model ?\r\n");
    EXPECT_BYTES(projector, QByteArray("op model ?\r\n"));
    projector->write("op model ?\r\nOP MODEL=KX4410Q\r\n");
    QTRY_COMPARE(client->bytesAvailable(), qint64(18));
    QCOMPARE(client->readAll(), QByteArray("OP MODEL=KX4410Q\r\n"));
    QVERIFY(window->serialPort()->isOpen());
}

void TestBridgeSerial::manualCommandLine()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    auto *line = window->findChild<QLineEdit *>(QStringLiteral("lineEditSerial"));
    QVERIFY(line->isEnabled());
    QCOMPARE(line->text(), QStringLiteral("op status ?"));
    QTest::keyClick(line, Qt::Key_Return);
    QTRY_COMPARE(projector->bytesAvailable(), qint64(12));
    QCOMPARE(projector->readAll(), QByteArray("op status ?\r"));
    QCOMPARE(window->lastSerialCommand(), QStringLiteral("op status ?"));
    // The projector's echo of the typed command is not an answer.
    auto client = connectClient();
    QVERIFY(client);
    QTRY_VERIFY(window->server()->servedConnection());
    projector->write("op status ?\r\nOP STATUS=0\r\n");
    QTRY_COMPARE(client->bytesAvailable(), qint64(13));
    QCOMPARE(client->readAll(), QByteArray("OP STATUS=0\r\n"));
}

void TestBridgeSerial::settingsApplyReopensPort()
{
    QVERIFY(openProjectorEnd());
    QVERIFY(startWindow());
    SettingsDialog *dialog = window->settingsDialog();
    window->findChild<QAction *>(QStringLiteral("actionConfigSerial"))->trigger();
    QTRY_VERIFY(dialog->isVisible());
    dialog->findChild<QComboBox *>(QStringLiteral("parityBox"))->setCurrentText(QStringLiteral("Even"));
    dialog->findChild<QComboBox *>(QStringLiteral("flowControlBox"))->setCurrentText(QStringLiteral("RTS/CTS"));
    dialog->findChild<QComboBox *>(QStringLiteral("baudRateBox"))->setCurrentText(QStringLiteral("38400"));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("applyButton")), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY2(closer->titles().isEmpty(), qPrintable(closer->texts().join(QLatin1Char('|'))));

    QFile file(BrivoxIni::defaultPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("Parity=Even"));
    QVERIFY(text.contains("FlowControl=RTS/CTS"));
    QVERIFY(text.contains("BaudRate=38400"));

    QVERIFY(window->serialPort()->isOpen());
    QCOMPARE(window->serialPort()->parity(), QSerialPort::EvenParity);
    QCOMPARE(window->serialPort()->flowControl(), QSerialPort::HardwareControl);
    QCOMPARE(window->serialPort()->baudRate(), 38400);
    QCOMPARE(window->statusText(),
             QStringLiteral("Connected to %1 : 38400, 8, Even, 1, RTS/CTS").arg(pty->bridgeEnd()));
}

void TestBridgeSerial::missingPortFailsToOpen()
{
    QVERIFY(QFile::remove(BrivoxIni::defaultPath()));
    QVERIFY(!startWindow());
    // Without a settings file the port is "Com3", which this computer lacks.
    QCOMPARE(window->serialPort()->portName(), QStringLiteral("Com3"));
    QCOMPARE(window->serialPort()->baudRate(), 9600);
    QCOMPARE(window->serialPort()->parity(), QSerialPort::NoParity);
    QCOMPARE(closer->titles(), QStringList{QStringLiteral("Error")});
    QCOMPARE(window->statusText(), QStringLiteral("Open error"));
    QVERIFY(!window->findChild<QLineEdit *>(QStringLiteral("lineEditSerial"))->isEnabled());
    // Commands are dropped without an answer, and the bridge goes on.
    QCOMPARE(askSimulated("op model ?\r\n", 1, 300), QByteArray());
    QVERIFY(tcpPane().contains(QStringLiteral("TCP>op model ?")));
}

void TestBridgeSerial::portVanishesUnderTheBridge()
{
    QVERIFY(startSimulator());
    QVERIFY(startWindow());
    QCOMPARE(askSimulated("op model ?\r\n", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
    QTRY_COMPARE(window->server()->connectionCount(), 0);
    const int baseline = openFileCount();

    sim.reset();
    pty->stop();
    QTRY_VERIFY(!window->serialPort()->isOpen());
    QTRY_COMPARE(closer->titles(), QStringList{QStringLiteral("Critical Error")});

    // TCP and discovery are still served.
    QCOMPARE(askSimulated("op model ?\r\n", 1, 300), QByteArray());
    QVERIFY(tcpPane().contains(QStringLiteral("TCP>op model ?")));
    {
        QUdpSocket udp;
        udp.writeDatagram(QByteArray("?ZZ?"), QHostAddress::LocalHost, 35070);
        QTRY_COMPARE(window->replyCounter(), 1);
    }

    // The cable comes back; Apply reopens the port.
    QVERIFY(pty->start());
    QVERIFY(startSimulator());
    window->settingsDialog()->apply();
    QVERIFY(window->serialPort()->isOpen());
    QCOMPARE(askSimulated("op model ?\r\n", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
    QCOMPARE(closer->titles().size(), 1);
    QTRY_COMPARE(openFileCount(), baseline);
}

void TestBridgeSerial::tcpFaultsLeaveNothingBehind()
{
    QVERIFY(startSimulator({"--slow", "20"}));
    QVERIFY(startWindow());
    QCOMPARE(askSimulated("op model ?\r\n", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
    QTRY_COMPARE(window->server()->connectionCount(), 0);
    const int baseline = openFileCount();

    // Clients that leave before their answer comes.
    for (int i = 0; i < 5; ++i) {
        auto client = connectClient();
        QVERIFY(client);
        client->write("op model ?\r\n");
        client->waitForBytesWritten(1000);
        QTRY_VERIFY(tcpPane().count(QStringLiteral("TCP>op model ?")) >= 2 + i);
    }
    // A thousand clients connecting and leaving.
    for (int batch = 0; batch < 40; ++batch) {
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < 25; ++i) {
            auto client = connectClient();
            QVERIFY(client);
            clients.push_back(std::move(client));
        }
        QTRY_VERIFY(window->server()->servedConnection() &&
                    window->server()->servedConnection()->peerPort() == clients.back()->localPort());
    }
    // A 100 kB burst and binary garbage.
    {
        auto client = connectClient();
        QVERIFY(client);
        client->write(QByteArray(100 * 1024, 'x'));
        client->write(garbage(20000, 3));
        QVERIFY(client->waitForBytesWritten(3000));
        QTRY_VERIFY_WITH_TIMEOUT(tcpPane().count(QStringLiteral("TCP>")) >= 120, 10000);
    }
    QTest::qWait(300);
    QCOMPARE(askSimulated("op model ?\r\n", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
    QVERIFY(window->serialPort()->isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(window->server()->connectionCount(), 0, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(openFileCount(), baseline, 5000);
    QVERIFY(closer->titles().isEmpty());
}

ORV_TEST_MAIN(TestBridgeSerial)
#include "tst_bridgeserial.moc"
