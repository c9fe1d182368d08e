#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

class QPlainTextEdit;

// The console log's text pane at fleet scale: lines handed in during one
// turn of the event loop are appended together in one edit on the next
// turn, and the pane keeps the newest MaxBlocks lines (a day of polling
// would otherwise add hundreds of thousands). Nothing is kept for undo.
class ConsolePane final : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxBlocks = 20000;

    explicit ConsolePane(QPlainTextEdit *view, QObject *parent = nullptr);

    // Queues line in colour; it shows on the next turn of the event loop.
    void append(const QString &line, const QColor &colour);
    // Appends every queued line now (before the pane's text is read or saved).
    void flush();
    // Empties the pane, queued lines included.
    void clear();
    int pendingLines() const { return m_pending.size(); }

private:
    struct Line
    {
        QString text;
        QColor colour;
    };

    QPlainTextEdit *m_view;
    QVector<Line> m_pending;
    QTimer m_flushTimer;
};
