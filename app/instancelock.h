#pragma once

#include <QLockFile>
#include <QString>

// One running copy per user: a lock file held for the whole run. A lock left
// behind by a killed copy is recognised as stale by QLockFile (dead owner
// process) and taken over.
//
// "Per user" decides where the file lies. Windows gives every user a
// temporary folder of their own. On Linux /tmp is shared by all users, so
// the lock goes into the user's runtime folder (XDG_RUNTIME_DIR), or, where
// there is none, into the temporary folder under a name carrying the user id;
// otherwise one user's copy would refuse every other user's.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path = defaultPath());

    // The lock of the user running this process (see above).
    static QString defaultPath();
    // The rule behind defaultPath(), for a given runtime folder (empty or
    // missing: none), temporary folder and user id.
    static QString pathFor(const QString &runtimeFolder, const QString &tempFolder, uint userId);

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
