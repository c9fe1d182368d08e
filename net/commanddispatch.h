#pragma once

#include "net/projectorquestion.h"
#include "net/sessionpool.h"
#include "net/singlesenddebounce.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTime>

class BatchProgress;
class CommandCatalogue;
class MyTcpSocket;

// Owner of everything that sends op commands to projectors: the single-send
// debounce, the session factory, the session pool every fan-out draws from,
// the power-state question, the progress of a refresh batch and the
// connected-IP list (addresses known to answer, in order of first answer).
//
// The connected-IP list lives here and nowhere else: the tree's icons, the
// status table and the console's address box follow its signals.
// sigConnectedAdded and sigConnectedRemoved come at once, per address;
// sigUpdateConnectedIP (the whole list, for followers that rebuild) comes
// once per event-loop turn however many addresses changed in it, and at
// once after setConnectedIPs.
//
// Every session it makes reports through this object's signals, so the
// window (or a test) connects once: sendLog to the console, sendStatus to
// the status bar, sigCmdResult to the answer router.
class CommandDispatch : public QObject
{
    Q_OBJECT

public:
    explicit CommandDispatch(QObject *parent = nullptr);

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    // The catalogue that names the "Projector Status" query per projector.
    void setCatalogue(const CommandCatalogue *catalogue) { m_catalogue = catalogue; }
    // Whether the console may send at all (no projector known yet: no).
    void setSendingEnabled(bool enabled) { m_sendingEnabled = enabled; }
    bool sendingEnabled() const { return m_sendingEnabled; }

    // One command to one projector; a second one to the same address within
    // 300 ms is dropped (false). Answers arrive later through sigCmdResult.
    // A port of 0 stands for the configured one.
    bool sendCommand(const QString &ip, const QString &command, quint16 port = 0);
    // A list of commands in one session, all tagged with stamp (the task's
    // start); with endsBatch the session's end hides the batch progress.
    // Single commands and the operator's lists go in the pool's operator
    // lane, ahead of queued sweeps.
    void sendCommandList(const QTime &stamp, const QString &ip, const QStringList &commands, bool endsBatch,
                         quint16 port = 0, SessionPool::Lane lane = SessionPool::Lane::Background);
    // A session wired to this object's signals, not yet started; it deletes
    // itself once its connection ends.
    MyTcpSocket *newSession(QObject *parent = nullptr);
    // Starts session through the pool, in the operator's lane (scripts); it
    // holds a slot until its connection has ended (or it is gone).
    void startSession(MyTcpSocket *session, const QString &ip, quint16 port = 0);
    SessionPool *sessionPool() const { return m_pool; }

    QStringList askBlocked(const QString &ip, const QString &command, quint16 port = 0) const;
    int powerState(const QString &ip, quint16 port = 0) const;
    ProjectorQuestion &question() { return m_question; }
    SingleSendDebounce &debounce() { return m_debounce; }
    BatchProgress *batchProgress() const { return m_batchProgress; }

    QStringList connectedIPs() const { return m_connectedIPs; }
    bool isConnected(const QString &ip) const { return m_connectedSet.contains(ip); }
    int connectedCount() const { return m_connectedIPs.size(); }
    // Replaces the list; emits sigUpdateConnectedIP at once.
    void setConnectedIPs(const QStringList &addresses);
    // Appends an address not known yet; true only when it was new.
    bool addConnectedIP(const QString &ip);
    // Takes addresses out of the list; how many were in it.
    int removeConnectedIPs(const QStringList &addresses);
    // Counts every addition; an address's own count says when it was added,
    // so a scan can tell what others added while it ran.
    quint64 additionCount() const { return m_additions; }
    quint64 addedAt(const QString &ip) const { return m_addedAt.value(ip, 0); }

signals:
    void sendLog(const QString &text);
    void sendStatus(const QString &text);
    void sigCmdResult(const QString &ip, const QString &result);
    void sigUpdateConnectedIP(const QStringList &addresses);
    void sigConnectedAdded(const QString &ip);
    void sigConnectedRemoved(const QString &ip);
    // A single command was dropped by the debounce.
    void sigCommandDropped(const QString &ip, const QString &command);
    // The session of a batch started with endsBatch has ended.
    void sigBatchSessionEnded();

private:
    quint16 portOr(quint16 port) const { return port ? port : m_port; }
    QObject *launch(MyTcpSocket *session, const QString &ip, quint16 port);
    void announceLater();

    quint16 m_port = 7000;
    const CommandCatalogue *m_catalogue = nullptr;
    bool m_sendingEnabled = false;
    SingleSendDebounce m_debounce;
    ProjectorQuestion m_question;
    BatchProgress *m_batchProgress;
    SessionPool *m_pool;
    QStringList m_connectedIPs;
    QSet<QString> m_connectedSet;
    QHash<QString, quint64> m_addedAt;
    quint64 m_additions = 0;
    bool m_announceQueued = false;
};
