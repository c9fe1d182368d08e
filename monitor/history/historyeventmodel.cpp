#include "monitor/history/historyeventmodel.h"

HistoryEventModel::HistoryEventModel(const QStringList &header, const QStringList &kindWords, QObject *parent)
    : QAbstractTableModel(parent), m_header(header), m_kindWords(kindWords)
{
}

void HistoryEventModel::setErrorDecoder(ErrorDecoder decoder)
{
    beginResetModel();
    m_decode = std::move(decoder);
    m_decoded.clear();
    refilter();
    endResetModel();
}

void HistoryEventModel::setEvents(const QVector<HistoryEvent> &events, const QStringList &times)
{
    beginResetModel();
    m_events = events;
    m_times = times;
    refilter();
    endResetModel();
}

void HistoryEventModel::setFilter(int kind, const QString &text)
{
    beginResetModel();
    m_kind = kind;
    m_text = text.trimmed();
    refilter();
    endResetModel();
}

bool HistoryEventModel::kindMatches(HistoryEvent::Kind kind) const
{
    return m_kind == AllKinds || kind == m_kind ||
           (m_kind == HistoryEvent::ErrorAppeared && kind == HistoryEvent::ErrorCleared) ||
           (m_kind == HistoryEvent::ProjectorLost && kind == HistoryEvent::ProjectorBack);
}

void HistoryEventModel::refilter()
{
    m_shown.clear();
    m_shown.reserve(m_events.size());
    for (int i = 0; i < m_events.size(); ++i) {
        if (!kindMatches(m_events.at(i).kind))
            continue;
        bool textMatches = m_text.isEmpty();
        for (int column = 0; !textMatches && column < m_header.size(); ++column)
            textMatches = cell(i, column).contains(m_text, Qt::CaseInsensitive);
        if (textMatches)
            m_shown.append(i);
    }
}

QString HistoryEventModel::detailWords(const HistoryEvent &event) const
{
    if ((event.kind != HistoryEvent::ErrorAppeared && event.kind != HistoryEvent::ErrorCleared) || !m_decode)
        return event.detail;
    // A projector's history repeats a handful of codes: decode each once.
    auto known = m_decoded.constFind(event.detail);
    if (known == m_decoded.constEnd()) {
        const QString words = m_decode(event.detail).simplified();
        known = m_decoded.insert(event.detail, words.isEmpty() ? event.detail : event.detail + QStringLiteral("  ") + words);
    }
    return *known;
}

QString HistoryEventModel::cell(int event, int column) const
{
    const HistoryEvent &e = m_events.at(event);
    switch (column) {
    case 0:
        return event < m_times.size() ? m_times.at(event)
                                      : e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case 1:
        return m_kindWords.value(e.kind);
    case 2:
        return detailWords(e);
    default:
        return QString();
    }
}

int HistoryEventModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown.size();
}

int HistoryEventModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_header.size();
}

QVariant HistoryEventModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    return cell(m_shown.at(index.row()), index.column());
}

QVariant HistoryEventModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_header.value(section);
}
