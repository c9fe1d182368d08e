#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class CommandCatalogue;
class CommandDispatch;
class MyTcpSocket;

// The "Orvanto" object of the scripts: sends op commands to one projector
// or to every connected one, waits for the answers, reads them, saves the
// log and plays sounds.
//
// Sessions come from the dispatcher (so answers also reach the status
// table and the tree) on the dispatcher's configured port, and are children
// of this object until they delete themselves.
//
// waitTcpClose() has to hold the script, whose engine runs on the GUI
// thread, so it runs a local event loop that leaves the operator's input
// queued (ExcludeUserInputEvents): the window keeps painting, answers and
// timers keep arriving, and nothing the operator does can start a second
// script or close the window under the waiting one. The loop ends when
// every session of the last send has ended, or when nothing has happened
// for one second, and never lasts longer than MaxWaitMs.
class ScriptedClass : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString tcpresult READ tcpresult)
    Q_PROPERTY(QString appname READ appname CONSTANT)

public:
    static constexpr int IdleWaitMs = 1000;
    static constexpr int MaxWaitMs = 10000;
    static constexpr int MaxCommands = 256;
    static constexpr int MaxCommandLength = 1024;
    static constexpr int MaxResultLength = 4 * 1024 * 1024;

    explicit ScriptedClass(CommandDispatch *dispatch, QObject *parent = nullptr);
    ~ScriptedClass() override;

    QString tcpresult() const { return m_result; }
    QString appname() const;
    int state() const { return m_state; }
    QStringList connectedIPs() const { return m_connectedIPs; }
    int pendingSessions() const { return m_pending.size(); }
    // Another way to some projectors (PJLink): true when it took the
    // commands; its answers come back through slotTcpCmdResult.
    using Route = std::function<bool(const QString &ip, const QStringList &commands)>;
    void setRoute(Route route) { m_route = std::move(route); }

signals:
    void sigSaveLogAs(const QString &name);
    // A sound resource (one of the audio resources) to play without waiting for it.
    void sigPlaySound(const QString &resource);
    // The script reached a send or a wait (the watchdog counts from here).
    void sigActivity();
    // The script waits for answers (true) or goes on (false).
    void sigWaiting(bool waiting);
    // A refused call, for the console.
    void sigRefused(const QString &text);

public slots:
    void tcpcmd(const QString &sIP, const QString &sCmd);
    void tcpcmds(const QString &sIP, const QStringList &slCmds);
    void allcmd(const QString &sCmd);
    void allcmds(const QStringList &slCmds);
    void allcmdByName(const QString &sFuncName);
    void allcmdsByName(const QStringList &slFuncName);
    void waitTcpClose();
    void slotMySocketState(QAbstractSocket::SocketState k);
    void slotTcpCmdResult(const QString &s);
    void slotUpdateConnectedIP(const QStringList &list);
    void slotCmdModel(CommandCatalogue *model);
    void saveLog(const QString &s);
    void play_ddddong();
    void play_pacman();
    void play_ding();
    void play_gong();
    void play_harp();

private:
    // Empties the result and the state before a send, as every send does.
    void resetResult();
    bool admissible(const QString &ip, const QStringList &commands);
    void openSession(const QString &ip, const QStringList &commands);
    void sessionEnded(MyTcpSocket *session);

    CommandDispatch *m_dispatch;
    QPointer<CommandCatalogue> m_cmdModel;
    QString m_result;
    int m_state = 0;
    QStringList m_connectedIPs;
    QSet<MyTcpSocket *> m_pending;
    QSet<MyTcpSocket *> m_live;
    Route m_route;
    // Set while waitTcpClose() runs: progress restarts its idle time.
    class WaitState *m_wait = nullptr;
};
