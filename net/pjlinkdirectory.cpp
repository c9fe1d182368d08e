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

QStringList PJLinkDirectory::withPJLink(const QStringList &found) const
{
    QStringList all = found;
    QStringList extra;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->pjlink && !found.contains(it.key()))
            extra.append(it.key());
    }
    // Hash order is no order for the operator's list.
    extra.sort();
    return all + extra;
}
