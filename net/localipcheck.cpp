#include "net/localipcheck.h"

const QString LocalIpCheck::DefaultLocalIP = QStringLiteral("127.0.0.1");

LocalIpCheck::Verdict LocalIpCheck::check(const QString &configured, const QStringList &localAddresses)
{
    if (localAddresses.contains(configured))
        return Verdict::Found;
    if (localAddresses.isEmpty() && configured == DefaultLocalIP)
        return Verdict::NoNetwork;
    return Verdict::Missing;
}
