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
// thread, so it runs a local event loop. The operator's input goes on
// meanwhile, so a script that polls for ever cannot lock the window: the
// script host refuses a second script while one runs (it queues it), and
// its "Stop script" control or the window closing end the wait (abortWait).
// The loop ends when every session of the last send has ended, or when
// nothing has happened for one second, and never lasts longer than
// MaxWaitMs.
//
// Everything the engine can reach on this object is the scripts' API: the
// operations below, the two properties and sigSaveLogAs. The host hears of
// sends, waits, refusals, sounds and accepted log saves through Hooks,
// which scripts cannot call.
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
    // Each save writes the whole console: a few per run are plenty.
    static constexpr int MaxSavesPerRun = 10;

    struct Hooks
    {
        // The script reached a send or a wait (the watchdog counts from here).
        std::function<void()> activity;
        // The script waits for answers (true) or goes on (false).
        std::function<void(bool)> waiting;
        // A refused call, for the console.
        std::function<void(const QString &)> refused;
        // A sound resource to play without waiting for it.
        std::function<void(const QString &)> playSound;
        // A log save whose name passed the checks.
        std::function<void(const QString &)> saveLog;
        // A wait was ended from outside (the program is quitting).
        std::function<void()> abandoned;
    };

    explicit ScriptedClass(CommandDispatch *dispatch, QObject *parent = nullptr);
    ~ScriptedClass() override;

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    // A script run starts: its save allowance is full, nothing is stopped.
    void beginRun();
    // Ends the running wait; until the next run, waits return at once and
    // sends are dropped.
    void abortWait();
    // A single projector: a dotted IPv4 address that is not 0.0.0.0/8,
    // multicast, reserved or broadcast.
    static bool isSingleHost(const QString &ip);

    QString tcpresult() const { return m_result; }
    QString appname() const;
    int state() const { return m_state; }
    QStringList connectedIPs() const { return m_connectedIPs; }
    int pendingSessions() const { return m_pending.size(); }
    // Another way to some projectors (PJLink): -1 when it did not take the
    // commands, otherwise the number of answers it awaits for them. The
    // answers come back through slotTcpCmdResult, and routeSettled tells
    // when nothing more is awaited from the address.
    using Route = std::function<int(const QString &ip, const QStringList &commands)>;
    void setRoute(Route route) { m_route = std::move(route); }
    void routeSettled(const QString &ip);

signals:
    // Asks for the console to be saved under a name built from name. The
    // name is checked here whoever emits it (saveLog or a script directly).
    void sigSaveLogAs(const QString &name);

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
    void refuse(const QString &text);
    void takeSaveLog(const QString &name);
    void playSound(const QString &resource);
    // Refuses (console line) what cannot be sent; a bad address also
    // becomes the script's error once the call returns.
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
    QSet<QString> m_routed; // addresses the route still owes answers
    Hooks m_hooks;
    int m_saves = 0;
    bool m_stopped = false;
    bool m_thrown = false; // this call has already made its script error
    Route m_route;
    // Set while waitTcpClose() runs: progress restarts its idle time.
    class WaitState *m_wait = nullptr;
};
