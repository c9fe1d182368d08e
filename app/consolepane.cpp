#include "app/consolepane.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

ConsolePane::ConsolePane(QPlainTextEdit *view, QObject *parent) : QObject(parent), m_view(view)
{
    view->setMaximumBlockCount(MaxBlocks);
    // The pane is read-only: an undo history would only keep every line
    // ever removed from the top.
    view->setUndoRedoEnabled(false);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    connect(&m_flushTimer, &QTimer::timeout, this, &ConsolePane::flushTurn);
}

void ConsolePane::append(const QString &line, const QColor &colour)
{
    // Lines that would be pushed out by the same flush are dropped now.
    if (m_pending.size() >= size_t(MaxBlocks))
        m_pending.pop_front();
    m_pending.push_back({line, colour});
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void ConsolePane::flush()
{
    m_flushTimer.stop();
    appendPending(m_pending.size());
}

void ConsolePane::flushTurn()
{
    appendPending(qMin(m_pending.size(), size_t(MaxLinesPerTurn)));
    if (!m_pending.empty())
        m_flushTimer.start();
}

void ConsolePane::appendPending(size_t count)
{
    if (count == 0)
        return;
    QTextDocument *document = m_view->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    bool first = document->isEmpty();
    QTextCharFormat format;
    for (size_t i = 0; i < count; ++i) {
        const Line &line = m_pending.at(i);
        if (!first)
            cursor.insertBlock();
        first = false;
        format.setForeground(line.colour);
        cursor.insertText(line.text, format);
    }
    cursor.endEditBlock();
    m_pending.erase(m_pending.begin(), m_pending.begin() + long(count));
    m_view->moveCursor(QTextCursor::End);
}

void ConsolePane::clear()
{
    m_flushTimer.stop();
    m_pending.clear();
    m_view->clear();
}
