#include "testenvironment.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

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

void setEnv(const char *name, const std::string &value)
{
    setenv(name, value.c_str(), 1);
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
    const std::string root = buffer;
    for (const char *sub : {"/home", "/data", "/config", "/cache", "/runtime", "/tmp"})
        QDir().mkpath(QString::fromStdString(root + sub));
    QFile::setPermissions(QString::fromStdString(root + "/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setEnv("HOME", root + "/home");
    setEnv("XDG_DATA_HOME", root + "/data");
    setEnv("XDG_CONFIG_HOME", root + "/config");
    setEnv("XDG_CACHE_HOME", root + "/cache");
    setEnv("XDG_RUNTIME_DIR", root + "/runtime");
    setEnv("TMPDIR", root + "/tmp");
    if (!getenv("QT_QPA_PLATFORM"))
        setEnv("QT_QPA_PLATFORM", "offscreen");
    std::atexit(removeRoot);
}

QString TestEnvironment::root()
{
    return QString::fromStdString(rootPath());
}

QString TestEnvironment::binDir()
{
    const QByteArray dir = qgetenv("ORV_BIN_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(dir);
}

QString TestEnvironment::sourceDir()
{
    return QString::fromLocal8Bit(qgetenv("ORV_SOURCE_DIR"));
}
