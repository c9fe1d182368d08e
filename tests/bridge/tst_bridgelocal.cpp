// The bridge on a computer without any serial port: it answers a few queries itself, also while the box that
// reports the missing port is open, and still answers the discovery broadcast.
#include "bridge/brivoxini.h"
#include "bridge/mainwindow.h"
#include "bridge/settingsdialog.h"
#include "tests/bridge/bridgetest.h"
#include "tests/bridge/ptypair.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QUdpSocket>

#include <sched.h>
#include <sys/mount.h>

namespace {

// Why the system's own port listing cannot be tried here; empty when it can.
QString g_systemListingUnavailable;

// Hides the computer's serial ports from this process alone: a private mount namespace with an empty folder over
// /sys/class/tty, so that the serial library's own listing finds nothing (and opens no real device). Done before
// any thread exists, as the namespace cannot be left by one process while its threads share the old one.
void hideSystemSerialPorts()
{
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", "/sys/class/tty", "tmpfs", 0, nullptr) != 0)
        g_systemListingUnavailable = QStringLiteral("cannot hide /sys/class/tty: %1").arg(qt_error_string());
    else if (!QDir(QStringLiteral("/sys/class/tty")).isEmpty())
        g_systemListingUnavailable = QStringLiteral("/sys/class/tty still lists devices");
}

const QList<QPair<QByteArray, QString>> BrivoxOwnAnswers{
    {"op model ?\r\n", "OP MODEL=KX4410Q"},
    {"op ser.no ?\r\n", "OP SER\\.NO=[A-Z]{3}-[0-9]{7}"},
    {"op status ?\r\n", "op status =NA"},
    // Only the query in lower case is recognised as the model query.
    {"OP MODEL ?\r\n", "OP MODEL =NA"},
    {"x op model ? y", "OP MODEL=KX4410Q"},
    {"  op \t bright  =  50\r\n", "op bright = 50=NA"},
    {"op a ?\r\nop b ?\r\n", "op a  op b =NA"},
    {QByteArray("op mo\0del ?", 11), "op mo=NA"},
    {"op name = caf\xe9", QString::fromUtf8("op name = caf\u00e9=NA")},
};

bool matches(const QString &pattern, const QByteArray &answer)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(QString::fromUtf8(answer)).hasMatch();
}

// The first own answer that does not come back as it should, with what came instead; empty when all do.
QString wrongOwnAnswer()
{
    for (const auto &query : BrivoxOwnAnswers) {
        const QByteArray answer = ask(query.first, 1, 3000);
        if (!matches(query.second, answer))
            return QString::fromLatin1(query.first.trimmed() + " -> " + answer);
    }
    return QString();
}

} // namespace

class TestBridgeLocal : public QObject
{
    Q_OBJECT
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
    }

    void cleanupTestCase() { window.reset(); }

    void programStartsWithoutAnyPort()
    {
        // The program itself, as an operator starts it: queries while its box is open.
        if (!g_systemListingUnavailable.isEmpty())
            QSKIP(qPrintable(g_systemListingUnavailable));
        qunsetenv("BRIVOX_SERIAL_PORTS");
        QProcess brivox;
        brivox.start(TestEnvironment::binDir() + QStringLiteral("/Brivox"), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(connectClient() != nullptr, 10000);
        QTest::qWait(300); // its box is up by now
        QCOMPARE(ask("op model ?\r\n", 16), QByteArray("OP MODEL=KX4410Q"));
        QCOMPARE(brivox.state(), QProcess::Running);
        brivox.terminate();
        QVERIFY(brivox.waitForFinished(5000));
    }

    void answersWhileTheBoxIsOpen()
    {
        qputenv("BRIVOX_SERIAL_PORTS", "");
        // Queries arrive while the box is up; then it is closed. Should the box run while the window is still
        // being built, the queries reach a half-built window.
        QString boxTitle, wrongWhileOpen = QStringLiteral("not asked");
        QTimer::singleShot(200, this, [&]() {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            boxTitle = box ? box->windowTitle() : QString();
            wrongWhileOpen = wrongOwnAnswer();
            if (box)
                box->done(QMessageBox::Ok);
        });
        window = std::make_unique<MainWindow>();
        window->show();
        window->start();
        QTRY_VERIFY(wrongWhileOpen != QLatin1String("not asked"));
        QCOMPARE(boxTitle, QStringLiteral("Serial Port Not Available"));
        QCOMPARE(wrongWhileOpen, QString());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(wrongOwnAnswer(), QString());
        // A client that stops sending once its command is out is answered as well.
        QCOMPARE(ask("op model ?\r\n", 16, 3000, HalfClose), QByteArray("OP MODEL=KX4410Q"));
        QVERIFY(!window->serialPort()->isOpen());
    }

    void discovery()
    {
        // Other datagrams are only shown, as text; a request is answered even without a usable address.
        QVERIFY(window);
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
        QVERIFY(window);
        ModalCloser closer;
        PtyPair pty(TestEnvironment::root() + QStringLiteral("/pty"));
        QVERIFY2(pty.start(), pty.errorText().constData());
        qputenv("BRIVOX_SERIAL_PORTS", pty.bridgeEnd().toLocal8Bit());
        // The first Apply finds the port but still has the stored name, and says which; a second one, with the
        // port chosen, opens it.
        SettingsDialog *dialog = window->settingsDialog();
        dialog->apply();
        QCOMPARE(closer.titles(), QStringList{QStringLiteral("Error")});
        QVERIFY2(closer.texts().first().contains(QLatin1String("Com3")), qPrintable(closer.texts().first()));
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

int main(int argc, char *argv[])
{
    hideSystemSerialPorts();
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    TestBridgeLocal tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_bridgelocal.moc"
