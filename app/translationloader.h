#pragma once

#include <QString>

class QTranslator;

// Start-up translation: the language comes from the configuration folder's
// Orvanto.ini (never from a settings file named on the command line), the file
// from the program's "i18n" folder.
class TranslationLoader
{
public:
    // "Language" of group "Default" in <configFolder>/Orvanto.ini, "en_US" when
    // the file or the key is missing.
    static QString languageFromConfig(const QString &configFolder);

    // <programFolder>/i18n/<applicationName>_<language>, without suffix.
    static QString translationPath(const QString &programFolder, const QString &applicationName,
                                   const QString &language);

    // Loads path with QTranslator's default lookup (".qm" appended, bare
    // name, then cut back at each "_" or "." from the right), installs the
    // translator in the application. False when nothing could be loaded. The
    // translator must outlive its installation.
    static bool loadAndInstall(QTranslator &translator, const QString &path);
};
