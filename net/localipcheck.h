#pragma once

#include <QString>
#include <QStringList>

// Whether the configured local address (the one discovery sends from) is one
// of the machine's. A machine without any usable network that still runs with
// the shipped default is a fresh install, not a wrong setting: it gets a note
// in the status bar instead of a box before the window is even usable.
class LocalIpCheck
{
public:
    enum class Verdict
    {
        Found,     // configured address is the machine's
        Missing,   // configured address is not the machine's: tell the operator
        NoNetwork  // no usable network and the default address: just a note
    };

    static const QString DefaultLocalIP;

    static Verdict check(const QString &configured, const QStringList &localAddresses);
};
