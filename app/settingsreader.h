#pragma once

#include "app/appsettings.h"
#include "app/configformvalues.h"

#include <QString>
#include <QStringList>

// Reading of the settings file, group "Default".
class SettingsReader
{
public:
    // The single command-line argument (arguments include the program path
    // first) or empty text; logs "Command Line Arguments:" and "INI file: "
    // or "Default INI file!".
    static QString commandLineIniPath(const QStringList &arguments);

    // <configFolder>/Orvanto.ini
    static QString configIniPath(const QString &configFolder);

    // The main window's read: the command-line file if it exists, otherwise
    // the configuration folder's Orvanto.ini (missing: all defaults). When
    // localAddresses holds exactly one address it is the local IP and
    // "LocalIP" is not read. A value that breaks SettingsRules (or a CmdFile
    // missing from pluginFolder, when one is given) is replaced by its
    // default, with a WARN line and a note in fallbacks.
    static AppSettings read(const QStringList &arguments, const QString &configFolder,
                            const QStringList &localAddresses = QStringList(), const QString &pluginFolder = QString());

    // The one status-bar message for the notes of read(); empty without any.
    static QString fallbackStatusMessage(const QStringList &fallbacks);

    // The configuration dialog's read of iniPath, with the dialog's defaults.
    static ConfigFormValues readForDialog(const QString &iniPath);

private:
    static AppSettings readFile(const QString &iniPath, const QStringList &localAddresses, const QString &pluginFolder);
};
