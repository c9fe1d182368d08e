#include "app/appfolders.h"
#include "monitor/dialogselectcommands.h"
#include "monitor/pjlinkmonitor.h"
#include "monitor/statusmonitor.h"
#include "net/pjlinkdirectory.h"
#include "panel/controlpanel.h"
#include "monitor/tablemodelstatus.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"
#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

const QString Ready = "127.0.0.2", Faulty = "127.0.0.3", Unchecked = "127.0.0.4", Absent = "127.0.0.9";

} // namespace

// The status page of the real window: rows from the checked projectors,
// the first sweeps, the row click with its error-code decoding, the
// toolbar's All On and the export button.
class TestStatusWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstSweepsFillCheckedRows();
    void rowClickDecodesErrorCodeAndTargets();
    void allOnAsksThenWalks();
    void pageButtonsAndPeriodicTaskCommands();
    void cleanupTestCase() { m_window.reset(); }

private:
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(name);
        return found ? found : (qFatal("missing child %s", name), nullptr);
    }
    QString console() const { return child<QPlainTextEdit>("plainTextConsole")->toPlainText(); }
    TableModelStatus *model() const { return m_window->statusMonitor()->model(); }
    QString cell(const QString &ip, int column) const { return model()->cell(model()->rowOfAddress(ip), column); }

    SimulatorProcess m_sim;
    std::unique_ptr<MainWindow> m_window;
};

void TestStatusWindow::initTestCase()
{
    QVERIFY2(m_sim.start({"--address", Ready, "--address", Faulty, "--address", Unchecked, "--fault", Faulty + "=0612",
                          "--warmup-ms", "200"}),
             m_sim.errorText());
    const QString config = AppFolders::configFolder();
    QVERIFY(QDir().mkpath(AppFolders::userDataFolder())); // main() makes it before the window
    QVERIFY(TestFiles::write(config + "/GroupIP.csv",
                             "Group, Select, IP, Name\nHall A,1\n ,1,127.0.0.2,Left\n ,1,127.0.0.3,Right\n"
                             " ,0,127.0.0.4,Rear\n ,1,127.0.0.9,Spare\n"));
    QVERIFY(TestFiles::write(config + "/Orvanto.ini",
                             "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nStyle=Dark\nLocalIP=127.0.0.1\n"));
    {
        ModalCloser closer; // the projector-models dialog
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_COMPARE(closer.classNames(), QStringList{"DialogAboutPJ"});
    }
}

void TestStatusWindow::firstSweepsFillCheckedRows()
{
    QCOMPARE(model()->rowCount(), 3);
    QCOMPARE(model()->rowOfAddress(Unchecked), -1);
    QCOMPARE(model()->flags(model()->index(model()->rowOfAddress(Absent), 0)), Qt::NoItemFlags);
    QTRY_COMPARE_WITH_TIMEOUT(cell(Faulty, TableModelStatus::ErrorCodeColumn), QString("0612"), 15000);
    QTRY_COMPARE(cell(Ready, TableModelStatus::LifeColumn), QString("20000"));
    QVERIFY(console().contains("--- Check Status ---@"));
    QVERIFY(child<QTableView>("tableViewStatus")->isColumnHidden(TableModelStatus::LifeColumn));
    QVERIFY(m_window->statusMonitor()->pollTimer()->isActive());
}

