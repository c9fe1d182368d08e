#pragma once

#include "monitor/powerswitchrule.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class SessionPool;
// All On / All Off over a list of projectors: every projector is asked its
// power state (many at a time, never the whole fleet at once: each question
// waits for a slot of the session pool), and the outcomes are reported
// strictly in list order, one log line each, with the power command sent to
// those in the state the switch starts from. The walk takes about one
// question time-out per pool's worth of silent projectors, and never holds
// the caller.
//
// Questions start only from the pool, on their own event-loop turn: a whole
// fleet whose connects fail at once (no route, no file descriptors left)
// ends one question after the other, never one inside the other.
class PowerSwitchWalk : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultConcurrency = 64;

    // Power-state query of a projector ("op status ?"), null when unknown.
    using QueryLookup = std::function<QString(const QString &ip)>;
    // The command that switches it ("op power.on"), null when unknown.
    using CommandLookup = std::function<QString(const QString &ip, PowerSwitchRule::Direction direction)>;

    explicit PowerSwitchWalk(QObject *parent = nullptr);

    void setConcurrency(int count) { m_concurrency = qMax(1, count); }
    // The pool the questions draw from; without one the walk keeps its own.
    void setSessionPool(SessionPool *pool) { m_pool = pool; }
    void setWaitMs(int ms) { m_waitMs = ms; }
    void setQueryLookup(QueryLookup lookup) { m_queryLookup = std::move(lookup); }
    void setCommandLookup(CommandLookup lookup) { m_commandLookup = std::move(lookup); }
    // With sending disabled nobody is asked: every projector is "No Answer:".
    void setSendingEnabled(bool enabled) { m_sendingEnabled = enabled; }

    bool isRunning() const { return m_running; }
    // False (and nothing happens) while a walk runs.
    bool start(PowerSwitchRule::Direction direction, const QStringList &addresses, quint16 port);

signals:
    void sigLog(const QString &line);
    // The power command for one projector, to go out as a single command.
    void sigSendCommand(const QString &ip, const QString &command);
    void sigFinished();

private:
    void launchMore();
    void onProbeFinished(int index, int code);
    void reportReady();

    static constexpr int Pending = -1000;

    int m_concurrency = DefaultConcurrency;
    int m_waitMs = 3000;
    QueryLookup m_queryLookup;
    CommandLookup m_commandLookup;
    bool m_sendingEnabled = true;
    SessionPool *m_pool = nullptr;

    bool m_running = false;
    PowerSwitchRule::Direction m_direction = PowerSwitchRule::Direction::On;
    QStringList m_addresses;
    QVector<int> m_codes;
    quint16 m_port = 0;
    int m_nextToLaunch = 0;
    int m_nextToReport = 0;
    int m_inFlight = 0;
};
