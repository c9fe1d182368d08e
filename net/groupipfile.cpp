#include "net/groupipfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

namespace {

const QString Select = QStringLiteral("1");

} // namespace

QString GroupIpFile::decode(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    const QByteArray text = nul < 0 ? bytes : bytes.left(nul);
    QTextCodec::ConverterState state;
    const QString utf8 = QTextCodec::codecForName("UTF-8")->toUnicode(text.constData(), text.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return utf8;
    return QString::fromLatin1(text);
}

QString GroupIpFile::storeProblem(Field field, const QString &text)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("GroupIpFile", text); };
    if (text.contains(QLatin1Char(',')))
        return tr("a comma would cut it when the file is read");
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            return tr("line breaks and control characters cannot be stored");
    switch (field) {
    case Field::GroupName:
        // A record with an empty first field is a projector: the group's
        // projectors would join the group above.
        if (text.trimmed().isEmpty())
            return tr("a group needs a name");
        if (text.front().isSpace())
            return tr("blanks at the start of a group name are lost when the file is read");
        if (text == foundGroupName())
            return tr("\"%1\" is the temporary group, which is never saved").arg(foundGroupName());
        break;
    case Field::Address:
        break;
    case Field::ProjectorName:
        if (!text.isEmpty() && text.back().isSpace())
            return tr("blanks at the end of a projector name are lost when the file is read");
        break;
    }
    return QString();
}

GroupIpFile::Groups GroupIpFile::parse(const QByteArray &bytes, QStringList *warnings)
{
    int warned = 0;
    auto warn = [warnings, &warned](const QString &text) {
        if (warnings && warned++ < MaxWarnings)
            warnings->append(text);
    };
    Groups groups;
    const QString text = decode(bytes);
    // Line by line: the record cap must also bound the work, not only the result.
    int lineStart = text.indexOf(QLatin1Char('\n')) + 1; // the header is skipped by position
    int records = 0;
    for (int lineNumber = 2; lineStart > 0 && lineStart <= text.size(); ++lineNumber) {
        int lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QString line = text.mid(lineStart, lineEnd - lineStart).trimmed();
        lineStart = lineEnd + 1;
        if (line.isEmpty())
            continue;
        if (records == MaxRecords) {
            warn(QStringLiteral("GroupIP.csv line %1: more than %2 records, the rest is not loaded")
                     .arg(lineNumber)
                     .arg(MaxRecords));
            break;
        }
        const QStringList fields = line.split(QLatin1Char(','), Qt::KeepEmptyParts);
        if (!fields.first().isEmpty()) {
            if (fields.size() < 2) {
                warn(QStringLiteral("GroupIP.csv line %1 skipped: a group needs a name and a Select field")
                         .arg(lineNumber));
                continue;
            }
            Group group;
            group.name = fields.at(0);
            group.checked = fields.at(1) == Select;
            groups.append(group);
            ++records;
            continue;
        }
        if (fields.size() < 4) {
            warn(QStringLiteral("GroupIP.csv line %1 skipped: a projector needs Select, IP and Name fields")
                     .arg(lineNumber));
            continue;
        }
        if (groups.isEmpty()) {
            Group orphans;
            orphans.name = orphanGroupName();
            orphans.checked = true;
            groups.append(orphans);
            warn(QStringLiteral("GroupIP.csv line %1: projectors before the first group put into group \"%2\"")
                     .arg(lineNumber)
                     .arg(orphanGroupName()));
        }
        Projector projector;
        projector.checked = fields.at(1) == Select;
        projector.ip = fields.at(2);
        projector.name = fields.at(3);
        // Written last on its line, the name would lose these on reload.
        while (!projector.name.isEmpty() && projector.name.back().isSpace())
            projector.name.chop(1);
        groups.last().projectors.append(projector);
        ++records;
    }
    if (warnings && warned > MaxWarnings)
        warnings->append(QStringLiteral("GroupIP.csv: %1 more lines skipped or moved").arg(warned - MaxWarnings));
    return groups;
}

QByteArray GroupIpFile::serialize(const Groups &groups)
{
    QString text = QString::fromLatin1(header()) + QLatin1Char('\n');
    for (const Group &group : groups) {
        if (group.name == foundGroupName())
            continue;
        text += group.name + QLatin1Char(',') + (group.checked ? QLatin1Char('1') : QLatin1Char('0')) +
                QLatin1Char('\n');
        for (const Projector &projector : group.projectors)
            text += QStringLiteral(" ,%1,%2,%3\n")
                        .arg(projector.checked ? QLatin1Char('1') : QLatin1Char('0'))
                        .arg(projector.ip, projector.name);
    }
    return text.toUtf8();
}

GroupIpFile::Groups GroupIpFile::load(const QString &path, QStringList *warnings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Groups();
    QByteArray bytes = file.read(MaxBytes);
    if (file.size() > MaxBytes) {
        bytes.truncate(qMax(0, bytes.lastIndexOf('\n')));
        Groups groups = parse(bytes, warnings);
        if (warnings)
            warnings->append(QStringLiteral("GroupIP.csv: larger than %1 bytes, the rest is not loaded").arg(MaxBytes));
        return groups;
    }
    return parse(bytes, warnings);
}

bool GroupIpFile::save(const QString &path, const Groups &groups, QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = serialize(groups);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString GroupIpFile::filePath(const QString &configFolder)
{
    return configFolder + QStringLiteral("/GroupIP.csv");
}
