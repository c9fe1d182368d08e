#include "net/groupipfile.h"

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

GroupIpFile::Groups GroupIpFile::parse(const QByteArray &bytes, QStringList *warnings)
{
    auto warn = [warnings](const QString &text) {
        if (warnings)
            warnings->append(text);
    };
    Groups groups;
    const QStringList lines = decode(bytes).split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    int records = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const int lineNumber = i + 1;
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
        groups.last().projectors.append(projector);
        ++records;
    }
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
    return parse(file.readAll(), warnings);
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