void TestStatusWindow::rowClickDecodesErrorCodeAndTargets()
{
    QTableView *view = child<QTableView>("tableViewStatus");
    // A model without catalogue file changes nothing.
    child<QComboBox>("comboboxIP")->setCurrentIndex(child<QComboBox>("comboboxIP")->findText(Ready));
    const int readyRow = model()->rowOfAddress(Ready);
    model()->setCell(readyRow, TableModelStatus::ModelColumn, "Alien");
    model()->setCell(readyRow, TableModelStatus::ErrorCodeColumn, "2011");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model()->index(readyRow, 1)).center());
    QCOMPARE(child<QLineEdit>("lineEditErrCode")->text(), QString("0000"));
    model()->setCell(readyRow, TableModelStatus::ModelColumn, "KX4410Q");

    const QModelIndex faulty = model()->index(model()->rowOfAddress(Faulty), TableModelStatus::ModelColumn);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(faulty).center());
    QCOMPARE(child<QLineEdit>("lineEditErrCode")->text(), QString("0612"));
    QCOMPARE(child<QLabel>("labelErrCode")->text(), QString("System FAN (1~16) 2 Fan Locked(Rotate Error)"));
    QVERIFY(child<QLabel>("labelErrCode")->styleSheet().contains("gold"));
    QCOMPARE(child<QComboBox>("comboboxIP")->currentText(), Faulty);
    // The click retargeted, visibly: header, console line, bold row, status bar.
    QCOMPARE(child<QLabel>("labelPanelTarget")->text(), QString("Target: Right  \u2013  127.0.0.3  \u2013  KX4410Q"));
    QCOMPARE(child<QLabel>("labelConsoleTarget")->text(), QString("Right  \u2013  127.0.0.3  \u2013  KX4410Q"));
    QVERIFY(faulty.data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(m_window->statusBar()->currentMessage().startsWith("Target is now Right"));

    // The tree (or anyone) picking a projector moves the status row along.
    m_window->selectTarget(Ready);
    QCOMPARE(view->currentIndex().row(), model()->rowOfAddress(Ready));
    QCOMPARE(child<QComboBox>("comboboxIP")->currentText(), Ready);
    QVERIFY(!faulty.data(Qt::FontRole).isValid());

    // A PJLink projector has no op catalogue, but a click still targets it.
    PJLinkDirectory *pjlink = m_window->pjlinkMonitor()->directory();
    pjlink->setClassAnswer(Faulty, QStringLiteral("1"));
    model()->setCell(model()->rowOfAddress(Faulty), TableModelStatus::ModelColumn, "ORVSIM PJ1000");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(faulty).center());
    QCOMPARE(m_window->controlPanel()->target(), Faulty);
    QCOMPARE(child<QComboBox>("comboboxIP")->currentText(), Faulty);
    pjlink->setProbed(Faulty, false);
    model()->setCell(model()->rowOfAddress(Faulty), TableModelStatus::ModelColumn, "KX4410Q");
    m_window->selectTarget(Ready);
}

void TestStatusWindow::allOnAsksThenWalks()
{
    QString boxText;
    QTimer apply;
    connect(&apply, &QTimer::timeout, [&]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        boxText = box->text();
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
        box->button(QMessageBox::Apply)->click();
    });
    apply.start(20);
    child<QAction>("actionAllOn")->trigger();
    QCOMPARE(boxText, QString("   Turn On All Projectors   "));
    QTRY_VERIFY(console().contains("Error:" + Faulty));
    QVERIFY(console().contains("Turning On:" + Ready));
    QTRY_VERIFY(!m_window->statusMonitor()->isSwitching());
}

void TestStatusWindow::pageButtonsAndPeriodicTaskCommands()
{
    QStringList opened;
    m_window->statusMonitor()->setFolderOpener([&](const QString &folder) { opened.append(folder); });
    QTest::mouseClick(child<QPushButton>("pushButtonExportStatus"), Qt::LeftButton);
    QCOMPARE(opened, QStringList{AppFolders::userDataFolder()});

    const int sweeps = console().count("--- Check Status ---@");
    child<QAction>("actionRefreshStatus")->trigger();
    QTRY_COMPARE(console().count("--- Check Status ---@"), sweeps + 1);

    // The periodic task offers every queryable command beside the polling queries.
    child<QAction>("actionSchedule")->trigger();
    QVERIFY(QMetaObject::invokeMethod(m_window.get(), "on_tableWidgetPeriodScheduler_doubleClicked",
                                      Q_ARG(QModelIndex, QModelIndex())));
    auto *dialog = m_window->findChild<DialogSelectCommands *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->chosenCommands().size(), 7);
    QVERIFY(dialog->availableCommands().contains("op total.hours ?"));
    QVERIFY(!dialog->availableCommands().contains("op power.on ?"));
    dialog->reject();
    child<QAction>("actionStatus")->trigger();
}

ORV_TEST_MAIN(TestStatusWindow)
#include "tst_statuswindow.moc"
