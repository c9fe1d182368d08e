#pragma once

#include <QModelIndex>
#include <QObject>
#include <QString>

class CronTimer;
class QTableView;
class ScriptHost;
class SchedulerItemDelegate;
class TableModelScheduler;

// Owner of the scheduler page: the job table (loaded from CronJobs.csv in
// the configuration folder), its one-second clock and the firing of jobs
// through the script host.
class Scheduler : public QObject
{
    Q_OBJECT

public:
    Scheduler(ScriptHost *scripts, const QString &configFolder, QObject *parent = nullptr);

    void setScriptHost(ScriptHost *scripts);
    QString filePath() const;
    // Loads CronJobs.csv; false (and an empty table) when it is missing.
    bool load();
    // Model, delegate and the table's look.
    void attachView(QTableView *view, bool darkStyle);
    // Rebuilds the clock's list and starts it (first check at once).
    void startClock();

    TableModelScheduler *model() const { return m_model; }
    CronTimer *cronTimer() const { return m_cron; }
    SchedulerItemDelegate *delegate() const { return m_delegate; }

    // Runs the row's script when its name is set and Run holds "y".
    void fireTask(int row);
    // Writes the Running cell (seconds to the next run, wrapped to be positive).
    void showSecondsToRun(int row, int seconds);
    void updateCronTimerList();
    void onModelDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    // Day toggle for columns Mon..Sun; rewrites the row's weekday rule.
    void toggleDay(const QModelIndex &index);
    QString weekDays(int row) const;
    // An empty job before row; the job at row removed. False for no row.
    bool addJob(int row);
    bool deleteJob(int row);
    bool saveTo(const QString &path, QString *error = nullptr) const;

private:
    ScriptHost *m_scripts;
    QString m_configFolder;
    TableModelScheduler *m_model;
    CronTimer *m_cron;
    SchedulerItemDelegate *m_delegate = nullptr;
};
