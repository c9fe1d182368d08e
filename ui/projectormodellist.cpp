#include "ui/projectormodellist.h"

#include <QDir>
#include <QFileInfo>

QVector<ProjectorModelList::Entry> ProjectorModelList::scan(const QString &pluginFolder)
{
    QVector<Entry> entries;
    const QDir dir(pluginFolder);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString base = file.baseName();
        entries.append({base, pluginFolder + QLatin1Char('/') + base + QStringLiteral(".png")});
    }
    entries.append({unknownName(), unknownPicture()});
    return entries;
}
