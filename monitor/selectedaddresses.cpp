#include "monitor/selectedaddresses.h"

#include <QFile>

QStringList SelectedAddresses::fromBytes(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    const QString text = QString::fromLatin1(nul < 0 ? bytes : bytes.left(nul));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    QStringList addresses;
    bool inGroup = false;
    bool inFoundGroup = false;
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char(','), Qt::KeepEmptyParts);
        if (!fields.first().isEmpty()) {
            inGroup = true;
            inFoundGroup = fields.first() == QLatin1String("Found");
            continue;
        }
        if (!inGroup || inFoundGroup || fields.size() < 3 || fields.at(1) != QLatin1String("1"))
            continue;
        const QString address = fields.at(2).trimmed();
        if (!address.isEmpty())
            addresses.append(address);
    }
    return addresses;
}

QStringList SelectedAddresses::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    return fromBytes(file.read(16 * 1024 * 1024));
}
