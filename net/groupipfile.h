#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// GroupIP.csv: the operator's groups and projector addresses.
//
//   Group, Select, IP, Name          header, skipped by position
//   Hall A,1                         group record: name, Select ("1" checked)
//    ,1,10.0.0.7,Left                IP record: " ", Select, address, name
//
// Written as UTF-8; read as UTF-8 when the bytes are valid UTF-8, else as
// Latin-1 (files of older tools), up to the first NUL. No quoting: a comma
// in a name cuts it on reading. A group named exactly "Found" is the
// temporary discovery group and is never written.
//
// Reading is tolerant: a record with too few fields is skipped with a
// warning naming its line; IP records before any group go into a group
// made for them (OrphanGroupName) so that the next save keeps them.
class GroupIpFile
{
public:
    static constexpr int MaxRecords = 20000;

    struct Projector
    {
        bool checked = false;
        QString ip;
        QString name;
        bool operator==(const Projector &o) const { return checked == o.checked && ip == o.ip && name == o.name; }
    };
    struct Group
    {
        QString name;
        bool checked = false;
        bool fromFile = true;
        QVector<Projector> projectors;
        bool operator==(const Group &o) const
        {
            return name == o.name && checked == o.checked && projectors == o.projectors;
        }
    };
    using Groups = QVector<Group>;

    static QString foundGroupName() { return QStringLiteral("Found"); }
    static QString orphanGroupName() { return QStringLiteral("Ungrouped"); }
    static QByteArray header() { return QByteArrayLiteral("Group, Select, IP, Name"); }

    // warnings (optional) receives one text per skipped or moved line.
    static Groups parse(const QByteArray &bytes, QStringList *warnings = nullptr);
    static QByteArray serialize(const Groups &groups);

    static QString decode(const QByteArray &bytes);

    // A missing or unreadable file gives no groups.
    static Groups load(const QString &path, QStringList *warnings = nullptr);
    // Replaces the file only when every byte is written; on failure the old
    // file stays and error says why.
    static bool save(const QString &path, const Groups &groups, QString *error = nullptr);

    // "GroupIP.csv" in the configuration folder.
    static QString filePath(const QString &configFolder);
};
