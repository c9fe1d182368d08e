#include "automation/scripthost.h"

#include "app/orvlog/OrvLog.h"
#include "automation/filetext.h"
#include "automation/scriptedclass.h"
#include "automation/scriptname.h"
#include "automation/scriptwatchdog.h"

#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QQmlEngine>
#include <QTimer>

ScriptHost::ScriptHost(CommandDispatch *dispatch, QObject *logView, const QString &scriptsFolder, QObject *parent)
    : QObject(parent),
      m_engine(new QJSEngine(this)),
      m_scriptObject(new ScriptedClass(dispatch, this)),
      m_watchdog(new ScriptWatchdog(m_engine, this)),
      m_scriptsFolder(scriptsFolder)
{
    // The engine must never delete what it is only lent (the console has
    // no parent in tests, and the window owns it otherwise).
    if (logView)
        QQmlEngine::setObjectOwnership(logView, QQmlEngine::CppOwnership);
    QQmlEngine::setObjectOwnership(m_scriptObject, QQmlEngine::CppOwnership);
    if (logView)
        m_engine->globalObject().setProperty(QStringLiteral("log"), m_engine->newQObject(logView));
    m_engine->globalObject().setProperty(QStringLiteral("Orvanto"), m_engine->newQObject(m_scriptObject));
    ScriptedClass::Hooks hooks;
    hooks.activity = [this] {
        if (m_running)
            m_watchdog->arm();
    };
    hooks.waiting = [this](bool waiting) {
        if (waiting)
            m_watchdog->disarm();
        else if (m_running)
            m_watchdog->arm();
    };
    hooks.refused = [this](const QString &text) { report(text); };
    hooks.playSound = [this](const QString &resource) { emit sigPlaySound(resource); };
    hooks.saveLog = [this](const QString &name) { emit sigSaveLogAs(name); };
    // The program is ending (its event loops are told to end, the script's
    // wait included): a script that would poll on without waiting stops.
    hooks.abandoned = [this] { stop(); };
    m_scriptObject->setHooks(hooks);
    // A stop from the watchdog's thread: a wait the script is in ends here,
    // after which the engine sees its interruption.
    connect(m_watchdog, &ScriptWatchdog::sigStopped, this, [this](quint64 run) {
        if (m_running && run == m_run)
            m_scriptObject->abortWait();
    });
    m_watchdog->start(QThread::LowPriority);
}

ScriptHost::~ScriptHost()
{
    m_watchdog->shutDown();
}

QStringList ScriptHost::scriptFiles() const
{
    return QDir(m_scriptsFolder).entryList({QStringLiteral("*.js")}, QDir::Files);
}

void ScriptHost::setWatchdogLimitMs(int ms)
{
    m_watchdog->setLimitMs(ms);
}

void ScriptHost::setRunLimitMs(qint64 ms)
{
    m_watchdog->setRunLimitMs(ms);
}

void ScriptHost::report(const QString &text)
{
    OLOG_WARN() << qUtf8Printable(text);
    emit sigLogText(text);
}

void ScriptHost::start()
{
    QString errorText;
    int errorLine = 0;
    if (!evaluateGuarded(QStringLiteral("Orvanto.play_harp()"), QString(), &errorText, &errorLine))
        OLOG_DEBUG() << "err:" << errorLine << ":" << errorText;
}

void ScriptHost::stop()
{
    if (!m_running)
        return;
    m_watchdog->stopNow(ScriptWatchdog::Reason::Operator);
    m_scriptObject->abortWait();
}

QString ScriptHost::breakLineHtml(int line, const QString &errorText)
{
    const QString text = QStringLiteral("Break at Line %1, ").arg(line) + errorText;
    return QStringLiteral("<font color=\"DeepPink\">") + text.toHtmlEscaped() + QStringLiteral("</font><br>");
}

