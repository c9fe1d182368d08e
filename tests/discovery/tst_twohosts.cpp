// Hosts on one segment: the manager here (10.77.0.1); the Brivox bridge
// (10.77.0.2) with a serial projector of the simulator behind it on a socat
// pseudo-terminal in the peer namespace of scripts/sandbox.sh; a networked
// projector of the simulator (10.77.0.3) in a third namespace. Both take
// port 7000 on every address, so they cannot share a namespace. The veth
// ends on this side hang in one Linux bridge that holds the manager's
// address, so broadcasts reach both.
#include "app/appfolders.h"
#include "ui/mainwindow.h"

#include "tests/bridge/ptypair.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

const QString Bridge = "10.77.0.2", Networked = "10.77.0.3";

} // namespace

class TestTwoHosts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void broadcastFindsBothAndConsoleQueriesThem();
    void searchFindsBothByTcp();

private:
    QString sandbox() const { return TestEnvironment::sourceDir() + "/scripts/sandbox.sh"; }
    QByteArray peer(const QStringList &command)
    {
        QProcess p;
        p.start(sandbox(), QStringList{"peer-exec", m_peerPid} + command);
        p.waitForFinished(10000);
        return p.readAllStandardOutput();
    }
    std::unique_ptr<QProcess> inPeer(const QStringList &command)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(sandbox(), QStringList{"peer-exec", m_peerPid} + command);
        return process;
    }
    static bool listening(const QString &ip)
    {
        for (int i = 0; i < 100; ++i) {
            QTcpSocket probe;
            probe.connectToHost(ip, 7000);
            if (probe.waitForConnected(100))
                return true;
            QTest::qWait(100);
        }
        return false;
    }
    QTreeWidgetItem *foundRow(const QString &ip) const
    {
        const auto rows = m_window->findChild<QTreeWidget *>("treeWidgetGroupIP")
                              ->findItems(ip, Qt::MatchExactly | Qt::MatchRecursive, 1);
        return rows.value(0);
    }

    QString m_peerPid;
    std::unique_ptr<PtyPair> m_pty;
    SimulatorProcess m_serialProjector;
    std::unique_ptr<QProcess> m_bridge;
    std::unique_ptr<QProcess> m_networked;
    std::unique_ptr<QProcess> m_third; // holds the third namespace
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
    // The third host, linked through a bridge on this side.
    m_third = std::make_unique<QProcess>();
    m_third->start("unshare", {"-n", "--", "sleep", "100000"});
    QVERIFY(m_third->waitForStarted(5000));
    const QString third = QString::number(m_third->processId());
    QTRY_VERIFY(QFile::symLinkTarget("/proc/" + third + "/ns/net") != QFile::symLinkTarget("/proc/self/ns/net"));
    const QStringList setup{"ip link add orvBr0 type bridge",
                            "ip link set orvA master orvBr0",
                            "ip addr del 10.77.0.1/24 dev orvA",
                            "ip addr add 10.77.0.1/24 dev orvBr0",
                            "ip link set orvBr0 up",
                            "ip route replace default dev orvBr0",
                            "ip link add orvC type veth peer name orvD",
                            "ip link set orvD netns " + third,
                            "ip link set orvC master orvBr0",
                            "ip link set orvC up",
                            "nsenter -t " + third + " -n ip link set lo up",
                            "nsenter -t " + third + " -n ip addr add " + Networked + "/24 dev orvD",
                            "nsenter -t " + third + " -n ip link set orvD up",
                            "nsenter -t " + third + " -n ip route add default dev orvD"};
    for (const QString &command : setup) {
        const QStringList words = command.split(' ');
        QCOMPARE(QProcess::execute(words.first(), words.mid(1)), 0);
    }

    const QString catalogue = TestEnvironment::binDir() + "/pluginPJ/KX4410Q.csv";
    m_pty = std::make_unique<PtyPair>(TestEnvironment::root() + "/pty");
    QVERIFY2(m_pty->start(), m_pty->errorText().constData());
    QVERIFY2(m_serialProjector.start({"--serial", m_pty->projectorEnd(), "--model", "KX4410Q", "--catalogue", catalogue}),
             m_serialProjector.errorText());
    qputenv("BRIVOX_SERIAL_PORTS", m_pty->bridgeEnd().toLocal8Bit());
    QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Brivox/Brivox.ini",
              QSettings::IniFormat)
        .setValue("Default/Port", m_pty->bridgeEnd());
    m_bridge = inPeer({TestEnvironment::binDir() + "/Brivox"});
    m_networked = std::make_unique<QProcess>();
    m_networked->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_networked->start("nsenter", {"-t", third, "-n", SimulatorProcess::programPath(), "--address", Networked, "--model",
                                   "KX4410Q", "--catalogue", catalogue});
    QVERIFY(listening(Bridge));
    QVERIFY(listening(Networked));

    const QString config = AppFolders::configFolder();
    QVERIFY(AppFolders::ensureFolder(config) != AppFolders::Preparation::Failed);
    QVERIFY(AppFolders::ensureFolder(AppFolders::userDataFolder()) != AppFolders::Preparation::Failed);
    QFile ini(config + "/Orvanto.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nLocalIP=10.77.0.1\nIpTotal=5\n");
    ini.close();
    m_log = std::make_unique<LogCapture>(OrvLogging::InfoLevel);
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestTwoHosts::cleanupTestCase()
{
    m_window.reset();
    for (QProcess *process : {m_bridge.get(), m_networked.get(), m_third.get()}) {
        if (process) {
            process->terminate();
            process->waitForFinished(3000);
        }
    }
    m_bridge.reset();
    m_networked.reset();
    m_third.reset();
    if (!m_peerPid.isEmpty())
        QProcess::execute(sandbox(), {"peer-down", m_peerPid});
}

