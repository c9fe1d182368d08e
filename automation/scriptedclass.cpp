#include "automation/scriptedclass.h"

#include "app/appinfo.h"
#include "app/orvlog/OrvLog.h"
#include "automation/scriptname.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "net/mytcpsocket.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QJSEngine>
#include <QTimer>

// What the running waitTcpClose() needs to hear about.
class WaitState
{
public:
    QEventLoop loop;
    QTimer idle;
    bool ended = false; // set whenever this object ends the loop

    void end()
    {
        ended = true;
        loop.quit();
    }
};

ScriptedClass::ScriptedClass(CommandDispatch *dispatch, QObject *parent) : QObject(parent), m_dispatch(dispatch)
{
    if (m_dispatch)
        m_connectedIPs = m_dispatch->connectedIPs();
    // Scripts can emit the signal themselves: the check sits behind it.
    connect(this, &ScriptedClass::sigSaveLogAs, this, [this](const QString &name) { takeSaveLog(name); });
}

void ScriptedClass::beginRun()
{
    m_saves = 0;
    m_stopped = false;
}

void ScriptedClass::abortWait()
{
    m_stopped = true;
    if (m_wait)
        m_wait->end();
}

void ScriptedClass::refuse(const QString &text)
{
    if (m_hooks.refused)
        m_hooks.refused(text);
}

bool ScriptedClass::isSingleHost(const QString &ip)
{
    QHostAddress address;
    // Dotted text only: "1" or "0x7f000001" would also parse.
    if (ip.count(QLatin1Char('.')) != 3 || !address.setAddress(ip)
        || address.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    const quint32 value = address.toIPv4Address();
    const quint32 first = value >> 24;
    // 0.0.0.0/8 is "this network"; 224/4 multicast; 240/4 reserved and the
    // broadcast 255.255.255.255.
    return first != 0 && first < 224;
}

ScriptedClass::~ScriptedClass()
{
    // Sessions still talking go their own way and delete themselves when
    // their connection ends; they are never deleted from here.
    for (MyTcpSocket *session : qAsConst(m_live)) {
        disconnect(session, nullptr, this, nullptr);
        session->setParent(nullptr);
        session->deleteLater();
    }
}

QString ScriptedClass::appname() const
{
    return QStringLiteral("%1-%2").arg(AppInfo::name(), AppInfo::version());
}

void ScriptedClass::resetResult()
{
    m_result.clear();
    m_state = 0;
    m_thrown = false;
    m_pending.clear();
}

bool ScriptedClass::admissible(const QString &ip, const QStringList &commands)
{
    if (m_stopped)
        return false;
    // Scripts reach single projectors by address only: no name lookups, and
    // nothing that would reach a whole subnet or group.
    if (!isSingleHost(ip)) {
        const QString text = tr("Script: not a single projector address: %1").arg(ip.left(64));
        refuse(text);
        QJSEngine *engine = qjsEngine(this);
        if (engine && !m_thrown)
            engine->throwError(QJSValue::RangeError, text);
        m_thrown = true;
        return false;
    }
    if (commands.isEmpty() || commands.size() > MaxCommands) {
        refuse(tr("Script: %1 commands for %2 (1 to %3 allowed)").arg(commands.size()).arg(ip).arg(MaxCommands));
        return false;
    }
    for (const QString &command : commands) {
        if (command.trimmed().isEmpty() || command.size() > MaxCommandLength) {
            refuse(tr("Script: empty or overlong command for %1").arg(ip));
            return false;
        }
    }
    return true;
}

void ScriptedClass::openSession(const QString &ip, const QStringList &commands)
{
    if (m_hooks.activity)
        m_hooks.activity();
    const int routed = m_route ? m_route(ip, commands) : -1;
    if (routed > 0)
        m_routed.insert(ip);
    if (routed >= 0)
        return;
    if (!m_dispatch)
        return;
    MyTcpSocket *session = m_dispatch->newSession(this);
    m_pending.insert(session);
    m_live.insert(session);
    connect(session, &MyTcpSocket::sendTcpCmdResult, this, &ScriptedClass::slotTcpCmdResult);
    connect(session, &MyTcpSocket::sigSocketState, this, [this, session](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState)
            sessionEnded(session);
    });
    connect(session, &QObject::destroyed, this, [this, session] { sessionEnded(session); });
    session->setCommandList(commands);
    // Through the pool like every other fan-out: a script's allcmd to a
    // large fleet queues instead of opening a socket per projector at once.
    m_dispatch->startSession(session, ip);
}

void ScriptedClass::sessionEnded(MyTcpSocket *session)
{
    m_live.remove(session);
    const bool wasPending = m_pending.remove(session);
    if (!m_wait)
        return;
    if (wasPending && m_pending.isEmpty() && m_routed.isEmpty())
        m_wait->end();
    else
        m_wait->idle.start();
}

void ScriptedClass::routeSettled(const QString &ip)
{
    if (!m_routed.remove(ip) || !m_wait)
        return;
    if (m_pending.isEmpty() && m_routed.isEmpty())
        m_wait->end();
    else
        m_wait->idle.start();
}

