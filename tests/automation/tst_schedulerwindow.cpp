#include "app/appfolders.h"
#include "automation/cronjobsfile.h"
#include "automation/crontimer.h"
#include "automation/scheduler.h"
#include "automation/scheduleritemdelegate.h"
#include "automation/scripthost.h"
#include "automation/scriptwatchdog.h"
#include "automation/tablemodelscheduler.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QTimeEdit>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The scheduler page of the window: the table from CronJobs.csv, its
// buttons, the switch, the script line.
class TestSchedulerWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void constructionLoadsJobsAndCountsDown();
    void dayToggleRewritesRuleAndClock();
    void editorsWriteBackTheirChoice();
    void addDeleteSaveAndReload();
    void switchChangesTextAndClock();
    void enterOnEmptyLineRunsSelectedJob();
    void runningWrapsPastMidnight();
    void stopButtonEndsAPollingScript();
    void missedRunIsLoggedWithJobAndTime();

private:
    // What the operator does: a click and a double click on the cell.
    void doubleClickCell(int row, int column)
    {
        const QPoint centre = view()->visualRect(model()->index(row, column)).center();
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, centre);
    }
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(name);
        return found ? found : (qFatal("missing child %s", name), nullptr);
    }
    TableModelScheduler *model() const { return m_window->scheduler()->model(); }
    QTableView *view() const { return child<QTableView>("tableViewScheduler"); }

    std::unique_ptr<LogCapture> m_log;
    ModalCloser m_modalCloser;
    std::unique_ptr<MainWindow> m_window;
};

void TestSchedulerWindow::initTestCase()
{
    const QString config = AppFolders::configFolder();
    QVERIFY(TestFiles::write(config + "/Orvanto.ini",
                             "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nStyle=Dark\nLocalIP=127.0.0.1\n"
                             "ScriptLimit=7\n"));
    QVERIFY(TestFiles::write(config + "/CronJobs.csv",
                             CronJobsFile::headerLine() + "AllOn.js,08:30,,0,0,0,0,0,0,0,No,0\r\n"
                                                          "AllOff.js,18:00,1;2;3;4;5,1,1,1,1,1,0,0,No,0\r\n"
                                                          "StatusReport.js,00:10,*,1,1,1,1,1,1,1,No,0\r\n"));

    m_log = std::make_unique<LogCapture>(OrvLogging::TraceLevel);
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->findChild<QAction *>("actionSchedule")->trigger();
}

void TestSchedulerWindow::constructionLoadsJobsAndCountsDown()
{
    const int create = m_log->find("Create Scheduler");
    QVERIFY(m_log->find("Build IP Tree") < create && create < m_log->find("Create Status/Cmd Panel"));
    QCOMPARE(model()->jobCount(), 3);
    QCOMPARE(m_window->scheduler()->cronTimer()->rowCount(), 4);
    QVERIFY(m_window->scheduler()->delegate()->scriptFiles().contains("AllOn.js"));
    // The periodic job counts down from its ten minutes.
    QTRY_VERIFY(model()->text(2, TableModelScheduler::ColumnRunning).toInt() > 0);
    QVERIFY(model()->text(2, TableModelScheduler::ColumnRunning).toInt() <= 600);
    QVERIFY(m_window->scheduler()->cronTimer()->isActive());
    QCOMPARE(m_window->scriptHost()->watchdog()->runLimitMs(), 7 * 60 * 1000);
    QCOMPARE(child<QSpinBox>("spinBox_ScriptLimit")->value(), 7);
    for (const char *sound : {"Beethoven5", "Pacmandies", "Ding", "Gong", "Harp"}) // the scripts' sounds
        QVERIFY2(QFile::exists(QString(":/audio/%1.wav").arg(sound)), sound);
}

void TestSchedulerWindow::dayToggleRewritesRuleAndClock()
{
    doubleClickCell(0, 3);
    doubleClickCell(0, 5);
    QCOMPARE(m_window->getSchedulerWeekDays(0), QString("1;3"));
    QCOMPARE(m_window->scheduler()->cronTimer()->rule(0), QString("1;3"));
    doubleClickCell(0, 3);
    QCOMPARE(m_window->scheduler()->cronTimer()->rule(0), QString("3"));
    // Editing the time reaches the clock too.
    model()->setData(model()->index(0, TableModelScheduler::ColumnTime), "09:15");
    QCOMPARE(m_window->scheduler()->cronTimer()->time(0), QTime(9, 15));
}

void TestSchedulerWindow::editorsWriteBackTheirChoice()
{
    SchedulerItemDelegate *delegate = m_window->scheduler()->delegate();
    const QStyleOptionViewItem option;
    const QModelIndex time = model()->index(0, TableModelScheduler::ColumnTime);
    std::unique_ptr<QWidget> editor(delegate->createEditor(view()->viewport(), option, time));
    auto *timeEdit = qobject_cast<QTimeEdit *>(editor.get());
    QVERIFY(timeEdit);
    delegate->setEditorData(timeEdit, time);
    QCOMPARE(timeEdit->time(), QTime(9, 15));
    timeEdit->setTime(QTime(6, 5));
    delegate->setModelData(timeEdit, model(), time);
    QCOMPARE(model()->text(0, TableModelScheduler::ColumnTime), QString("06:05"));

    const QModelIndex job = model()->index(0, TableModelScheduler::ColumnJob);
    editor.reset(delegate->createEditor(view()->viewport(), option, job));
    auto *scriptBox = qobject_cast<QComboBox *>(editor.get());
    QVERIFY(scriptBox);
    delegate->setEditorData(scriptBox, job);
    QCOMPARE(scriptBox->currentText(), QString("AllOn.js"));
    QVERIFY(scriptBox->findText("LampHoursCheck.js") >= 0);

    // The Run words are shown translated; the file keeps "Yes" and "No".
    const QModelIndex run = model()->index(0, TableModelScheduler::ColumnRun);
    model()->setData(run, "Yes");
    editor.reset(delegate->createEditor(view()->viewport(), option, run));
    auto *runBox = qobject_cast<QComboBox *>(editor.get());
    QVERIFY(runBox);
    runBox->setItemText(0, QString::fromUtf8("\u662f"));
    runBox->setItemText(1, QString::fromUtf8("\u5426"));
    delegate->setEditorData(runBox, run);
    QCOMPARE(runBox->currentIndex(), 0);
    runBox->setCurrentIndex(1);
    delegate->setModelData(runBox, model(), run);
    QCOMPARE(model()->text(0, TableModelScheduler::ColumnRun), QString("No"));
}

