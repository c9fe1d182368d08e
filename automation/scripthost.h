#pragma once

#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class CommandDispatch;
class QJSEngine;
class ScriptWatchdog;
class ScriptedClass;

// Owner of the script engine: the "Orvanto" and "log" globals, running
// script files by name from the scripts folder and statements from the
// script line.
//
// One script at a time: a job that comes due while a script runs (it lets
// the event loop turn while it waits for answers) is queued and runs after
// it, in order. Globals persist across runs, since all share one engine.
// A script that keeps the GUI thread longer than the watchdog's limit
// without reaching a send or a wait is interrupted and reported like an
// error.
class ScriptHost : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxScriptBytes = 1024 * 1024;
    static constexpr int MaxQueued = 64;

    enum class RunResult
    {
        Finished, // ran (successfully or with a reported error)
        Queued,   // another script runs; this one follows it
        Refused,  // unsafe name, too large, queue full
        Missing   // no such file
    };

    // logView: the object scripts reach as "log" (may be null).
    ScriptHost(CommandDispatch *dispatch, QObject *logView, const QString &scriptsFolder, QObject *parent = nullptr);
    ~ScriptHost() override;

    QJSEngine *engine() const { return m_engine; }
    ScriptedClass *scriptObject() const { return m_scriptObject; }
    QString scriptsFolder() const { return m_scriptsFolder; }
    // The "*.js" files of the scripts folder, names only.
    QStringList scriptFiles() const;
    void setWatchdogLimitMs(int ms);
    bool isRunning() const { return m_running; }
    int queuedCount() const { return m_queue.size(); }

    // Plays the start-up sound through the engine, as a first check that
    // the engine and the "Orvanto" object work.
    void start();
    RunResult runFile(const QString &name);
    // Evaluates one statement of the script line; returns the error text,
    // empty when it ran fine.
    QString evaluateLine(const QString &text);

    // The console line of a script error: "Break at Line N, <error>" in DeepPink.
    static QString breakLineHtml(int line, const QString &errorText);

signals:
    // A line for the console, as HTML (script errors).
    void sigLogHtml(const QString &html);
    // A plain line for the console (refused names and calls).
    void sigLogText(const QString &text);
    void sigScriptEnded(const QString &name, bool ok);

private:
    // Evaluates under the watchdog; the result is an error value when the
    // script failed or was stopped.
    QJSValue evaluateGuarded(const QString &program, const QString &fileName, QString *errorText, int *errorLine);
    void runNow(const QString &name);
    void runQueued();

    QJSEngine *m_engine;
    ScriptedClass *m_scriptObject;
    ScriptWatchdog *m_watchdog;
    QString m_scriptsFolder;
    QStringList m_queue;
    bool m_running = false;
};