void ScriptedClass::tcpcmd(const QString &sIP, const QString &sCmd)
{
    tcpcmds(sIP, QStringList{sCmd});
}

void ScriptedClass::tcpcmds(const QString &sIP, const QStringList &slCmds)
{
    resetResult();
    if (admissible(sIP, slCmds))
        openSession(sIP, slCmds);
}

void ScriptedClass::allcmd(const QString &sCmd)
{
    allcmds(QStringList{sCmd});
}

void ScriptedClass::allcmds(const QStringList &slCmds)
{
    resetResult();
    const QStringList addresses = m_connectedIPs;
    for (const QString &ip : addresses)
        if (admissible(ip, slCmds))
            openSession(ip, slCmds);
}

void ScriptedClass::allcmdByName(const QString &sFuncName)
{
    allcmdsByName(QStringList{sFuncName});
}

void ScriptedClass::allcmdsByName(const QStringList &slFuncName)
{
    resetResult();
    const QStringList addresses = m_connectedIPs;
    for (const QString &ip : addresses) {
        QStringList commands;
        for (const QString &name : slFuncName) {
            const QString command = m_cmdModel ? m_cmdModel->opCMDbyIP(name, ip) : QString();
            // A projector whose catalogue lacks the name is not sent a
            // blank command; the others still get theirs.
            if (command.isEmpty())
                OLOG_DEBUG() << "allcmdsByName" << ip << "has no command" << name;
            else
                commands.append(command);
        }
        OLOG_DEBUG() << ip << commands.join(QStringLiteral(", "));
        if (!commands.isEmpty() && admissible(ip, commands))
            openSession(ip, commands);
    }
}

void ScriptedClass::waitTcpClose()
{
    if (m_wait || m_stopped)
        return; // a wait inside a wait (from a slot of the loop) returns at once
    WaitState wait;
    wait.idle.setSingleShot(true);
    wait.idle.setInterval(IdleWaitMs);
    QTimer limit;
    limit.setSingleShot(true);
    connect(&wait.idle, &QTimer::timeout, &wait.loop, [&wait] { wait.end(); });
    connect(&limit, &QTimer::timeout, &wait.loop, [&wait] { wait.end(); });
    if (m_hooks.activity)
        m_hooks.activity();
    if (m_hooks.waiting)
        m_hooks.waiting(true);
    m_wait = &wait;
    wait.idle.start();
    limit.start(MaxWaitMs);
    // Sessions of the last send still running, or PJLink answers still
    // owed: wait for them. Nothing sent at all: the wait is a one-second
    // pause, as scripts expect. The last send's sessions all done: the
    // answers are in, go on.
    if (!m_pending.isEmpty() || !m_routed.isEmpty() || m_live.isEmpty()) {
        wait.loop.exec();
        if (!wait.ended && m_hooks.abandoned)
            m_hooks.abandoned();
    }
    m_wait = nullptr;
    if (m_hooks.waiting)
        m_hooks.waiting(false);
}

void ScriptedClass::slotMySocketState(QAbstractSocket::SocketState k)
{
    OLOG_DEBUG() << "tcpcmd state:" << int(k);
    m_state = int(k);
    if (m_wait)
        m_wait->idle.start();
}

void ScriptedClass::slotTcpCmdResult(const QString &s)
{
    OLOG_DEBUG() << s;
    if (m_result.size() + s.size() <= MaxResultLength)
        m_result += s;
    if (m_wait)
        m_wait->idle.start();
}

void ScriptedClass::slotUpdateConnectedIP(const QStringList &list)
{
    m_connectedIPs = list;
}

void ScriptedClass::slotCmdModel(CommandCatalogue *model)
{
    m_cmdModel = model;
}

void ScriptedClass::saveLog(const QString &s)
{
    emit sigSaveLogAs(s);
}

void ScriptedClass::takeSaveLog(const QString &name)
{
    if (!ScriptName::isPlainFileName(name)) {
        refuse(tr("Script: log not saved, not a plain file name: %1").arg(name.left(64)));
        return;
    }
    if (m_saves >= MaxSavesPerRun) {
        refuse(tr("Script: log not saved, already saved %1 times in this run: %2").arg(MaxSavesPerRun).arg(name));
        return;
    }
    ++m_saves;
    if (m_hooks.saveLog)
        m_hooks.saveLog(name);
}

void ScriptedClass::playSound(const QString &resource)
{
    if (m_hooks.playSound)
        m_hooks.playSound(resource);
}

void ScriptedClass::play_ddddong()
{
    playSound(QStringLiteral(":/audio/Beethoven5.wav"));
}

void ScriptedClass::play_pacman()
{
    playSound(QStringLiteral(":/audio/Pacmandies.wav"));
}

void ScriptedClass::play_ding()
{
    playSound(QStringLiteral(":/audio/Ding.wav"));
}

void ScriptedClass::play_gong()
{
    playSound(QStringLiteral(":/audio/Gong.wav"));
}

void ScriptedClass::play_harp()
{
    playSound(QStringLiteral(":/audio/Harp.wav"));
}
