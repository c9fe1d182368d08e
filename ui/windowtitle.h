#pragma once

#include <QString>
#include <QStringList>

// The main window's title: product, version, the first local network (so
// the operator knows which interface faces the projectors) and the OS.
class WindowTitle
{
public:
    static QString compose(const QStringList &localAddresses, const QStringList &localMacs, const QString &osName);
};
