#pragma once

#include <QLockFile>
#include <QString>

// One running copy per user: a lock file in the temporary folder, held for
// the whole run. A lock left behind by a killed copy is recognised as stale by
// QLockFile (dead owner process) and taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path = defaultPath());

    // <temporary folder>/Orvanto.lock
    static QString defaultPath();

    // Waits at most timeoutMs for the lock. True when this object now holds it.
    bool tryLock(int timeoutMs = 100);
    bool isLocked() const;
    void unlock();

    QString path() const { return m_path; }
    QLockFile::LockError error() const { return m_lock.error(); }

private:
    QString m_path;
    QLockFile m_lock;
};
