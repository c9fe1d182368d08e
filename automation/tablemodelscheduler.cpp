#include "automation/tablemodelscheduler.h"

#include "app/orvlog/OrvLog.h"
#include "automation/cronjobsfile.h"
#include "automation/weekdayrule.h"

#include <QCoreApplication>

QStringList TableModelScheduler::defaultHeaders()
{
    return {tr("Scheduled Jobs"), tr("HH:MM"), tr("WeekDay(*,1-7)"), tr("Mon"), tr("Tue"), tr("Wed"),
            tr("Thu"),            tr("Fri"),   tr("Sat"),            tr("Sun"), tr("Run"), tr("Running")};
}

TableModelScheduler::TableModelScheduler(const QStringList &headers, const QString &fileText, QObject *parent)
    : QAbstractTableModel(parent), m_headers(headers)
{
    QStringList warnings;
    m_jobs = CronJobsFile::parse(fileText, &warnings);
    for (const QString &warning : qAsConst(warnings))
        OLOG_WARN() << "CronJobs.csv" << qUtf8Printable(warning);
}

void TableModelScheduler::setJobs(const QVector<QStringList> &jobs)
{
    beginResetModel();
    m_jobs = jobs;
    for (QStringList &job : m_jobs)
        while (job.size() < ColumnCount)
            job.append(QString());
    endResetModel();
}

QString TableModelScheduler::text(int row, int column) const
{
    if (row < 0 || row >= m_jobs.size())
        return QString();
    return m_jobs.at(row).value(column);
}

bool TableModelScheduler::runEnabled(int row) const
{
    return text(row, ColumnRun).contains(QLatin1Char('y'), Qt::CaseInsensitive);
}

void TableModelScheduler::setRunning(int row, int seconds)
{
    setRunningText(row, QString::number(seconds));
}

void TableModelScheduler::clearRunning(int row)
{
    setRunningText(row, QString());
}

void TableModelScheduler::setRunningText(int row, QString text)
{
    if (row < 0 || row >= m_jobs.size())
        return;
    QString &cell = m_jobs[row][ColumnRunning];
    if (cell == text)
        return;
    cell = std::move(text);
    const QModelIndex changed = index(row, ColumnRunning);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

QString TableModelScheduler::weekDaysFromFlags(int row) const
{
    QVector<bool> flags;
    for (int column = ColumnMonday; column <= ColumnSunday; ++column)
        flags.append(WeekdayRule::flagIsSet(text(row, column)));
    return WeekdayRule::fromFlags(flags);
}

int TableModelScheduler::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_jobs.size() + 1;
}

int TableModelScheduler::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool TableModelScheduler::isJob(const QModelIndex &index) const
{
    return index.isValid() && index.row() < m_jobs.size() && index.column() < ColumnCount;
}

QVariant TableModelScheduler::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return isJob(index) ? m_jobs.at(index.row()).value(column) : QString();
    case Qt::ToolTipRole:
        if (column == ColumnJob)
            return tr("Script file (doubleclick to change)");
        if (column == ColumnTime)
            return QString(tr("Schedule time") + QLatin1Char('\n')
                + tr("With \"*\" in WeekDay, HH:MM is a repeat period: 00:05 runs the job every 5 minutes"));
        if (column >= ColumnMonday && column <= ColumnSunday)
            return tr("Double-Click to toggle");
        if (column == ColumnRun)
            return tr("Yes or No");
        return QVariant();
    case Qt::TextAlignmentRole:
        return column == ColumnJob ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
    default:
        return QVariant();
    }
}

QVariant TableModelScheduler::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal) {
        if (section == ColumnRunning)
            return tr("time until the next run");
        if (section == ColumnWeekDays)
            return tr("Days 1 (Mon) to 7 (Sun), e.g. 1;3 or 1-5; \"*\" every day, with HH:MM as repeat period");
        return QVariant();
    }
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_headers.value(section);
    return section + 1;
}

bool TableModelScheduler::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !isJob(index))
        return false;
    QString text = value.toString();
    // One field of a comma-separated line: a comma or a line break in it
    // would change the file's columns or rows.
    text.replace(QLatin1Char(','), QLatin1Char(' '));
    text = text.simplified().left(CronJobsFile::MaxFieldLength);
    m_jobs[index.row()][index.column()] = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TableModelScheduler::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const int column = index.column();
    if (!isJob(index) || column == ColumnWeekDays || (column >= ColumnMonday && column <= ColumnSunday)
        || column == ColumnRunning)
        return base;
    return base | Qt::ItemIsEditable;
}

bool TableModelScheduler::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > m_jobs.size() || count <= 0)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        QStringList job;
        for (int column = 0; column < ColumnCount; ++column)
            job.append(QString());
        m_jobs.insert(row, job);
    }
    endInsertRows();
    return true;
}

bool TableModelScheduler::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > m_jobs.size())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    m_jobs.remove(row, count);
    endRemoveRows();
    return true;
}
