#include "net/pjlinkdirectory.h"

void PJLinkDirectory::setProbed(const QString &ip, bool pjlink, bool needsAuth)
{
    Entry &entry = m_entries[ip];
    entry.pjlink = pjlink;
    entry.needsAuth = pjlink && needsAuth;
}

void PJLinkDirectory::setClassAnswer(const QString &ip, const QString &value)
{
    Entry &entry = m_entries[ip];
    entry.pjlink = true;
    entry.classLevel = value == QLatin1String("2") ? 2 : 1;
}

QStringList PJLinkDirectory::opOnly(const QStringList &addresses) const
{
    QStringList op;
    for (const QString &ip : addresses) {
        if (!isPJLink(ip))
            op.append(ip);
    }
    return op;
}
