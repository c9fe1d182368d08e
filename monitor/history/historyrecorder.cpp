#include "monitor/history/historyrecorder.h"

#include "monitor/tablemodelstatus.h"

HistoryRecorder::HistoryRecorder(const TableModelStatus *table, QObject *parent) : QObject(parent), m_table(table)
{
}

void HistoryRecorder::sweepStarted(const QTime &stamp)
{
    // Sweeps that never end (a lost session) must not pile up.
    if (m_sweeps.size() > 64)
        m_sweeps.clear();
    m_sweeps.insert(stamp);
}

void HistoryRecorder::taskEnded(const QTime &stamp)
{
    if (!m_sweeps.remove(stamp))
        return;
    const QVector<ProjectorState> states = snapshot();
    emit sigSweepRecorded(states, alertInputs(states));
}

int HistoryRecorder::hoursOf(const QString &cell)
{
    const QString text = cell.trimmed();
    int digits = 0;
    while (digits < text.size() && digits < 9 && text.at(digits).isDigit())
        ++digits;
    return digits ? text.left(digits).toInt() : -1;
}

QVector<ProjectorState> HistoryRecorder::snapshot() const
{
    QVector<ProjectorState> states;
    const QStringList connected = m_table->connectedList();
    const QSet<QString> reachable(connected.cbegin(), connected.cend());
    states.reserve(m_table->rowCount());
    for (int row = 0; row < m_table->rowCount(); ++row) {
        ProjectorState s;
        s.ip = m_table->cell(row, TableModelStatus::AddressColumn);
        if (s.ip.isEmpty())
            continue;
        s.reachable = reachable.contains(s.ip);
        s.power = m_table->cell(row, TableModelStatus::StatusColumn).trimmed();
        s.errorCode = m_table->cell(row, TableModelStatus::ErrorCodeColumn).trimmed();
        if (m_errorReading)
            s.errorCode = m_errorReading(s.ip, s.errorCode);
        s.lampHours = hoursOf(m_table->cell(row, TableModelStatus::HoursColumn));
        s.input = m_table->cell(row, TableModelStatus::InputColumn);
        s.signal = m_table->cell(row, TableModelStatus::SignalColumn);
        states.append(s);
    }
    return states;
}

QVector<AlertInput> HistoryRecorder::alertInputs(const QVector<ProjectorState> &states) const
{
    QVector<AlertInput> inputs;
    inputs.reserve(states.size());
    for (const ProjectorState &s : states) {
        const int row = m_table->rowOfAddress(s.ip);
        const int life = row < 0 ? 0 : hoursOf(m_table->cell(row, TableModelStatus::LifeColumn));
        inputs.append(AlertInput{s.ip, s.reachable, s.errorCode, s.lampHours, qMax(0, life)});
    }
    return inputs;
}
