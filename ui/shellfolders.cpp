#include "ui/shellfolders.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString ShellFolders::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString ShellFolders::userDataFolder()
{
    return QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation).value(0);
}

QString ShellFolders::configFolder()
{
    return QStandardPaths::standardLocations(QStandardPaths::AppDataLocation).value(0);
}
