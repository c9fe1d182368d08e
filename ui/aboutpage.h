#pragma once

#include <QString>

// The About box: which HTML page belongs to a language, what is appended to
// it about this installation, and the box title with the build date.
class AboutPage
{
public:
    static QString productName();
    static QString productVersion();

    static QString resourcePath(const QString &language);
    // buildDate as the compiler writes __DATE__, e.g. "Mar  5 2024".
    static QString title(const QString &buildDate);
    static QString compose(const QString &html, const QString &osName, const QString &localIP,
                           const QString &programFolder, const QString &userDataFolder, const QString &configFolder);
};
