#pragma once

#include <QString>
#include <QStringList>

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

    // Whether Qt's own texts (OK, Cancel, Apply, ...) need a translation
    // for language: every language but English, in which Qt is written.
    static bool needsQtTranslation(const QString &language);
    // Where Qt's own translation for language is looked for: the program's
    // "i18n" folder first (a Windows installation ships it there), then the
    // system's Qt translations (Debian: qttranslations5-l10n). Paths without
    // suffix, as for loadAndInstall().
    static QStringList qtTranslationPaths(const QString &programFolder, const QString &language);
    // Installs the first of qtTranslationPaths() that loads; its path, or
    // empty when none did.
    static QString loadAndInstallQt(QTranslator &translator, const QString &programFolder, const QString &language);
};