void TestSchedulerWindow::addDeleteSaveAndReload()
{
    view()->setCurrentIndex(model()->index(1, 0));
    QTest::mouseClick(child<QPushButton>("pushButton_SchedulerAdd"), Qt::LeftButton);
    QCOMPARE(model()->jobCount(), 4);
    QCOMPARE(model()->text(1, 0), QString());
    model()->setData(model()->index(1, 0), "LampHoursCheck.js");
    model()->setData(model()->index(1, 1), "07:45");
    view()->setCurrentIndex(model()->index(2, 0));
    QTest::mouseClick(child<QPushButton>("pushButton_SchedulerDel"), Qt::LeftButton);
    QCOMPARE(model()->jobCount(), 3);
    QCOMPARE(model()->text(2, 0), QString("StatusReport.js"));
    // The clock follows at once: no row fires at a deleted row's time.
    CronTimer *cron = m_window->scheduler()->cronTimer();
    QCOMPARE(cron->rowCount(), model()->rowCount());
    for (int row = 0; row < model()->jobCount(); ++row)
        QCOMPARE(cron->time(row).toString("hh:mm"), model()->text(row, TableModelScheduler::ColumnTime));

    QTemporaryDir dir;
    const QString path = dir.filePath("saved.csv");
    QVERIFY(m_window->scheduler()->saveTo(path));
    QVector<QStringList> reloaded;
    QVERIFY(CronJobsFile::read(path, &reloaded));
    QCOMPARE(reloaded, model()->jobs());
}

void TestSchedulerWindow::switchChangesTextAndClock()
{
    auto *button = child<QPushButton>("pushButton_ScheduleOnOff");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QString("Scheduler On!"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QString("Scheduler Off"));
    QCOMPARE(child<QAction>("actionTime")->text(), QString("00:00"));
}

void TestSchedulerWindow::enterOnEmptyLineRunsSelectedJob()
{
    auto *line = child<QLineEdit>("lineEditScript");
    auto *console = child<QPlainTextEdit>("plainTextConsole");
    // AllOn.js with Run "No": selected and entered, nothing runs.
    view()->setCurrentIndex(model()->index(0, 0));
    line->clear();
    QTest::keyClick(line, Qt::Key_Return);
    QVERIFY(!console->toPlainText().contains("AllOn: Orvanto-1.1.3.0"));
    model()->setData(model()->index(0, TableModelScheduler::ColumnRun), "Yes");
    QTest::keyClick(line, Qt::Key_Return);
    QTRY_VERIFY(console->toPlainText().contains("AllOn: Orvanto-1.1.3.0"));

    line->setText("nosuch.call()");
    QTest::keyClick(line, Qt::Key_Return);
    QVERIFY2(m_window->statusBar()->currentMessage().contains("ReferenceError"),
             qPrintable(m_window->statusBar()->currentMessage()));
}

void TestSchedulerWindow::runningWrapsPastMidnight()
{
    // A daily job whose time passed a minute ago runs again in 23:59:00.
    m_window->slotOnNowToSecs(1, -60);
    QCOMPARE(SchedulerItemDelegate::runningText(model()->text(1, 11).toInt()), QString("23:59:00"));
    m_window->slotOnNowToSecs(1, 125);
    QCOMPARE(SchedulerItemDelegate::runningText(model()->text(1, 11).toInt()), QString("00:02:05"));
}

void TestSchedulerWindow::stopButtonEndsAPollingScript()
{
    auto *stop = child<QPushButton>("pushButton_StopScript");
    QVERIFY(stop->isHidden());
    auto *line = child<QLineEdit>("lineEditScript");
    line->setText("for (;;) Orvanto.waitTcpClose();");
    bool shown = false;
    int runningAfterStop = -1;
    QTimer::singleShot(300, stop, [&] {
        shown = stop->isVisible();
        QTest::mouseClick(stop, Qt::LeftButton);
        // Seen from inside the wait if the stop had to wait for it to end.
        QTimer::singleShot(50, stop, [&] { runningAfterStop = m_window->scriptHost()->isRunning(); });
    });
    QTest::keyClick(line, Qt::Key_Return);
    QVERIFY(shown);
    QTRY_COMPARE(runningAfterStop, 0);
    QVERIFY(stop->isHidden());
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("Script stopped by the operator"));
}

void TestSchedulerWindow::missedRunIsLoggedWithJobAndTime()
{
    emit m_window->scheduler()->cronTimer()->sigMissedTask(0, QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
    const QString line = m_log->lines().value(m_log->find("Scheduled job missed"));
    QVERIFY2(line.startsWith("WARN") && line.contains("AllOn.js") && line.contains("2026-12-07 07:00"), qPrintable(line));
}

ORV_TEST_MAIN(TestSchedulerWindow)
#include "tst_schedulerwindow.moc"
