#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

class QPlainTextEdit;

// The console log's text pane at fleet scale: lines handed in during one
// turn of the event loop are appended together in one edit on the next
// turn, and the pane keeps the newest MaxBlocks lines (a day of polling
// would otherwise add hundreds of thousands). Nothing is kept for undo.
// A flood is spread over turns, MaxLinesPerTurn at a time (about 10 ms).
class ConsolePane final : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxBlocks = 20000;
    static constexpr int MaxLinesPerTurn = 1000;

    explicit ConsolePane(QPlainTextEdit *view, QObject *parent = nullptr);

    // Queues line in colour; it shows on the next turn of the event loop.
    void append(const QString &line, const QColor &colour);
    // Appends every queued line now (before the pane's text is read or saved).
    void flush();
    // Appends up to MaxLinesPerTurn queued lines; the rest follow next turn.
    void flushTurn();
    // Empties the pane, queued lines included.
    void clear();
    int pendingLines() const { return int(m_pending.size()); }

private:
    struct Line
    {
        QString text;
        QColor colour;
    };

    void appendPending(size_t count);

    QPlainTextEdit *m_view;
    std::deque<Line> m_pending;
    QTimer m_flushTimer;
};
