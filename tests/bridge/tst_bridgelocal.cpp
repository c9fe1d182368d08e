// The bridge on a computer without any serial port: it answers a few queries itself and still answers the
// discovery broadcast.
#include "bridge/brivoxini.h"
#include "bridge/mainwindow.h"
#include "bridge/settingsdialog.h"
#include "tests/bridge/bridgetest.h"
#include "tests/bridge/ptypair.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"

#include <QComboBox>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QUdpSocket>

class TestBridgeLocal : public QObject
{
    Q_OBJECT
    ModalCloser *closer = nullptr;
    std::unique_ptr<MainWindow> window;

    QString pane(const QString &name) const
    {
        return window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit") + name)->toPlainText();
    }

private slots:
    void initTestCase()
    {
        if (!insideSandbox())
            QSKIP("needs the network sandbox of the test run");
        // Discovery replies are broadcast, which needs a route; inside this private namespace it is loopback.
        QCOMPARE(QProcess::execute(QStringLiteral("ip"), {"route", "add", "default", "dev", "lo"}), 0);
        closer = new ModalCloser(this);
        qputenv("BRIVOX_SERIAL_PORTS", "");
        window = std::make_unique<MainWindow>();
        window->show();
        QCOMPARE(closer->titles(), QStringList{QStringLiteral("Serial Port Not Available")});
        QVERIFY(!window->serialPort()->isOpen());
    }

    void cleanupTestCase() { window.reset(); }

    void localAnswers_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("answerPattern");
        QTest::newRow("model") << QByteArray("op model ?\r\n") << "OP MODEL=KX4410Q";
        QTest::newRow("model, CR only") << QByteArray("op model ?\r") << "OP MODEL=KX4410Q";
        QTest::newRow("model inside longer text") << QByteArray("x op model ? y") << "OP MODEL=KX4410Q";
        QTest::newRow("serial number") << QByteArray("op ser.no ?\r\n") << "OP SER\\.NO=[A-Z]{3}-[0-9]{7}";
        QTest::newRow("status") << QByteArray("op status ?\r\n") << "op status =NA";
        QTest::newRow("setting, blanks") << QByteArray("  op \t bright  =  50\r\n") << "op bright = 50=NA";
        QTest::newRow("two commands in one read") << QByteArray("op a ?\r\nop b ?\r\n") << "op a  op b =NA";
        QTest::newRow("stops at zero byte") << QByteArray("op mo\0del ?", 11) << "op mo=NA";
        QTest::newRow("latin1") << QByteArray("op name = caf\xe9") << QString::fromUtf8("op name = café=NA");
        QTest::newRow("not an op command") << QByteArray("hello\r\n") << "hello=NA";
    }

    void localAnswers()
    {
        QFETCH(QByteArray, command);
        QFETCH(QString, answerPattern);
        const QByteArray answer = ask(command, 1, 3000);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(answerPattern))
                     .match(QString::fromUtf8(answer))
                     .hasMatch(),
                 answer.constData());
    }

    void discovery()
    {
        // Other datagrams are only shown, as text; a request is answered even without a usable address.
        QUdpSocket manager, replies;
        QVERIFY(replies.bind(QHostAddress::AnyIPv4, 35069, QUdpSocket::ShareAddress));
        manager.writeDatagram(QByteArray("<b>hello</b>"), QHostAddress::LocalHost, 35070);
        manager.writeDatagram(QByteArray("?zz?"), QHostAddress::LocalHost, 35070);
        QTRY_VERIFY(pane("TCP").contains(QStringLiteral(";<b>hello</b>")));
        manager.writeDatagram(QByteArray("xx?ZZ?yy"), QHostAddress::LocalHost, 35070);
        QTRY_VERIFY(replies.hasPendingDatagrams());
        QCOMPARE(replies.receiveDatagram().data(), QByteArray("ip=???;mac=???;model=KX4410Q;serial=Brivox-0;"));
        QTest::qWait(100);
        QVERIFY(!replies.hasPendingDatagrams());
        QVERIFY(QRegularExpression(QStringLiteral("UDP>udp=127\\.0\\.0\\.1;time=[\\d:.]{12};xx\\?ZZ\\?yy"))
                    .match(pane("TCP"))
                    .hasMatch());
    }

    void portPluggedInLater()
    {
        PtyPair pty(TestEnvironment::root() + QStringLiteral("/pty"));
        QVERIFY2(pty.start(), pty.errorText().constData());
        qputenv("BRIVOX_SERIAL_PORTS", pty.bridgeEnd().toLocal8Bit());
        // The first Apply finds the port but still has the stored name; a second one, with the port chosen, opens it.
        SettingsDialog *dialog = window->settingsDialog();
        closer->clear();
        dialog->apply();
        QCOMPARE(closer->titles(), QStringList{QStringLiteral("Error")});
        QVERIFY(!window->serialPort()->isOpen());
        auto *ports = dialog->findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox"));
        QCOMPARE(ports->count(), 1);
        ports->setCurrentIndex(0);
        dialog->apply();
        QVERIFY(window->serialPort()->isOpen());
        QCOMPARE(BrivoxIni().read().port, pty.bridgeEnd());
        // Now the projector answers, not the bridge.
        QCOMPARE(ask("op model ?\r\n", 1, 300), QByteArray());
        window->closeSerialPort();
    }
};

ORV_TEST_MAIN(TestBridgeLocal)
#include "tst_bridgelocal.moc"