bool ScriptHost::evaluateGuarded(const QString &program, const QString &fileName, QString *errorText,
                                 int *errorLine)
{
    m_running = true;
    ++m_run;
    m_scriptObject->beginRun();
    m_watchdog->begin();
    emit sigRunning(true);
    const QJSValue result = m_engine->evaluate(program, fileName, 1);
    m_watchdog->end();
    const ScriptWatchdog::Reason stopped = m_watchdog->reason();
    m_engine->setInterrupted(false);
    m_running = false;
    emit sigRunning(false);

    // A script stopped inside a wait may have ended before the engine
    // noticed: it is still reported as stopped.
    const bool failed = result.isError() || stopped != ScriptWatchdog::Reason::None;
    if (failed) {
        *errorLine = result.isError() ? result.property(QStringLiteral("lineNumber")).toInt() : 0;
        switch (stopped) {
        case ScriptWatchdog::Reason::Held:
            *errorText = tr("Script stopped: it held the window for more than %1 ms").arg(m_watchdog->limitMs());
            break;
        case ScriptWatchdog::Reason::RunLimit: {
            const qint64 limitMs = m_watchdog->runLimitMs();
            *errorText = limitMs % 60000 == 0
                             ? tr("Script stopped: it ran for more than %1 minutes").arg(limitMs / 60000)
                             : tr("Script stopped: it ran for more than %1 s").arg(limitMs / 1000);
            break;
        }
        case ScriptWatchdog::Reason::Operator:
            *errorText = tr("Script stopped by the operator");
            break;
        case ScriptWatchdog::Reason::None:
            *errorText = result.toString();
            break;
        }
    }
    scheduleQueued();
    return !failed;
}

void ScriptHost::scheduleQueued()
{
    if (!m_queue.isEmpty())
        QTimer::singleShot(0, this, &ScriptHost::runQueued);
}

ScriptHost::RunResult ScriptHost::runFile(const QString &name)
{
    if (!ScriptName::isSafe(name)) {
        const QString text = tr("Script name refused (outside the scripts folder): %1").arg(name.left(128));
        OLOG_WARN() << qUtf8Printable(text);
        emit sigLogText(text);
        return RunResult::Refused;
    }
    const QString path = ScriptName::pathIn(m_scriptsFolder, name);
    if (!QFile::exists(path)) {
        OLOG_DEBUG() << "Script not found:" << path;
        return RunResult::Missing;
    }
    if (m_running) {
        if (m_queue.size() >= MaxQueued) {
            const QString text = tr("Script %1 dropped: %2 scripts already wait").arg(name).arg(MaxQueued);
            OLOG_WARN() << qUtf8Printable(text);
            emit sigLogText(text);
            return RunResult::Refused;
        }
        m_queue.append(name);
        return RunResult::Queued;
    }
    runNow(name);
    return RunResult::Finished;
}

void ScriptHost::runQueued()
{
    if (m_running || m_queue.isEmpty())
        return;
    runNow(m_queue.takeFirst());
}

void ScriptHost::runNow(const QString &name)
{
    const QString path = ScriptName::pathIn(m_scriptsFolder, name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(tr("Script %1 not readable").arg(name));
        scheduleQueued();
        return;
    }
    if (file.size() > MaxScriptBytes) {
        report(tr("Script %1 refused: larger than %2 bytes").arg(name).arg(MaxScriptBytes));
        scheduleQueued();
        return;
    }
    const QString program = FileText::decode(file.readAll());
    file.close();

    QString errorText;
    int errorLine = 0;
    const bool ok = evaluateGuarded(program, path, &errorText, &errorLine);
    if (!ok) {
        OLOG_WARN() << "Script" << name << "line" << errorLine << qUtf8Printable(errorText);
        emit sigLogHtml(breakLineHtml(errorLine, errorText));
    }
    emit sigScriptEnded(name, ok);
}

QString ScriptHost::evaluateLine(const QString &text)
{
    if (m_running)
        return tr("A script is running; try again when it has ended");
    QString errorText;
    int errorLine = 0;
    if (evaluateGuarded(text, QString(), &errorText, &errorLine))
        return QString();
    OLOG_DEBUG() << "err:" << errorLine << ":" << errorText;
    return errorText;
}
