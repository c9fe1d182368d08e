#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

// What the console log does with a line, without the console widget: the
// timing-line filter, the end of multi-projector tasks, the colours, the
// lines of the running task and the files the console is saved to. The main
// window feeds every line through process() and shows what it is told to.
class ConsoleLogRules
{
public:
    struct Decision
    {
        bool show = false;
        QColor colour;
        // "hhmmss.zzz" of the task whose last session just ended: the task
        // log must be saved now (saveTaskLog). Empty otherwise.
        QString taskLogStamp;
    };

    explicit ConsoleLogRules(bool darkStyle = false, const QString &userDataFolder = QString());

    void setDarkStyle(bool dark);
    bool darkStyle() const;
    void setUserDataFolder(const QString &folder);
    QString userDataFolder() const;

    // State of the "TCP Traffic Debug" button: timing lines ("TCP:...") are
    // dropped while it is off.
    void setShowTcpTraffic(bool show);
    bool showTcpTraffic() const;

    // A task sent to count projectors: one pending stamp per projector.
    void addPendingTasks(const QTime &stamp, int count);
    QList<QTime> pendingStamps() const;
    // The task starter empties the task log when a new task begins.
    void clearTaskLines();
    QStringList taskLogLines() const;

    // Decides about one console line. A shown line is added to the task log.
    Decision process(const QString &line);

    // <folder>/yyMMdd_<stamp>.tasklog.txt
    QString taskLogPath(const QString &stamp, const QDate &today) const;
    // <folder>/yyMMdd_hhmmss.zzz.<name>.log.txt
    QString savedLogPath(const QString &name, const QDateTime &now) const;

    // Writes the task-log lines to taskLogPath(); false when the file cannot
    // be written (the caller tells the operator).
    bool saveTaskLog(const QString &stamp, const QDate &today) const;
    // Writes the console text to savedLogPath(); false on failure.
    bool saveLogAs(const QString &name, const QString &consoleText, const QDateTime &now) const;

    // Both replace an existing file completely (no tail of a longer, older
    // file remains), write UTF-8 and return false on failure. writeLines ends
    // every line with CR LF; writeText writes the text as it is.
    static bool writeLines(const QString &path, const QStringList &lines);
    static bool writeText(const QString &path, const QString &text);

private:
    bool mDarkStyle;
    bool mShowTcpTraffic = false;
    QString mUserDataFolder;
    QList<QTime> mPendingStamps;
    QStringList mTaskLogLines;
};
