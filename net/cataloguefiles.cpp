#include "net/cataloguefiles.h"

#include "net/modelnamerule.h"

#include <QDir>
#include <QFileInfo>

QString CatalogueFiles::alienName()
{
    return QStringLiteral("Alien");
}

QString CatalogueFiles::pluginFolder(const QString &programFolder)
{
    return programFolder + QLatin1String("/pluginPJ");
}

bool CatalogueFiles::isPlainModelName(const QString &model)
{
    return ModelNameRule::isPlain(model);
}

QString CatalogueFiles::catalogueFileName(const QString &model)
{
    if (!isPlainModelName(model))
        return QString();
    return model + QLatin1String(".csv");
}

QString CatalogueFiles::cataloguePath(const QString &pluginFolder, const QString &model)
{
    if (!isPlainModelName(model))
        return QString();
    return pluginFolder + QLatin1Char('/') + catalogueFileName(model);
}

QString CatalogueFiles::panelImagePath(const QString &pluginFolder, const QString &model)
{
    if (!isPlainModelName(model))
        return QString();
    return pluginFolder + QLatin1Char('/') + model + QLatin1String(".png");
}

QString CatalogueFiles::modelOfFile(const QString &path)
{
    // Model names may carry dots ("KX-4410.B"); only the extension goes.
    return QFileInfo(path).completeBaseName();
}

bool CatalogueFiles::hasCatalogue(const QString &pluginFolder, const QString &model)
{
    if (model.isEmpty())
        return false;
    return QFileInfo(cataloguePath(pluginFolder, model)).isFile();
}

QString CatalogueFiles::displayModel(const QString &pluginFolder, const QString &model)
{
    return hasCatalogue(pluginFolder, model) ? model : alienName();
}

QStringList CatalogueFiles::knownModels(const QString &pluginFolder)
{
    QStringList models;
    const QStringList files =
        QDir(pluginFolder).entryList(QStringList{QStringLiteral("*.csv")}, QDir::Files, QDir::NoSort);
    for (const QString &file : files)
        models.append(modelOfFile(file));
    return models;
}
