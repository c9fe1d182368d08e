#pragma once

#include <QString>

// The three folders the manager works with: the program folder (shipped
// files), the user data folder (logs) and the configuration folder (INI and
// CSV tables). No organisation or application name is set, so both per-user
// folders end in the executable's base name.
class AppFolders
{
public:
    enum class Preparation
    {
        Found,
        Created,
        Failed
    };

    // The folder of the shipped files (the one holding "pluginPJ"): beside
    // the executable, else <prefix>/share/orvanto when installed, else the
    // build tree's bin beside a test program's folder; the executable's own
    // folder when none has them (every read then finds its file missing).
    static QString programFolder();
    static QString programFolderFor(const QString &executableFolder);
    static QString userDataFolder();
    static QString configFolder();

    // Creates path with all missing parents unless it already is a folder.
    static Preparation ensureFolder(const QString &path);

    // Runs before the logger has destinations, so it reports through the
    // toolkit's plain debug/warning output only.
    static Preparation prepareUserDataFolder(const QString &path);
    // The same for the configuration folder, reported through the log (the
    // logger is up by then): INFO "Found Config Path:" / "Config Path
    // Created:", or ERROR "Config Path Created FAIL!", with the path.
    static Preparation prepareConfigFolder(const QString &path);
};
