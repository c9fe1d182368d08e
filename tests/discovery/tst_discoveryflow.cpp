#include "app/appfolders.h"
#include "net/commanddispatch.h"
#include "net/grouptree.h"
#include "ui/mainwindow.h"

#include "tests/common/appconfig.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QStatusBar>
#include <QTreeWidget>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

namespace {
const QByteArray Inventory = "Group, Select, IP, Name\nHall A,1\n ,1,127.0.0.2,Left\n ,0,127.0.0.9,Spare\n";
} // namespace

// The window finds the simulated fleet on its own: the start-up check, the
// two start-up broadcasts, a click on a projector, the search action, and a
// flood of made-up replies.
class TestDiscoveryFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startupFindsTheFleet();
    void clickMakesTheConsoleTarget();
    void searchFindsByTcpAndBroadcasts();
    void saveWritesOrReportsError();
    void floodOfRepliesStaysBounded();

private:
    QTreeWidget *tree() const { return m_window->findChild<QTreeWidget *>("treeWidgetGroupIP"); }
    QTreeWidgetItem *group(const QString &name) const { return tree()->findItems(name, Qt::MatchExactly, 0).value(0); }
    // Near the left end of the row: the row spans every column, wider than the view.
    QPoint rowPoint(QTreeWidgetItem *item) const { return tree()->visualItemRect(item).topLeft() + QPoint(60, 4); }
    QStringList column(QTreeWidgetItem *group, int column) const
    {
        QStringList texts;
        for (int i = 0; group && i < group->childCount(); ++i)
            texts << group->child(i)->text(column);
        return texts;
    }

    SimulatorProcess m_sim;
    std::unique_ptr<LogCapture> m_log;
    ModalCloser m_modalCloser;
    std::unique_ptr<MainWindow> m_window;
};

void TestDiscoveryFlow::initTestCase()
{
    const QString catalogue = TestEnvironment::binDir() + "/pluginPJ/KX4410Q.csv";
    QVERIFY2(m_sim.start({"--range", "127.0.0.2-127.0.0.4", "--model", "KX4410Q", "--catalogue", catalogue}),
             m_sim.errorText());
    QVERIFY(writeAppConfig(Inventory, "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nLocalIP=127.0.0.1\nIpTotal=6\n"));
    m_log = std::make_unique<LogCapture>(OrvLogging::TraceLevel);
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestDiscoveryFlow::startupFindsTheFleet()
{
    QTRY_VERIFY(m_log->find("Found IP:") >= 0);
    QCOMPARE(m_window->connectedIPs().value(0), QString("127.0.0.2"));
    QVERIFY(m_log->find("Build IP Tree") < m_log->find("Starting UDP RX..."));
    QVERIFY(!m_log->matching({"UDPrx Bind", "35069", "true"}).isEmpty());
    // The broadcasts at 2000 and 2500 ms: every simulated projector answers.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->connectedIPs().size(), 3, 5000);
    QTRY_COMPARE(m_log->matching({"UDP Broadcast start@", "255.255.255.255", "35070", "3f5a5a3f"}).size(), 2);
    QTreeWidgetItem *left = group("Hall A")->child(0);
    QCOMPARE(left->statusTip(0), QString("connected"));
    QCOMPARE(left->text(3), QString("KX4410Q"));
    QVERIFY(left->text(4).startsWith("KXQ"));
    QVERIFY(left->text(5).startsWith("02:50:4A:"));
    QCOMPARE(group("Hall A")->child(1)->statusTip(0), QString());
    QCOMPARE(column(group("Found"), 1), (QStringList{"127.0.0.2", "127.0.0.3", "127.0.0.4"}));
    QCOMPARE(m_window->findChild<QComboBox *>("comboboxIP")->count(), 3);
    // The sandbox has no network but lo, and 127.0.0.1 is the default: no
    // box for that, only the model list.
    QCOMPARE(m_modalCloser.classNames(), (QStringList{"DialogAboutPJ"}));
}

void TestDiscoveryFlow::clickMakesTheConsoleTarget()
{
    auto *targets = m_window->findChild<QComboBox *>("comboboxIP");
    targets->setCurrentIndex(2);
    QTreeWidgetItem *left = group("Hall A")->child(0);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, rowPoint(left));
    QCOMPARE(targets->currentText(), QString("127.0.0.2"));
    // An unconnected projector changes nothing.
    QTreeWidgetItem *spare = group("Hall A")->child(1);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, rowPoint(spare));
    QCOMPARE(targets->currentText(), QString("127.0.0.2"));
}

