#include "app/translationloader.h"

#include "app/appinfo.h"

#include <QCoreApplication>
#include <QFileInfo>
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
