#pragma once

#include "monitor/pjlinkstatuscells.h"
#include "monitor/powerswitchrule.h"
#include "net/pjlinkdirectory.h"
#include "net/pjlinksession.h"

#include <QHash>
#include <QObject>
#include <QQueue>
#include <QSet>
#include <QStringList>
#include <QTime>

class PJLinkProbe;
class TableModelStatus;

// Owner of the PJLink projectors of the status table: finds out which
// addresses speak PJLink (probe, once per run), sweeps them, fills their
// rows, follows their notifications and switches them on or off.
//
// One PJLinkSession per projector, made when first needed; at most
// MaxConcurrent projectors are being talked to at a time (a sweep of a
// large fleet goes in slices, like the op sessions beside it). A class 1
// projector is never sent a class 2 request.
//
// Everything the projectors answer goes out through sigLog exactly as
// received, so the console and the task log show it under the address.
class PJLinkMonitor : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxConcurrent = 64;

    explicit PJLinkMonitor(TableModelStatus *model, QObject *parent = nullptr);

    void setModel(TableModelStatus *model) { m_model = model; }
    void setPassword(const QString &password) { m_password = password; }
    void setPort(quint16 port);
    void setAnswerTimeoutMs(int ms) { m_answerTimeoutMs = ms; }
    void setMaxConcurrent(int count) { m_maxConcurrent = qMax(1, count); }
    // What this run has learnt about PJLink addresses.
    PJLinkDirectory *directory() { return &m_directoryData; }

    // Status sweep of those addresses that speak PJLink; unknown addresses
    // are probed first and swept when they greet.
    void sweep(const QStringList &addresses);
    // All On / All Off: "%1POWR 1" only from standby, "%1POWR 0" only when
    // on; each projector is asked its power first. ERR3 is reported as
    // warming up / cooling down and not retried.
    void switchAll(PowerSwitchRule::Direction direction, const QStringList &addresses);
    // Finds out whether ip speaks PJLink (probed once per run) without
    // sweeping it; sigDetected when it does.
    void detect(const QString &ip);
    // A raw line for one projector (console, scripts). False when ip is not
    // a PJLink projector, the line not a PJLink line, or the projector is
    // class 1 and the line class 2.
    bool sendLine(const QString &ip, const QString &line);
    // A class 2 notification or a link-up from ip.
    void notify(const QString &ip, const QString &command, const QString &value);

    bool isBusy() const { return !m_waiting.isEmpty() || !m_active.isEmpty() || !m_probing.isEmpty(); }
    int ignoredNotifications() const { return m_ignoredNotifications; }

signals:
    void sigLog(const QString &line);
    // Every answer (ip, line as received), for the answer router and scripts.
    void sigCmdResult(const QString &ip, const QString &result);
    // A request that got no answer (time-out, refused connection, wrong
    // password); the session's other requests failed with it.
    void sigFailed(const QString &ip, const QString &request);
    // Every answer with the request it answers (the control panel).
    void sigAnswered(const QString &ip, const QString &request, const PJLinkReply &reply);
    // ip greeted on the PJLink port (probe) or announced itself (LKUP).
    void sigDetected(const QString &ip);
    // The last projector of a sweep or switch is done.
    void sigFinished();

private:
    struct Job
    {
        QString ip;
        QStringList requests;
        int switchTo = -1; // -1: no switch; 0 off, 1 on
    };

    PJLinkSession *session(const QString &ip);
    void enqueue(const Job &job);
    void startJobs();
    void onReply(const QString &ip, const QString &request, const PJLinkReply &reply);
    void onFailed(const QString &ip, const QString &request, PJLinkSession::Failure failure);
    void onIdle(const QString &ip);
    void setCells(const QString &ip, const PJLinkReply &reply);

    PJLinkDirectory m_directoryData;
    PJLinkDirectory *m_directory = &m_directoryData;
    TableModelStatus *m_model;
    PJLinkProbe *m_probe;
    PJLinkStatusCells m_cells;
    QString m_password;
    quint16 m_port = PJLinkSession::DefaultPort;
    int m_answerTimeoutMs = PJLinkSession::AnswerTimeoutMs;
    int m_maxConcurrent = MaxConcurrent;
    QHash<QString, PJLinkSession *> m_sessions;
    QQueue<Job> m_waiting;
    QHash<QString, Job> m_active;
    QSet<QString> m_probing;
    int m_ignoredNotifications = 0;
};
