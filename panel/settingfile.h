#pragma once

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// A control-panel setting file: one line per combo box or slider, the object
// name, " = " and a decimal value, every line ended by a single CR.
class SettingFile
{
public:
    using Entry = QPair<QString, int>;

    // Files beyond this size are read up to it; the rest is reported.
    static constexpr qint64 MaxBytes = 256 * 1024;

    struct ReadResult
    {
        QVector<Entry> entries;
        // One text per line that was not taken ("line 3: ..."), plus a note
        // when the file was cut at MaxBytes.
        QStringList rejected;
        bool opened = false;
    };

    static QByteArray compose(const QVector<Entry> &entries);
    // Replaces path as a whole or leaves it untouched; false with a reason.
    static bool write(const QString &path, const QVector<Entry> &entries, QString *error = nullptr);

    // Lines are separated by CR (a trailing LF is trimmed away, a LF alone
    // separates nothing); text is UTF-8 when valid, else Latin-1. A line
    // counts when it holds a name (letters, digits, underscores), "=" and an
    // integer; anything else, NUL bytes and control characters included, is
    // reported and skipped.
    static ReadResult parse(const QByteArray &data, bool truncated = false);
    static ReadResult read(const QString &path);
};