void TestTwoHosts::broadcastFindsBothAndConsoleQueriesThem()
{
    // The host's only interface is the veth end: no "LocalIP not found" box.
    QCOMPARE(m_modalCloser.classNames(), QStringList{"DialogAboutPJ"});
    QTRY_VERIFY_WITH_TIMEOUT(foundRow(Bridge) && foundRow(Networked), 6000);
    const QByteArray link = peer({"ip", "-o", "link", "show", "orvB"});
    const int at = link.indexOf("link/ether ");
    QVERIFY2(at >= 0, link.constData());
    QTreeWidgetItem *bridge = foundRow(Bridge);
    QCOMPARE(bridge->text(3), QString("KX4410Q"));
    QVERIFY2(bridge->text(4).startsWith("Brivox-"), qPrintable(bridge->text(4)));
    QCOMPARE(bridge->text(5), QString::fromLatin1(link.mid(at + 11, 17).toUpper()));
    QTreeWidgetItem *networked = foundRow(Networked);
    QCOMPARE(networked->text(3), QString("KX4410Q"));
    QVERIFY(networked->text(4).startsWith("KXQ"));
    QCOMPARE(networked->statusTip(0), QString("connected"));

    auto *console = m_window->findChild<QPlainTextEdit *>("plainTextConsole");
    for (const QString &ip : {Bridge, Networked})
        m_window->sendMyTcpCmd(ip, "op model ?", 7000);
    QTRY_COMPARE_WITH_TIMEOUT(console->toPlainText().count("<<<OP MODEL=KX4410Q"), 2, 8000);
}

void TestTwoHosts::searchFindsBothByTcp()
{
    QSignalSpy finished(m_window.get(), &MainWindow::sigSearchFinished);
    m_window->findChild<QAction *>("actionSearch")->trigger();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toStringList(), (QStringList{Bridge, Networked}));
}

ORV_TEST_MAIN(TestTwoHosts)
#include "tst_twohosts.moc"
