#include "automation/scheduler.h"

#include "app/orvlog/OrvLog.h"
#include "automation/cronjobsfile.h"
#include "automation/crontimer.h"
#include "automation/scheduleritemdelegate.h"
#include "automation/scripthost.h"
#include "automation/tablemodelscheduler.h"
#include "automation/weekdayrule.h"

#include <QDir>
#include <QHeaderView>
#include <QTableView>

namespace {

const int ColumnWidths[TableModelScheduler::ColumnCount] = {150, 100, 120, 40, 40, 40, 40, 40, 40, 40, 120, 200};

} // namespace

Scheduler::Scheduler(ScriptHost *scripts, const QString &configFolder, QObject *parent)
    : QObject(parent),
      m_scripts(scripts),
      m_configFolder(configFolder),
      m_model(new TableModelScheduler(TableModelScheduler::defaultHeaders(), QString(), this)),
      m_cron(new CronTimer(this))
{
    // The clock fires by row number: every insert and removal rebuilds its
    // list at once, each remaining job keeping its own state, so a deleted
    // job never lends its time to the job that moves up into its row.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        m_cron->insertRows(first, last - first + 1);
        updateCronTimerList();
    });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        m_cron->removeRows(first, last - first + 1);
        updateCronTimerList();
    });
    connect(m_cron, &CronTimer::sigMissedTask, this, [this](int row, const QDateTime &moment) {
        OLOG_WARN() << "Scheduled job missed (not run):" << m_model->text(row, TableModelScheduler::ColumnJob)
                    << "due at" << moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    });
}

void Scheduler::setScriptHost(ScriptHost *scripts)
{
    m_scripts = scripts;
}

QString Scheduler::filePath() const
{
    return QDir(m_configFolder).filePath(CronJobsFile::fileName());
}

bool Scheduler::load()
{
    QVector<QStringList> jobs;
    QStringList warnings;
    const bool found = CronJobsFile::read(filePath(), &jobs, &warnings);
    for (const QString &warning : qAsConst(warnings))
        OLOG_WARN() << "CronJobs.csv" << qUtf8Printable(warning);
    m_model->setJobs(jobs);
    return found;
}

void Scheduler::attachView(QTableView *view, bool darkStyle)
{
    view->setModel(m_model);
    m_delegate = new SchedulerItemDelegate(view, m_scripts ? m_scripts->scriptFiles() : QStringList(), darkStyle);
    view->setItemDelegate(m_delegate);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setDefaultSectionSize(24);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < TableModelScheduler::ColumnCount; ++column)
        view->setColumnWidth(column, ColumnWidths[column]);
}

void Scheduler::startClock()
{
    connect(m_cron, &CronTimer::sigNotToday, m_model, &TableModelScheduler::clearRunning, Qt::UniqueConnection);
    m_cron->start(1000);
    updateCronTimerList();
}

void Scheduler::fireTask(int row)
{
    const QString job = m_model->text(row, TableModelScheduler::ColumnJob);
    const QString run = m_model->text(row, TableModelScheduler::ColumnRun);
    OLOG_DEBUG() << "Task:" << row << "   Job:" << job << " Run:" << run;
    if (!job.isEmpty() && m_model->runEnabled(row) && m_scripts)
        m_scripts->runFile(job);
}

void Scheduler::showSecondsToRun(int row, int seconds)
{
    const int shown = seconds < 0 ? seconds + SchedulerItemDelegate::RunningRange : seconds;
    m_model->setRunning(row, shown);
}

void Scheduler::updateCronTimerList()
{
    QStringList times;
    QStringList rules;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        times.append(m_model->text(row, TableModelScheduler::ColumnTime));
        rules.append(m_model->text(row, TableModelScheduler::ColumnWeekDays));
    }
    m_cron->setJobs(times, rules);
}

void Scheduler::onModelDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    Q_UNUSED(bottomRight)
    if (topLeft.column() == TableModelScheduler::ColumnTime || topLeft.column() == TableModelScheduler::ColumnWeekDays)
        updateCronTimerList();
}

void Scheduler::toggleDay(const QModelIndex &index)
{
    const int column = index.column();
    if (!index.isValid() || column < TableModelScheduler::ColumnMonday || column > TableModelScheduler::ColumnSunday
        || index.row() >= m_model->jobCount())
        return;
    const bool set = WeekdayRule::flagIsSet(index.data().toString());
    m_model->setData(index, set ? 0 : 1, Qt::EditRole);
    m_model->setData(m_model->index(index.row(), TableModelScheduler::ColumnWeekDays), weekDays(index.row()),
                     Qt::EditRole);
}

QString Scheduler::weekDays(int row) const
{
    return m_model->weekDaysFromFlags(row);
}

bool Scheduler::addJob(int row)
{
    if (row < 0)
        return false;
    return m_model->insertRows(qMin(row, m_model->jobCount()), 1);
}

bool Scheduler::deleteJob(int row)
{
    if (row < 0 || row >= m_model->jobCount())
        return false;
    return m_model->removeRows(row, 1);
}

bool Scheduler::saveTo(const QString &path, QString *error) const
{
    return CronJobsFile::write(path, m_model->jobs(), error);
}
