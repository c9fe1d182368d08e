#include "automation/cronjobsfile.h"

#include "automation/filetext.h"

#include <QFile>
#include <QSaveFile>

QByteArray CronJobsFile::headerLine()
{
    return QByteArrayLiteral("Scheduled Jobs,  \tHH:MM,\tWeekDay(1-7),\tMon, Tue, Wed, Thu, Fri, Sat, Sun, Run, running\r\n");
}

QString CronJobsFile::decode(const QByteArray &bytes)
{
    return FileText::decode(bytes);
}

namespace {

bool hasControlCharacter(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            return true;
    return false;
}

} // namespace

QVector<QStringList> CronJobsFile::parse(const QString &text, QStringList *warnings)
{
    int warned = 0;
    auto warn = [warnings, &warned](int lineNumber, const QString &why) {
        if (warnings && warned++ < MaxWarnings)
            warnings->append(QStringLiteral("line %1: %2").arg(lineNumber).arg(why));
    };

    QVector<QStringList> jobs;
    // Line by line: the job cap must also bound the work, not only the result.
    int lineStart = text.indexOf(QLatin1Char('\n')) + 1; // the header is skipped by position
    for (int lineNumber = 2; lineStart > 0 && lineStart <= text.size(); ++lineNumber) {
        int lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QString line = text.midRef(lineStart, lineEnd - lineStart).trimmed().toString();
        lineStart = lineEnd + 1;
        if (line.isEmpty())
            continue;
        if (jobs.size() >= MaxJobs) {
            warn(lineNumber, QStringLiteral("more than %1 jobs, the rest is ignored").arg(MaxJobs));
            break;
        }
        if (hasControlCharacter(line)) {
            warn(lineNumber, QStringLiteral("control characters, skipped"));
            continue;
        }
        QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() > ColumnCount)
            warn(lineNumber, QStringLiteral("%1 fields, those after the %2th are ignored").arg(fields.size()).arg(ColumnCount));
        fields = fields.mid(0, ColumnCount);
        for (QString &field : fields) {
            field = field.simplified();
            if (field.size() > MaxFieldLength) {
                field.truncate(MaxFieldLength);
                // Neither half of a surrogate pair nor a blank may end the
                // cut field: written and read again it would change.
                if (field.at(field.size() - 1).isHighSurrogate())
                    field.chop(1);
                field = field.trimmed();
            }
        }
        if (fields.at(0).isEmpty()) {
            warn(lineNumber, QStringLiteral("no script name, skipped"));
            continue;
        }
        while (fields.size() < ColumnCount)
            fields.append(QString());
        jobs.append(fields);
    }
    if (warnings && warned > MaxWarnings)
        warnings->append(QStringLiteral("%1 more lines with problems").arg(warned - MaxWarnings));
    return jobs;
}

bool CronJobsFile::read(const QString &path, QVector<QStringList> *jobs, QStringList *warnings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > MaxBytes && warnings)
        warnings->append(QStringLiteral("file larger than %1 bytes, the rest is ignored").arg(MaxBytes));
    QByteArray bytes = file.read(MaxBytes);
    if (file.size() > MaxBytes) {
        // Drop the cut last line rather than load half a job.
        const int lastLineEnd = bytes.lastIndexOf('\n');
        bytes.truncate(lastLineEnd >= 0 ? lastLineEnd : 0);
    }
    *jobs = parse(decode(bytes), warnings);
    return true;
}

QByteArray CronJobsFile::compose(const QVector<QStringList> &jobs)
{
    QByteArray out = headerLine();
    for (const QStringList &job : jobs) {
        if (job.value(0).isEmpty())
            continue;
        QStringList fields = job.mid(0, ColumnCount);
        while (fields.size() < ColumnCount)
            fields.append(QString());
        out += fields.join(QLatin1Char(',')).toUtf8();
        out += "\r\n";
    }
    return out;
}

bool CronJobsFile::write(const QString &path, const QVector<QStringList> &jobs, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = compose(jobs);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}
