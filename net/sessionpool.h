#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

// The one bound on how many conversations with projectors run at once.
// Sweeps, searches, the start-up check and power walks all queue their
// sessions here, so 2,000 projectors never mean 2,000 sockets (and file
// descriptors) at the same moment.
//
// A start is queued with a starter; the starter runs once a slot is free and
// returns the object that holds the slot (any kind of session: a command
// session, a probe, another protocol's session), or nullptr when it started
// nothing. The slot comes free when that object is destroyed or when
// release() is called for it, whichever comes first, so a session frees its
// slot whatever its fate.
//
// What the operator does by hand (a console line, a setting, a script)
// queues in its own lane, which goes first when a slot comes free: a sweep
// of thousands of projectors never makes a slider wait for its end.
//
// Starters never run inside submit() or release(): queued starts go out on
// a later event-loop turn. A session that fails at once inside its starter,
// and whose end starts the next one, therefore never nests one start inside
// another, however many of them fail in a row.
class SessionPool : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultLimit = 64;
    using Starter = std::function<QObject *()>;
    enum class Lane
    {
        Background, // sweeps, searches, checks, walks
        Operator    // sends the operator (or the operator's script) asked for
    };

    explicit SessionPool(QObject *parent = nullptr);

    void setLimit(int limit);
    int limit() const { return m_limit; }
    int inFlight() const { return int(m_holders.size()); }
    int waiting() const { return int(m_waiting.size() + m_operatorWaiting.size()); }
    // The most slots held at once since construction.
    int peak() const { return m_peak; }

    // Queues one start. With a context, the start is dropped when the
    // context is gone before a slot came free.
    void submit(Starter starter, const QObject *context = nullptr, Lane lane = Lane::Background);
    // Frees the slot session holds; nothing when it holds none.
    void release(QObject *session);

private:
    struct Waiting
    {
        Starter starter;
        QPointer<const QObject> context;
        bool hasContext = false;
    };

    void schedulePump();
    void pump();

    int m_limit = DefaultLimit;
    int m_peak = 0;
    bool m_pumpQueued = false;
    std::deque<Waiting> m_waiting;
    std::deque<Waiting> m_operatorWaiting;
    QHash<QObject *, QMetaObject::Connection> m_holders;
};
