#include "app/translationloader.h"

#include "app/appinfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

QString TranslationLoader::languageFromConfig(const QString &configFolder)
{
    const QString fallback = QStringLiteral("en_US");
    const QString iniPath = configFolder + QLatin1Char('/') + AppInfo::name() + QStringLiteral(".ini");
    if (!QFileInfo(iniPath).isFile())
        return fallback;
    QSettings settings(iniPath, QSettings::IniFormat);
    return settings.value(QStringLiteral("Default/Language"), fallback).toString();
}

QString TranslationLoader::translationPath(const QString &programFolder, const QString &applicationName,
                                           const QString &language)
{
    return programFolder + QStringLiteral("/i18n/") + applicationName + QLatin1Char('_') + language;
}

bool TranslationLoader::loadAndInstall(QTranslator &translator, const QString &path)
{
    // installTranslator() refuses an empty translator, so a failed load
    // shows up in its result.
    static_cast<void>(translator.load(path));
    return QCoreApplication::installTranslator(&translator);
}

bool TranslationLoader::needsQtTranslation(const QString &language)
{
    return !language.isEmpty() && !language.startsWith(QLatin1String("en"));
}

QStringList TranslationLoader::qtTranslationPaths(const QString &programFolder, const QString &language)
{
    const QString name = QStringLiteral("qt_") + language;
    return {programFolder + QStringLiteral("/i18n/") + name,
            QLibraryInfo::location(QLibraryInfo::TranslationsPath) + QLatin1Char('/') + name};
}

QString TranslationLoader::loadAndInstallQt(QTranslator &translator, const QString &programFolder,
                                            const QString &language)
{
    if (!needsQtTranslation(language))
        return QString();
    for (const QString &path : qtTranslationPaths(programFolder, language)) {
        if (translator.load(path) && QCoreApplication::installTranslator(&translator))
            return path;
    }
    return QString();
}
