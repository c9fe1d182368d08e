#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// CronJobs.csv: a header line (skipped whatever it holds), then one job per
// line, twelve comma-separated fields in column order, no quoting.
//
// Reading is tolerant and bounded: text up to the first NUL byte, UTF-8
// when valid else Latin-1, at most MaxBytes and MaxJobs, fields cut to
// MaxFieldLength; a line that cannot be a job is skipped with a WARN naming
// its number (at most MaxWarnings of them, then one line counting the rest).
// A parsed job, written and read again, gives the same job. Writing is UTF-8 through QSaveFile, so a failed save leaves
// the previous file as it was.
class CronJobsFile
{
public:
    static constexpr int ColumnCount = 12;
    static constexpr qint64 MaxBytes = 4 * 1024 * 1024;
    static constexpr int MaxJobs = 10000;
    static constexpr int MaxFieldLength = 256;
    static constexpr int MaxWarnings = 20;

    static QString fileName() { return QStringLiteral("CronJobs.csv"); }
    static QByteArray headerLine();

    // Text of the file's bytes: up to the first NUL, UTF-8 if valid else Latin-1.
    static QString decode(const QByteArray &bytes);
    // Jobs of the file text, each exactly ColumnCount fields. Warnings name
    // the line ("line 7: ...").
    static QVector<QStringList> parse(const QString &text, QStringList *warnings = nullptr);
    // Reads path (at most MaxBytes of it); false when it cannot be opened.
    static bool read(const QString &path, QVector<QStringList> *jobs, QStringList *warnings = nullptr);

    // Header and the jobs whose script name is not empty.
    static QByteArray compose(const QVector<QStringList> &jobs);
    static bool write(const QString &path, const QVector<QStringList> &jobs, QString *error = nullptr);
};
