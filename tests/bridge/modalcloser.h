#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Closes every modal message box shortly after it opens, so that a test can
// go on, and remembers what the boxes said. Message boxes run an event loop
// of their own; this timer runs inside it.
class ModalCloser : public QObject
{
    Q_OBJECT
public:
    explicit ModalCloser(QObject *parent = nullptr);

    QStringList titles() const { return m_titles; }
    QStringList texts() const { return m_texts; }
    void clear();

private:
    void check();

    QTimer m_timer;
    QStringList m_titles;
    QStringList m_texts;
};
