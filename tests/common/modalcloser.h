#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

// Closes every modal window that comes up (message boxes, the projector-models
// dialog shown while the main window is built, About boxes) and remembers what
// it saw. Modal windows run an event loop of their own; the timer runs inside
// it. Message boxes are answered with OK, other dialogs are closed.
class ModalCloser : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString className;
        QString title;
        QString text; // message boxes only
        bool isMessageBox = false;
    };

    explicit ModalCloser(QObject *parent = nullptr);

    // Called with each modal window just before it is closed.
    void setInspector(std::function<void(QWidget *)> inspector) { m_inspector = std::move(inspector); }

    const QList<Seen> &seen() const { return m_seen; }
    QStringList classNames() const;
    // Titles and texts of the message boxes seen, in order.
    QStringList titles() const;
    QStringList texts() const;
    void clear() { m_seen.clear(); }

private:
    void poll();

    QTimer m_timer;
    QList<Seen> m_seen;
    std::function<void(QWidget *)> m_inspector;
};
