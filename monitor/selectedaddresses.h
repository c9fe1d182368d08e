#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The projectors of a GroupIP.csv whose "Select" flag is set, in file
// order: the rows the status table monitors. IP records (" ,1,10.0.0.7,Name")
// count when their second field is exactly "1"; rows of the temporary
// "Found" group and rows before any group are left out.
class SelectedAddresses
{
public:
    // Bytes as Latin-1 up to the first NUL.
    static QStringList fromBytes(const QByteArray &bytes);
    // A missing or unreadable file lists nothing.
    static QStringList fromFile(const QString &path);
};
