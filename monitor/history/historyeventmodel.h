#pragma once

#include "monitor/history/historyevent.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <functional>

// One projector's events as the history window lists them: time, event,
// detail, newest last. Filtering keeps a list of row numbers instead of
// rebuilding cells, and cell texts are made only for the rows a view asks
// for, so a long history costs the window little.
class HistoryEventModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The decoded words of an error code ("" when it has none).
    using ErrorDecoder = std::function<QString(const QString &code)>;
    // What the kind filter can ask for: one kind or all of them. Errors
    // brings their clearing along, and lost brings back.
    static constexpr int AllKinds = -1;

    // kindWords: the words for each HistoryEvent::Kind, in its order.
    HistoryEventModel(const QStringList &header, const QStringList &kindWords, QObject *parent = nullptr);

    void setErrorDecoder(ErrorDecoder decoder);
    // times: each event's time as shown; the events' own times when short.
    void setEvents(const QVector<HistoryEvent> &events, const QStringList &times);
    // Shows the events of kind (or AllKinds) whose cells hold text, ignoring case.
    void setFilter(int kind, const QString &text);
    int eventCount() const { return m_events.size(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString cell(int event, int column) const;
    QString detailWords(const HistoryEvent &event) const;
    bool kindMatches(HistoryEvent::Kind kind) const;
    void refilter();

    QStringList m_header;
    QStringList m_kindWords;
    ErrorDecoder m_decode;
    QVector<HistoryEvent> m_events;
    QStringList m_times;
    QVector<int> m_shown; // events shown, by index, oldest first
    int m_kind = AllKinds;
    QString m_text;
    mutable QHash<QString, QString> m_decoded; // error code -> detail words
};
