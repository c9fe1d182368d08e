// Two hosts on a veth segment: the manager here (10.77.0.1) and the Brivox
// bridge (10.77.0.2) in the peer namespace of scripts/sandbox.sh, with a
// serial projector of the simulator behind it on a socat pseudo-terminal.
// The only case where discovery and the console leave loopback.
#include "ui/mainwindow.h"

#include "tests/bridge/ptypair.h"
#include "tests/common/appconfig.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

const QString Bridge = "10.77.0.2";

} // namespace

class TestTwoHosts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void broadcastFindsTheBridgeAndConsoleQueriesIt();

private:
    QString sandbox() const { return TestEnvironment::sourceDir() + "/scripts/sandbox.sh"; }
    QTreeWidgetItem *foundRow(const QString &ip) const
    {
        return m_window->findChild<QTreeWidget *>("treeWidgetGroupIP")
            ->findItems(ip, Qt::MatchExactly | Qt::MatchRecursive, 1)
            .value(0);
    }

    QString m_peerPid;
    std::unique_ptr<PtyPair> m_pty;
    SimulatorProcess m_serialProjector;
    std::unique_ptr<QProcess> m_bridge;
    ModalCloser m_modalCloser;
    std::unique_ptr<LogCapture> m_log;
    std::unique_ptr<MainWindow> m_window;
};

void TestTwoHosts::initTestCase()
{
    QProcess up;
    up.start(sandbox(), {"peer-up"});
    QVERIFY(up.waitForFinished(10000) && up.exitCode() == 0);
    m_peerPid = QString::fromLatin1(up.readAllStandardOutput().trimmed());

    m_pty = std::make_unique<PtyPair>(TestEnvironment::root() + "/pty");
    QVERIFY2(m_pty->start(), m_pty->errorText().constData());
    QVERIFY2(m_serialProjector.start({"--serial", m_pty->projectorEnd(), "--model", "KX4410Q", "--catalogue",
                                      TestEnvironment::binDir() + "/pluginPJ/KX4410Q.csv"}),
             m_serialProjector.errorText());
    qputenv("BRIVOX_SERIAL_PORTS", m_pty->bridgeEnd().toLocal8Bit());
    QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Brivox/Brivox.ini",
              QSettings::IniFormat)
        .setValue("Default/Port", m_pty->bridgeEnd());
    m_bridge = std::make_unique<QProcess>();
    m_bridge->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_bridge->start(sandbox(), {"peer-exec", m_peerPid, TestEnvironment::binDir() + "/Brivox"});
    bool listening = false;
    for (int i = 0; i < 100 && !listening; ++i) {
        QTcpSocket probe;
        probe.connectToHost(Bridge, 7000);
        listening = probe.waitForConnected(100);
        if (!listening)
            QTest::qWait(100);
    }
    QVERIFY(listening);

    QVERIFY(writeAppConfig(QByteArray(), "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nLocalIP=10.77.0.1\nIpTotal=5\n"));
    m_log = std::make_unique<LogCapture>(OrvLogging::InfoLevel);
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestTwoHosts::cleanupTestCase()
{
    m_window.reset();
    if (m_bridge) {
        m_bridge->terminate();
        m_bridge->waitForFinished(3000);
    }
    if (!m_peerPid.isEmpty())
        QProcess::execute(sandbox(), {"peer-down", m_peerPid});
}

void TestTwoHosts::broadcastFindsTheBridgeAndConsoleQueriesIt()
{
    // The host's only interface is the veth end: no "LocalIP not found" box.
    QCOMPARE(m_modalCloser.classNames(), QStringList{"DialogAboutPJ"});
    QTRY_VERIFY_WITH_TIMEOUT(foundRow(Bridge), 6000);
    QProcess ip;
    ip.start(sandbox(), {"peer-exec", m_peerPid, "ip", "-o", "link", "show", "orvB"});
    QVERIFY(ip.waitForFinished(10000));
    const QByteArray link = ip.readAllStandardOutput();
    const int at = link.indexOf("link/ether ");
    QVERIFY2(at >= 0, link.constData());
    QTreeWidgetItem *bridge = foundRow(Bridge);
    QCOMPARE(bridge->text(3), QString("KX4410Q"));
    QVERIFY2(bridge->text(4).startsWith("Brivox-"), qPrintable(bridge->text(4)));
    QCOMPARE(bridge->text(5), QString::fromLatin1(link.mid(at + 11, 17).toUpper()));
    QCOMPARE(bridge->statusTip(0), QString("connected"));

    m_window->sendMyTcpCmd(Bridge, "op model ?", 7000);
    QTRY_COMPARE_WITH_TIMEOUT(
        m_window->findChild<QPlainTextEdit *>("plainTextConsole")->toPlainText().count("<<<OP MODEL=KX4410Q"), 1, 8000);
}

ORV_TEST_MAIN(TestTwoHosts)
#include "tst_twohosts.moc"
