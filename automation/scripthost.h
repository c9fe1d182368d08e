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
// without reaching a send or a wait, or whose whole run lasts longer than
// the run limit, or that the operator stops, is interrupted and reported
// like an error. A script that cannot be run (too large, unreadable) never
// holds up the queued ones behind it.
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
    // The longest a whole run may take, waits included.
    void setRunLimitMs(qint64 ms);
    ScriptWatchdog *watchdog() const { return m_watchdog; }
    bool isRunning() const { return m_running; }
    int queuedCount() const { return m_queue.size(); }

    // Plays the start-up sound through the engine, as a first check that
    // the engine and the "Orvanto" object work.
    void start();
    RunResult runFile(const QString &name);
    // Evaluates one statement of the script line; returns the error text,
    // empty when it ran fine.
    QString evaluateLine(const QString &text);
    // The operator's stop: the running script (also inside a wait) ends
    // and is reported like an interrupted one.
    void stop();

    // The console line of a script error: "Break at Line N, <error>" in DeepPink.
    static QString breakLineHtml(int line, const QString &errorText);

signals:
    // A line for the console, as HTML (script errors).
    void sigLogHtml(const QString &html);
    // A plain line for the console (refused names and calls).
    void sigLogText(const QString &text);
    void sigScriptEnded(const QString &name, bool ok);
    // A script (file or script line) starts or ends.
    void sigRunning(bool running);
    // A sound resource a script plays.
    void sigPlaySound(const QString &resource);
    // A script asks for the console to be saved under a name built from
    // name (already checked).
    void sigSaveLogAs(const QString &name);

private:
    // Evaluates under the watchdog; false when the script failed or was
    // stopped.
    bool evaluateGuarded(const QString &program, const QString &fileName, QString *errorText, int *errorLine);
    void runNow(const QString &name);
    void runQueued();
    void scheduleQueued();
    void report(const QString &text);

    QJSEngine *m_engine;
    ScriptedClass *m_scriptObject;
    ScriptWatchdog *m_watchdog;
    QString m_scriptsFolder;
    QStringList m_queue;
    quint64 m_run = 0; // counts runs, so a late stop hits only its own
    bool m_running = false;
};
