#include "net/groupipaddresses.h"

#include <QFile>

namespace {

const QString FoundGroup = QStringLiteral("Found");

} // namespace

QStringList GroupIpAddresses::fromBytes(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return fromText(QString::fromLatin1(nul < 0 ? bytes : bytes.left(nul)));
}

QStringList GroupIpAddresses::fromText(const QString &text)
{
    QStringList addresses;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    bool inGroup = false;
    bool inFoundGroup = false;
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char(','), Qt::KeepEmptyParts);
        if (!fields.first().isEmpty()) {
            inGroup = true;
            inFoundGroup = fields.first() == FoundGroup;
            continue;
        }
        if (!inGroup || inFoundGroup || fields.size() < 3)
            continue;
        const QString &address = fields.at(2);
        if (!address.isEmpty())
            addresses.append(address);
    }
    return addresses;
}

QStringList GroupIpAddresses::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    return fromBytes(file.readAll());
}

QString GroupIpAddresses::filePath(const QString &configFolder)
{
    return configFolder + QStringLiteral("/GroupIP.csv");
}
