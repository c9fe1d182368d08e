#include "panel/settingfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextCodec>

QByteArray SettingFile::compose(const QVector<Entry> &entries)
{
    QByteArray out;
    for (const Entry &entry : entries)
        out += (entry.first + QStringLiteral(" = ") + QString::number(entry.second)).toUtf8() + '\r';
    return out;
}

bool SettingFile::write(const QString &path, const QVector<Entry> &entries, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(compose(entries));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

namespace {

QString decode(const QByteArray &data)
{
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(data.constData(), data.size(), &state);
    return state.invalidChars == 0 ? text : QString::fromLatin1(data);
}

// Keeps reports readable when a line is binary or very long.
QString shown(const QString &line)
{
    QString text = line.left(40);
    for (QChar &c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char('?');
    return line.size() > 40 ? text + QStringLiteral("...") : text;
}

} // namespace

SettingFile::ReadResult SettingFile::parse(const QByteArray &data, bool truncated)
{
    static const QRegularExpression lineRule(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)\\s*=\\s*(-?\\d{1,9})$"));
    ReadResult result;
    result.opened = true;
    const QStringList lines = decode(data).split(QLatin1Char('\r'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QRegularExpressionMatch match = lineRule.match(line);
        if (!match.hasMatch()) {
            result.rejected << QStringLiteral("line %1: %2").arg(i + 1).arg(shown(line));
            continue;
        }
        result.entries.append({match.captured(1), match.captured(2).toInt()});
    }
    if (truncated)
        result.rejected << QStringLiteral("file cut after %1 bytes").arg(MaxBytes);
    return result;
}

SettingFile::ReadResult SettingFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult();
    const QByteArray data = file.read(MaxBytes);
    return parse(data, !file.atEnd());
}
