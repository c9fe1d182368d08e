#include "ui/projectormodellist.h"

#include "net/cataloguefiles.h"

#include <QDir>
#include <QFileInfo>

QVector<ProjectorModelList::Entry> ProjectorModelList::scan(const QString &pluginFolder)
{
    QVector<Entry> entries;
    const QDir dir(pluginFolder);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString model = CatalogueFiles::modelOfFile(file.fileName());
        entries.append({model, CatalogueFiles::panelImagePath(pluginFolder, model)});
    }
    entries.append({unknownName(), unknownPicture()});
    return entries;
}
