#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The projector addresses listed in a GroupIP.csv, in file order, as the
// start-up connection check needs them before (or without) the group tree:
// the header line is skipped, group records ("Hall A,1") open a group, IP
// records (" ,1,10.0.0.7,Name") carry the address in their third field.
// Rows of a group named exactly "Found" are the temporary discovery group
// and are left out, like rows that precede every group (the tree shows
// them nowhere) and records without an address.
class GroupIpAddresses
{
public:
    // The file's bytes as Latin-1 up to the first NUL.
    static QStringList fromBytes(const QByteArray &bytes);
    static QStringList fromText(const QString &text);
    // A missing or unreadable file lists nothing.
    static QStringList fromFile(const QString &path);

    // "GroupIP.csv" in the configuration folder.
    static QString filePath(const QString &configFolder);
};
