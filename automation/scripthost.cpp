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
    connect(m_scriptObject, &ScriptedClass::sigActivity, this, [this] { m_watchdog->arm(); });
    connect(m_scriptObject, &ScriptedClass::sigWaiting, this, [this](bool waiting) {
        if (waiting)
            m_watchdog->disarm();
        else if (m_running)
            m_watchdog->arm();
    });
    connect(m_scriptObject, &ScriptedClass::sigRefused, this, [this](const QString &text) {
        OLOG_WARN() << qUtf8Printable(text);
        emit sigLogText(text);
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

void ScriptHost::start()
{
    QString errorText;
    int errorLine = 0;
    const QJSValue result = evaluateGuarded(QStringLiteral("Orvanto.play_harp()"), QString(), &errorText, &errorLine);
    if (result.isError())
        OLOG_DEBUG() << "err:" << errorLine << ":" << errorText;
}

QString ScriptHost::breakLineHtml(int line, const QString &errorText)
{
    const QString text = QStringLiteral("Break at Line %1, ").arg(line) + errorText;
    return QStringLiteral("<font color=\"DeepPink\">") + text.toHtmlEscaped() + QStringLiteral("</font><br>");
}

QJSValue ScriptHost::evaluateGuarded(const QString &program, const QString &fileName, QString *errorText,
                                     int *errorLine)
{
    m_running = true;
    m_watchdog->begin();
    const QJSValue result = m_engine->evaluate(program, fileName, 1);
    m_watchdog->disarm();
    const bool stopped = m_watchdog->fired();
    m_engine->setInterrupted(false);
    m_running = false;

    if (result.isError()) {
        *errorLine = result.property(QStringLiteral("lineNumber")).toInt();
        *errorText = stopped ? tr("Script stopped: it held the window for more than %1 ms")
                                   .arg(m_watchdog->limitMs())
                             : result.toString();
    }
    if (!m_queue.isEmpty())
        QTimer::singleShot(0, this, &ScriptHost::runQueued);
    return result;
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
        OLOG_DEBUG() << "Script not readable:" << path;
        return;
    }
    if (file.size() > MaxScriptBytes) {
        const QString text = tr("Script %1 refused: larger than %2 bytes").arg(name).arg(MaxScriptBytes);
        OLOG_WARN() << qUtf8Printable(text);
        emit sigLogText(text);
        return;
    }
    const QString program = FileText::decode(file.readAll());
    file.close();

    QString errorText;
    int errorLine = 0;
    const QJSValue result = evaluateGuarded(program, path, &errorText, &errorLine);
    if (result.isError()) {
        OLOG_WARN() << "Script" << name << "line" << errorLine << qUtf8Printable(errorText);
        emit sigLogHtml(breakLineHtml(errorLine, errorText));
    }
    emit sigScriptEnded(name, !result.isError());
}

QString ScriptHost::evaluateLine(const QString &text)
{
    if (m_running)
        return tr("A script is running; try again when it has ended");
    QString errorText;
    int errorLine = 0;
    const QJSValue result = evaluateGuarded(text, QString(), &errorText, &errorLine);
    if (!result.isError())
        return QString();
    OLOG_DEBUG() << "err:" << errorLine << ":" << errorText;
    return errorText;
}
