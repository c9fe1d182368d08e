#include "app/appfolders.h"

#include "app/orvlog/OrvLog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// Where an installed program finds its shipped files, relative to its own
// folder; set by the build from the install layout.
#ifndef ORV_DATA_FROM_BIN
#define ORV_DATA_FROM_BIN "../share/orvanto"
#endif

namespace {

QString firstLocation(QStandardPaths::StandardLocation location)
{
    const QStringList all = QStandardPaths::standardLocations(location);
    return all.isEmpty() ? QStandardPaths::writableLocation(location) : all.first();
}

} // namespace

QString AppFolders::programFolder()
{
    return programFolderFor(QCoreApplication::applicationDirPath());
}

QString AppFolders::programFolderFor(const QString &executableFolder)
{
    const QDir beside(executableFolder);
    // Beside the program: a build tree or a copy that keeps everything in one
    // folder. Installed: <prefix>/share/orvanto. The test and benchmark
    // programs of a build tree sit in folders next to its bin.
    const QString candidates[] = {beside.path(), beside.filePath(QStringLiteral(ORV_DATA_FROM_BIN)),
                                  beside.filePath(QStringLiteral("../bin"))};
    for (const QString &folder : candidates) {
        if (QFileInfo(folder + QStringLiteral("/pluginPJ")).isDir())
            return QDir::cleanPath(folder);
    }
    return beside.path();
}

QString AppFolders::userDataFolder()
{
    return firstLocation(QStandardPaths::AppLocalDataLocation);
}

QString AppFolders::configFolder()
{
    return firstLocation(QStandardPaths::AppDataLocation);
}

AppFolders::Preparation AppFolders::ensureFolder(const QString &path)
{
    if (path.isEmpty())
        return Preparation::Failed;
    if (QFileInfo(path).isDir())
        return Preparation::Found;
    return QDir().mkpath(path) ? Preparation::Created : Preparation::Failed;
}

AppFolders::Preparation AppFolders::prepareUserDataFolder(const QString &path)
{
    const Preparation result = ensureFolder(path);
    switch (result) {
    case Preparation::Found:
        qDebug() << "User Data Path Found:" << path;
        break;
    case Preparation::Created:
        qDebug() << "User Data Path Created:" << path;
        break;
    case Preparation::Failed:
        qWarning() << "User Data Path Created FAIL!" << path;
        break;
    }
    return result;
}

AppFolders::Preparation AppFolders::prepareConfigFolder(const QString &path)
{
    const Preparation result = ensureFolder(path);
    switch (result) {
    case Preparation::Found:
        OLOG_INFO() << "Found Config Path:" << path;
        break;
    case Preparation::Created:
        OLOG_INFO() << "Config Path Created:" << path;
        break;
    case Preparation::Failed:
        OLOG_ERROR() << "Config Path Created FAIL!" << path;
        break;
    }
    return result;
}
