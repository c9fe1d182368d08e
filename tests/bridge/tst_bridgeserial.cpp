// The bridge with a serial port: a pseudo-terminal pair stands in for the cable; on its far end sits either
// the projector simulator or the test itself, playing the projector byte by byte.
#include "bridge/brivoxini.h"
#include "bridge/mainwindow.h"
#include "bridge/settingsdialog.h"
#include "tests/bridge/bridgetest.h"
#include "tests/bridge/ptypair.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QUdpSocket>

class TestBridgeSerial : public QObject
{
    Q_OBJECT
    ModalCloser *closer = nullptr;
    std::unique_ptr<PtyPair> pty;
    SimulatorProcess sim;
    std::unique_ptr<QSerialPort> projector;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QTcpSocket> client;

    bool startWindow()
    {
        window = std::make_unique<MainWindow>();
        window->show();
        window->start();
        return window->serialPort()->isOpen();
    }
    // The test plays the projector and one client.
    bool playProjector()
    {
        projector = std::make_unique<QSerialPort>(pty->projectorEnd());
        return projector->open(QIODevice::ReadWrite) && startWindow() && (client = connectClient());
    }
    // What reaches the projector when the client sends command.
    QByteArray sendThroughBridge(const QByteArray &command)
    {
        if (!playProjector())
            return "no way through the bridge";
        client->write(command);
        return readAtLeast(projector.get(), 1);
    }
    QString pane(const QString &name) const
    {
        return window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit") + name)->toPlainText();
    }

private slots:
    void initTestCase() { closer = new ModalCloser(this); }

    void init()
    {
        pty = std::make_unique<PtyPair>(TestEnvironment::root() + QStringLiteral("/pty"));
        QVERIFY2(pty->start(), pty->errorText().constData());
        qputenv("BRIVOX_SERIAL_PORTS", pty->bridgeEnd().toLocal8Bit());
        QVERIFY(BrivoxIni().write({pty->bridgeEnd(), "115200", "8", "None", "1", "None", true}));
        closer->clear();
    }

    void cleanup()
    {
        client.reset();
        window.reset();
        projector.reset();
        sim.stop();
        pty.reset();
    }

