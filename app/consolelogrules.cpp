#include "app/consolelogrules.h"

#include "app/orvlog/OrvLog.h"

#include <QFile>

namespace {

const QString StampFormat = QStringLiteral("hh:mm:ss.zzz");

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush();
    file.close();
    return written && flushed && file.error() == QFileDevice::NoError;
}

} // namespace

ConsoleLogRules::ConsoleLogRules(bool darkStyle, const QString &userDataFolder)
    : mDarkStyle(darkStyle), mUserDataFolder(userDataFolder)
{
}

void ConsoleLogRules::setDarkStyle(bool dark)
{
    mDarkStyle = dark;
}

bool ConsoleLogRules::darkStyle() const
{
    return mDarkStyle;
}

void ConsoleLogRules::setUserDataFolder(const QString &folder)
{
    mUserDataFolder = folder;
}

QString ConsoleLogRules::userDataFolder() const
{
    return mUserDataFolder;
}

void ConsoleLogRules::setShowTcpTraffic(bool show)
{
    mShowTcpTraffic = show;
}

bool ConsoleLogRules::showTcpTraffic() const
{
    return mShowTcpTraffic;
}

void ConsoleLogRules::addPendingTasks(const QTime &stamp, int count)
{
    for (int i = 0; i < count; ++i)
        mPendingStamps.append(stamp);
}

QList<QTime> ConsoleLogRules::pendingStamps() const
{
    return mPendingStamps;
}

void ConsoleLogRules::clearTaskLines()
{
    mTaskLogLines.clear();
}

QStringList ConsoleLogRules::taskLogLines() const
{
    return mTaskLogLines;
}

ConsoleLogRules::Decision ConsoleLogRules::process(const QString &line)
{
    Decision decision;
    const QString timingPrefix = QStringLiteral("TCP:");
    if (line.startsWith(timingPrefix) && !mShowTcpTraffic)
        return decision;

    // Every session of a task ends with an end line carrying the task's
    // stamp; only the last of them is shown, and it closes the task.
    bool taskEnded = false;
    QTime taskStamp;
    if (line.contains(QLatin1String("<END>"))) {
        const QStringList parts = line.split(QLatin1Char('@'), Qt::KeepEmptyParts);
        if (parts.size() >= 2) {
            taskStamp = QTime::fromString(parts.at(1), StampFormat);
            if (!mPendingStamps.removeOne(taskStamp)) {
                OLOG_DEBUG() << "No Stamp Found!" << taskStamp;
                return decision;
            }
            OLOG_DEBUG() << "Removed One listTask" << taskStamp;
            if (mPendingStamps.contains(taskStamp))
                return decision;
            OLOG_DEBUG() << "No More listTask";
            taskEnded = true;
        }
    }

    decision.show = true;
    // Light-look colours keep a contrast of at least 4.5:1 on white.
    if (line.startsWith(QLatin1Char('>')))
        decision.colour = QColor(mDarkStyle ? QStringLiteral("gold") : QStringLiteral("#a0008c"));
    else if (line.startsWith(QLatin1Char('!')))
        // A command that got no answer (refused, unreachable, timed out,
        // closed): the one line the operator must not miss.
        decision.colour = QColor(mDarkStyle ? QStringLiteral("orange") : QStringLiteral("#c04000"));
    else if (line.startsWith(timingPrefix))
        decision.colour = QColor(mDarkStyle ? QStringLiteral("cyan") : QStringLiteral("blue"));
    else
        decision.colour = QColor(mDarkStyle ? QColor(Qt::lightGray) : QColor(0x40, 0x40, 0x40));

    mTaskLogLines.append(line);
    if (taskEnded)
        decision.taskLogStamp = taskStamp.toString(QStringLiteral("hhmmss.zzz"));
    return decision;
}

QString ConsoleLogRules::taskLogPath(const QString &stamp, const QDate &today) const
{
    return mUserDataFolder + QLatin1Char('/') + today.toString(QStringLiteral("yyMMdd_")) + stamp +
           QStringLiteral(".tasklog.txt");
}

QString ConsoleLogRules::savedLogPath(const QString &name, const QDateTime &now) const
{
    return mUserDataFolder + QLatin1Char('/') + now.date().toString(QStringLiteral("yyMMdd_")) +
           now.time().toString(QStringLiteral("hhmmss.zzz.")) + name + QStringLiteral(".log.txt");
}

bool ConsoleLogRules::saveTaskLog(const QString &stamp, const QDate &today) const
{
    const QString path = taskLogPath(stamp, today);
    OLOG_DEBUG() << path;
    return writeLines(path, mTaskLogLines);
}

bool ConsoleLogRules::saveLogAs(const QString &name, const QString &consoleText, const QDateTime &now) const
{
    const QString path = savedLogPath(name, now);
    OLOG_DEBUG() << path;
    return writeText(path, consoleText);
}

bool ConsoleLogRules::writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return writeBytes(path, bytes);
}

bool ConsoleLogRules::writeText(const QString &path, const QString &text)
{
    return writeBytes(path, text.toUtf8());
}
