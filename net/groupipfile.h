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
// Reading is tolerant and bounded: at most MaxBytes of the file and
// MaxRecords records are looked at, a record with too few fields is skipped
// with a warning naming its line (at most MaxWarnings of them, then one
// line that counts the rest); IP records before any group go into a group
// made for them (OrphanGroupName) so that the next save keeps them.
//
// What is loaded is what a save writes and a reload gives back: a
// projector name loses the blanks at its end even when further fields
// follow, since written as the last field it would lose them on reload.
class GroupIpFile
{
public:
    static constexpr int MaxRecords = 20000;
    static constexpr qint64 MaxBytes = 4 * 1024 * 1024;
    static constexpr int MaxWarnings = 20;

    // The fields an operator edits in the tree.
    enum class Field
    {
        GroupName,
        Address,
        ProjectorName
    };
    // Why text cannot be stored in field and read back as it is (translated,
    // for the status bar), or empty when it can.
    static QString storeProblem(Field field, const QString &text);

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

    // warnings (optional) receives one text per skipped or moved line, at
    // most MaxWarnings, then one that counts the rest.
    static Groups parse(const QByteArray &bytes, QStringList *warnings = nullptr);
    static QByteArray serialize(const Groups &groups);

    static QString decode(const QByteArray &bytes);

    // A missing or unreadable file gives no groups; only the first MaxBytes
    // are read (the cut last line is dropped, with a warning).
    static Groups load(const QString &path, QStringList *warnings = nullptr);
    // Replaces the file only when every byte is written; on failure the old
    // file stays and error says why.
    static bool save(const QString &path, const Groups &groups, QString *error = nullptr);

    // "GroupIP.csv" in the configuration folder.
    static QString filePath(const QString &configFolder);
};
