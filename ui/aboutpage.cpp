#include "ui/aboutpage.h"

#include "app/appinfo.h"

QString AboutPage::productName()
{
    return AppInfo::name();
}

QString AboutPage::productVersion()
{
    return AppInfo::version();
}

QString AboutPage::resourcePath(const QString &language)
{
    return QStringLiteral(":/html/About_") + language + QStringLiteral(".html");
}

QString AboutPage::title(const QString &buildDate)
{
    return productName() + QStringLiteral(" ReleaseBuild-%1").arg(buildDate);
}

QString AboutPage::compose(const QString &html, const QString &osName, const QString &localIP,
                           const QString &programFolder, const QString &userDataFolder, const QString &configFolder)
{
    // Support calls start with "where is my log?": the folders go at the end
    // of the page so they can be read out from the box.
    return html + QStringLiteral("<br>OS: ") + osName.toHtmlEscaped() + QStringLiteral("<br>IP: ") +
           localIP.toHtmlEscaped() + QStringLiteral("<br>App: ") + programFolder.toHtmlEscaped() +
           QStringLiteral("<br>Log: ") + userDataFolder.toHtmlEscaped() + QStringLiteral("<br>Config: ") +
           configFolder.toHtmlEscaped();
}
