#include "app/instancelock.h"

#include "app/appinfo.h"

#include <QDir>

InstanceLock::InstanceLock(const QString &path) : m_path(path), m_lock(path) {}

QString InstanceLock::defaultPath()
{
    return QDir::tempPath() + QLatin1Char('/') + AppInfo::name() + QStringLiteral(".lock");
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
