#include "testenvironment.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <utility>

namespace {

std::string &rootPath()
{
    static std::string path;
    return path;
}

void removeRoot()
{
    if (!rootPath().empty())
        QDir(QString::fromStdString(rootPath())).removeRecursively();
}

} // namespace

void TestEnvironment::isolate()
{
    if (!rootPath().empty())
        return;
    const char *base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/orvtest-XXXXXX";
    std::string buffer(pattern);
    if (!mkdtemp(buffer.data())) {
        perror("TestEnvironment: mkdtemp");
        std::abort();
    }
    rootPath() = buffer;
    const std::pair<const char *, const char *> folders[] = {{"HOME", "/home"},           {"XDG_DATA_HOME", "/data"},
                                                             {"XDG_CONFIG_HOME", "/config"}, {"XDG_CACHE_HOME", "/cache"},
                                                             {"XDG_RUNTIME_DIR", "/runtime"}, {"TMPDIR", "/tmp"}};
    for (const auto &folder : folders) {
        const std::string path = buffer + folder.second;
        QDir().mkpath(QString::fromStdString(path));
        setenv(folder.first, path.c_str(), 1);
    }
    QFile::setPermissions(QString::fromStdString(buffer + "/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::atexit(removeRoot);
}

QString TestEnvironment::root()
{
    return QString::fromStdString(rootPath());
}

QString TestEnvironment::binDir()
{
    const QByteArray dir = qgetenv("ORV_BIN_DIR");
    return dir.isEmpty() ? QStringLiteral(ORV_BUILT_BIN_DIR) : QString::fromLocal8Bit(dir);
}

QString TestEnvironment::sourceDir()
{
    // CTest says where the sources are; a benchmark started by hand falls
    // back to the tree it was built from.
    const QByteArray dir = qgetenv("ORV_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(ORV_BUILT_FROM_SOURCE_DIR) : QString::fromLocal8Bit(dir);
}
