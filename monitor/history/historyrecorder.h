#pragma once

#include "monitor/history/alertrules.h"
#include "monitor/history/projectorstate.h"

#include <QObject>
#include <QSet>
#include <QTime>
#include <QVector>

#include <functional>

class TableModelStatus;

// Takes the status table's picture when a status sweep has ended (its task
// log is due) and hands it to the history and to the alert rules: one
// picture per sweep, whatever the fleet's size.
class HistoryRecorder : public QObject
{
    Q_OBJECT

public:
    explicit HistoryRecorder(const TableModelStatus *table, QObject *parent = nullptr);

    // The status sweep with this stamp went out.
    void sweepStarted(const QTime &stamp);
    // The task with this stamp ended; only sweeps are recorded.
    void taskEnded(const QTime &stamp);

    // Turns a row's Err cell into the code the history and the alerts
    // compare ("0000" or empty: no error). Without one the cell is taken as
    // it stands.
    using ErrorReading = std::function<QString(const QString &ip, const QString &cell)>;
    void setErrorReading(ErrorReading reading) { m_errorReading = std::move(reading); }

    // What the table shows now, one entry per row.
    QVector<ProjectorState> snapshot() const;
    QVector<AlertInput> alertInputs(const QVector<ProjectorState> &states) const;

    // Leading digits of a lamp-hours cell ("1234", "1234 h"), or -1.
    static int hoursOf(const QString &cell);

signals:
    void sigSweepRecorded(const QVector<ProjectorState> &states, const QVector<AlertInput> &alerts);

private:
    const TableModelStatus *m_table;
    QSet<QTime> m_sweeps;
    ErrorReading m_errorReading;
};
