#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The job table of the scheduler page: one row per job with the twelve
// texts of CronJobs.csv, plus an empty last row (not editable) so the
// operator can select the place after the last job.
class TableModelScheduler final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        ColumnJob = 0,
        ColumnTime = 1,
        ColumnWeekDays = 2,
        ColumnMonday = 3,
        ColumnSunday = 9,
        ColumnRun = 10,
        ColumnRunning = 11,
        ColumnCount = 12
    };

    // The twelve header texts, translated.
    static QStringList defaultHeaders();

    // fileText: the text of a CronJobs.csv (header line first).
    TableModelScheduler(const QStringList &headers, const QString &fileText, QObject *parent = nullptr);

    void setJobs(const QVector<QStringList> &jobs);
    QVector<QStringList> jobs() const { return m_jobs; }
    int jobCount() const { return m_jobs.size(); }
    QString text(int row, int column) const;
    // Whether the row's Run cell lets it run ("y" in either case).
    bool runEnabled(int row) const;
    // The Running cell, written by the clock every second for every job:
    // kept cheap, and silent when the value did not change.
    void setRunning(int row, int seconds);
    // An empty Running cell: the job does not run today.
    void clearRunning(int row);
    // The weekday rule written from the row's seven day flags.
    QString weekDaysFromFlags(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

private:
    void setRunningText(int row, QString text);
    bool isJob(const QModelIndex &index) const;

    QStringList m_headers;
    QVector<QStringList> m_jobs;
};