    void simulatorModes_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("echo") << QStringList{};
        QTest::newRow("no echo") << QStringList{"--no-echo"};
        QTest::newRow("slow answer") << QStringList{"--slow", "150"};
    }

    void simulatorModes()
    {
        QFETCH(QStringList, options);
        QVERIFY2(sim.start(QStringList{"--serial", pty->projectorEnd()} + options), sim.errorText());
        QVERIFY(startWindow());
        QCOMPARE(ask("op model ?\r", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
        QCOMPARE(ask("  op   bright  =  50 \r\n", 14), QByteArray("OP BRIGHT=50\r\n"));
        QCOMPARE(ask("op model ?\r\n", 18, 5000, HalfClose), QByteArray("OP MODEL=KX4410Q\r\n"));
        const QString status = QString::fromLatin1(ask("op status ?\r\n", 13));
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern("OP STATUS=\\d\r\n")).match(status).hasMatch(),
                 qPrintable(status));
        QVERIFY(closer->titles().isEmpty());
    }

    void echoAndLinesOfOneBurst()
    {
        QCOMPARE(sendThroughBridge("op model ?\r\n"), QByteArray("op model ?\r\n"));
        // This projector echoes with a line feed only.
        projector->write("op model ?\nERR 12\r\nOP MODEL=KX4410Q\r\nOP LA");
        QCOMPARE(readAtLeast(client.get(), 18), QByteArray("OP MODEL=KX4410Q\r\n"));
        projector->write("MP=1\r\n");
        QCOMPARE(readAtLeast(client.get(), 11), QByteArray("OP LAMP=1\r\n"));
        QVERIFY(pane("Serial").contains(QStringLiteral("<<<ERR 12")));
        QVERIFY(!pane("TCP").contains(QStringLiteral("ERR 12")));
        QVERIFY(!pane("Serial").contains(QStringLiteral("<<<op model ?")));
    }

    void typedCommand()
    {
        // The command line sends its text with CR only; the projector's echo of it is no answer.
        QVERIFY(playProjector());
        auto *line = window->findChild<QLineEdit *>(QStringLiteral("lineEditSerial"));
        QVERIFY(line->isEnabled());
        line->setText(QStringLiteral("op status ?"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(readAtLeast(projector.get(), 12), QByteArray("op status ?\r"));
        QTRY_VERIFY(window->server()->servedConnection());
        projector->write("op status ?\r\nOP STATUS=0\r\n");
        QCOMPARE(readAtLeast(client.get(), 13), QByteArray("OP STATUS=0\r\n"));
    }

    void foreignMarkupIsShownAsText()
    {
        QCOMPARE(sendThroughBridge("  op   <b>x</b> ?  \r\n"), QByteArray("op <b>x</b> ?\r\n"));
        const QByteArray answer("OP X=<i>y</i><img src=\"z\">\r\n");
        projector->write(answer);
        QCOMPARE(readAtLeast(client.get(), answer.size()), answer);
        const QString shown = QStringLiteral("<<<") + QString::fromLatin1(answer.trimmed());
        QVERIFY(pane("TCP").contains(QStringLiteral("TCP>op <b>x</b> ?")) && pane("TCP").contains(shown));
        QVERIFY(pane("Serial").contains(QStringLiteral(">op <b>x</b> ?")) && pane("Serial").contains(shown));
    }

    void garbageOnBothSides()
    {
        QCOMPARE(sendThroughBridge("op model ?\r\n"), QByteArray("op model ?\r\n"));
        client->write(garbage(20000, 3));
        projector->write(garbage(20000, 7) + QByteArray(10000, 'x'));
        QTRY_VERIFY(pane("TCP").count(QStringLiteral("TCP>")) >= 20);
        QTRY_VERIFY(pane("Serial").contains(QString(1000, QLatin1Char('x'))));
        QCOMPARE(readAtLeast(projector.get(), 0), QByteArray());
        QCOMPARE(readAtLeast(client.get(), 0), QByteArray());
        // The next line feed ends the run without line feeds; then all is well, in any letter case.
        projector->write("\r\n");
        client->write("OP MODEL ?\r\n");
        QCOMPARE(readAtLeast(projector.get(), 12), QByteArray("OP MODEL ?\r\n"));
        projector->write("OP MODEL ?\r\nOP MODEL=KX4410Q\r\n");
        QCOMPARE(readAtLeast(client.get(), 18), QByteArray("OP MODEL=KX4410Q\r\n"));
    }

    void portVanishesUnderTheBridge()
    {
        QVERIFY2(sim.start({"--serial", pty->projectorEnd()}), sim.errorText());
        QVERIFY(startWindow());
        QCOMPARE(ask("op model ?\r\n", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
        QTRY_COMPARE(window->server()->connectionCount(), 0);
        const int baseline = openFileCount();

        sim.stop();
        pty->stop();
        QTRY_VERIFY(!window->serialPort()->isOpen());
        QTRY_COMPARE(closer->titles(), QStringList{QStringLiteral("Critical Error")});
        // Shown as closed, and a command that cannot go on says so; TCP and discovery are still served.
        QCOMPARE(window->statusText(), QStringLiteral("Serial port %1 closed").arg(pty->bridgeEnd()));
        QCOMPARE(window->windowTitle(), window->windowTitleBase());
        QCOMPARE(ask("op model ?\r\n", 1, 300), QByteArray());
        QCOMPARE(pane("TCP").count(QStringLiteral("TCP>op model ?")), 2);
        QVERIFY(pane("TCP").endsWith(QStringLiteral("Not forwarded: serial port %1 is not open").arg(pty->bridgeEnd())));
        QUdpSocket().writeDatagram(QByteArray("?ZZ?"), QHostAddress::LocalHost, 35070);
        QTRY_COMPARE(window->replyCounter(), 1);

        // The cable comes back; Apply reopens the port with the parameters chosen.
        QVERIFY(pty->start());
        QVERIFY2(sim.start({"--serial", pty->projectorEnd()}), sim.errorText());
        window->settingsDialog()->findChild<QComboBox *>(QStringLiteral("parityBox"))->setCurrentText("Even");
        window->settingsDialog()->findChild<QComboBox *>(QStringLiteral("baudRateBox"))->setCurrentText("38400");
        window->settingsDialog()->apply();
        QVERIFY(window->serialPort()->isOpen());
        QCOMPARE(window->serialPort()->parity(), QSerialPort::EvenParity);
        QCOMPARE(window->serialPort()->baudRate(), 38400);
        QCOMPARE(ask("op model ?\r\n", 18), QByteArray("OP MODEL=KX4410Q\r\n"));
        QVERIFY(window->windowTitle().endsWith(QStringLiteral(" >>>") + pty->bridgeEnd()));
        QCOMPARE(closer->titles().size(), 1);
        QTRY_COMPARE(openFileCount(), baseline);
    }
};

ORV_TEST_MAIN(TestBridgeSerial)
#include "tst_bridgeserial.moc"