void TestDiscoveryFlow::searchFindsByTcpAndBroadcasts()
{
    auto *search = m_window->findChild<QAction *>("actionSearch");
    QSignalSpy finished(m_window.get(), &MainWindow::sigSearchFinished);
    QSignalSpy statusCheck(m_window.get(), &MainWindow::sigSearchStatusCheck);
    QSignalSpy messages(m_window->statusBar(), &QStatusBar::messageChanged);
    const int broadcasts = m_log->count("UDP Broadcast start@");
    search->trigger();
    QVERIFY(!search->isEnabled());
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toStringList(), (QStringList{"127.0.0.2", "127.0.0.3", "127.0.0.4"}));
    QVERIFY(search->isEnabled());
    QVERIFY(std::any_of(messages.begin(), messages.end(),
                        [](const QList<QVariant> &m) { return m.at(0).toString() == "Found target: 3"; }));
    QCOMPARE(column(group("Found"), 1), (QStringList{"127.0.0.2", "127.0.0.3", "127.0.0.4"}));
    QTRY_COMPARE(statusCheck.count(), 1);
    QCOMPARE(m_log->count("UDP Broadcast start@"), broadcasts + 3);
}

void TestDiscoveryFlow::saveWritesOrReportsError()
{
    QString target;
    m_modalCloser.clear();
    m_modalCloser.setInspector([&target](QWidget *modal) {
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            // Typed, as an operator would: selectFile() leaves a focused
            // name field alone.
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(target);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    QSignalSpy saved(m_window->groupTree(), &GroupTree::sigTreeSaved);
    auto *save = m_window->findChild<QAction *>("actionSave");
    // Nothing can be created in /proc, not even by root.
    target = "/proc/GroupIP.csv";
    save->trigger();
    QCOMPARE(m_modalCloser.classNames(), (QStringList{"QFileDialog", "QMessageBox"}));
    QCOMPARE(m_modalCloser.titles(), QStringList{"Error"});
    QCOMPARE(saved.count(), 0);

    m_modalCloser.clear();
    target = AppFolders::configFolder() + "/Saved.csv";
    save->trigger();
    QCOMPARE(m_modalCloser.classNames(), QStringList{"QFileDialog"});
    QCOMPARE(saved.count(), 1);
    QCOMPARE(TestFiles::read(target), Inventory);
    m_modalCloser.setInspector(nullptr);
}

void TestDiscoveryFlow::floodOfRepliesStaysBounded()
{
    // More made-up projectors than the cap, junk between.
    QUdpSocket flooder;
    QVERIFY(flooder.bind(QHostAddress("127.0.0.50"), 0));
    for (int i = 0; i < GroupTree::MaxDiscovered + 500; ++i) {
        flooder.writeDatagram(QString("ip=10.1.%1.%2;model=../x;").arg(i / 250).arg(i % 250 + 1).toLatin1(),
                              QHostAddress("127.0.0.1"), 35069);
        if (i % 10 == 0)
            flooder.writeDatagram(QByteArray(3000, '\0'), QHostAddress("127.0.0.1"), 35069);
        // The kernel's receive buffer is all that holds a burst (the size the
        // receiver asks for is capped by the system), so a slow build lets
        // the window catch up before the next hundred.
        if (i % 100 == 99)
            QTRY_VERIFY_WITH_TIMEOUT(m_window->dispatch()->connectedCount() >= qMin(i + 1, GroupTree::MaxDiscovered),
                                     30000);
    }
    // Polled by the count: scanning the captured log each time would cost
    // more than the flood itself.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->dispatch()->connectedCount(), GroupTree::MaxDiscovered, 60000);
    QTRY_VERIFY(!m_log->matching({"Discovery reply ignored"}).isEmpty());
    QCOMPARE(group("Found")->childCount(), GroupTree::MaxDiscovered);
    // No path from a peer's model name.
    QVERIFY(m_log->matching({"Catalogue file not found"}).filter("x.csv").isEmpty());
}

ORV_TEST_MAIN(TestDiscoveryFlow)
#include "tst_discoveryflow.moc"
