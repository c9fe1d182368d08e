#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// What this run has learnt about PJLink projectors, per address: whether the
// address greeted on the PJLink port, whether it asks for a digest, and its
// class once it told (%1CLSS). Nothing of it is stored: the inventory files
// keep their formats and the next run finds out again.
class PJLinkDirectory
{
public:
    bool isKnown(const QString &ip) const { return m_entries.contains(ip); }
    bool isPJLink(const QString &ip) const { return m_entries.value(ip).pjlink; }
    bool needsAuth(const QString &ip) const { return m_entries.value(ip).needsAuth; }
    // 1 or 2; 0 while unknown. Until it is known only class 1 is asked.
    int classLevel(const QString &ip) const { return m_entries.value(ip).classLevel; }

    void setProbed(const QString &ip, bool pjlink, bool needsAuth = false);
    // From a CLSS answer such as "2"; anything else leaves class 1.
    void setClassAnswer(const QString &ip, const QString &value);
    int count() const { return m_entries.size(); }
    // The addresses of the list that are not known to speak PJLink, in order:
    // those the op queries and the op power walk may go to.
    QStringList opOnly(const QStringList &addresses) const;
    // found, then every other address known to speak PJLink.
    QStringList withPJLink(const QStringList &found) const;

private:
    struct Entry
    {
        bool pjlink = false;
        bool needsAuth = false;
        int classLevel = 0;
    };
    QHash<QString, Entry> m_entries;
};
