#include "app/instancelock.h"

#include "app/appinfo.h"

#include <QDir>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

InstanceLock::InstanceLock(const QString &path) : m_path(path), m_lock(path) {}

QString InstanceLock::defaultPath()
{
#ifdef Q_OS_WIN
    const uint userId = 0;
#else
    const uint userId = uint(::getuid());
#endif
    return pathFor(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), userId);
}

QString InstanceLock::pathFor(const QString &runtimeFolder, const QString &tempFolder, uint userId)
{
#ifdef Q_OS_WIN
    Q_UNUSED(runtimeFolder)
    Q_UNUSED(userId)
    return tempFolder + QLatin1Char('/') + AppInfo::name() + QStringLiteral(".lock");
#else
    if (!runtimeFolder.isEmpty() && QFileInfo(runtimeFolder).isDir())
        return runtimeFolder + QLatin1Char('/') + AppInfo::name() + QStringLiteral(".lock");
    return tempFolder + QLatin1Char('/') + AppInfo::name() + QLatin1Char('-') + QString::number(userId) +
           QStringLiteral(".lock");
#endif
}

bool InstanceLock::tryLock(int timeoutMs)
{
    if (m_lock.isLocked())
        return true;
    return m_lock.tryLock(timeoutMs);
}

bool InstanceLock::isLocked() const
{
    return m_lock.isLocked();
}

void InstanceLock::unlock()
{
    m_lock.unlock();
}
