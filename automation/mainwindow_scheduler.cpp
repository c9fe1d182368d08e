// The scheduler page: its owner (Scheduler) holds the job table and the
// clock; the window wires the page's widgets to it.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "automation/crontimer.h"
#include "automation/scheduler.h"
#include "automation/scripthost.h"
#include "automation/tablemodelscheduler.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

void MainWindow::setupScheduler()
{
    m_scheduler = new Scheduler(nullptr, AppFolders::configFolder(), this);
    if (!m_scheduler->load()) {
        // The window stays usable with an empty table: the operator can add
        // jobs and save them, rather than lose the whole program to a
        // missing schedule.
        OLOG_FATAL() << "CronJobs.csv not exist!";
        QTimer::singleShot(0, this, [this] { displayStatusMessage(tr("Error: CronJobs.csv file not found!")); });
    }
    setupScriptEngine();
    m_scheduler->setScriptHost(m_scriptHost);
    m_scheduler->attachView(ui->tableViewScheduler, m_settings.darkStyle);

    CronTimer *cron = m_scheduler->cronTimer();
    connect(cron, &CronTimer::sigFireTask, this, &MainWindow::slotFireTask);
    connect(m_scheduler->model(), &QAbstractItemModel::dataChanged, this, &MainWindow::slotOnModelDataChanged);
    connect(cron, &CronTimer::sigNowToSecs, this, &MainWindow::slotOnNowToSecs);
    m_scheduler->startClock();
    // Text and icon follow the switch however it changes (click, keyboard,
    // setChecked from code).
    connect(ui->pushButton_ScheduleOnOff, &QPushButton::toggled, this, [this](bool on) {
        ui->pushButton_ScheduleOnOff->setText(on ? tr("Scheduler On!") : tr("Scheduler Off"));
        ui->actionSchedule->setIcon(
            QIcon(on ? QStringLiteral(":/images/clockG.png") : QStringLiteral(":/images/clock.png")));
    });
}

QString MainWindow::getSchedulerWeekDays(int row) const
{
    return m_scheduler->weekDays(row);
}

void MainWindow::slotFireTask(int row)
{
    m_scheduler->fireTask(row);
}

void MainWindow::slotOnNowToSecs(int row, int seconds)
{
    m_scheduler->showSecondsToRun(row, seconds);
}

void MainWindow::slotUpdateCronTimerList()
{
    m_scheduler->updateCronTimerList();
}

void MainWindow::slotOnModelDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    m_scheduler->onModelDataChanged(topLeft, bottomRight);
}

void MainWindow::on_tableViewScheduler_doubleClicked(const QModelIndex &index)
{
    m_scheduler->toggleDay(index);
}

void MainWindow::on_pushButton_SchedulerAdd_clicked()
{
    m_scheduler->addJob(ui->tableViewScheduler->currentIndex().row());
}

void MainWindow::on_pushButton_SchedulerDel_clicked()
{
    m_scheduler->deleteJob(ui->tableViewScheduler->currentIndex().row());
}

void MainWindow::on_pushButton_SchedulerSave_clicked()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Scheduler As"), m_scheduler->filePath(),
                                                      tr("CSV(*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!m_scheduler->saveTo(path, &error)) {
        OLOG_ERROR() << "Scheduler save Error!" << path << error;
        QMessageBox::critical(this, tr("Error"), tr("Scheduler save Error!"), QMessageBox::Ok);
    }
}

void MainWindow::on_pushButton_ScheduleOnOff_clicked()
{
    // Text and icon have followed the switch already (see setupScheduler);
    // the clock follows at once rather than at the next second. The switch
    // changes only this display: jobs are checked and fired either way.
    showTime();
}
