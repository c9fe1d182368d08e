#include "bridge/localaddresses.h"

#include <QNetworkInterface>

namespace {
LocalAddresses::Provider &provider()
{
    static LocalAddresses::Provider current;
    return current;
}
} // namespace

QStringList LocalAddresses::pick(int kind, const QList<Interface> &interfaces)
{
    QStringList found;
    for (const Interface &iface : interfaces) {
        if (iface.addresses.isEmpty() || !iface.isUp || iface.humanReadableName.contains(QLatin1String("VM")))
            continue;
        for (const QHostAddress &address : iface.addresses) {
            if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            found << (kind == IPv4Address ? address.toString() : iface.hardwareAddress);
        }
    }
    if (found.isEmpty())
        found << QStringLiteral("???");
    return found;
}

QStringList LocalAddresses::localAddresses(int kind)
{
    return pick(kind, provider() ? provider()() : systemInterfaces());
}

QList<LocalAddresses::Interface> LocalAddresses::systemInterfaces()
{
    QList<Interface> result;
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &ni : all) {
        Interface iface;
        iface.humanReadableName = ni.humanReadableName();
        iface.isUp = ni.flags().testFlag(QNetworkInterface::IsUp);
        iface.hardwareAddress = ni.hardwareAddress();
        const QList<QNetworkAddressEntry> entries = ni.addressEntries();
        for (const QNetworkAddressEntry &entry : entries)
            iface.addresses << entry.ip();
        result << iface;
    }
    return result;
}

void LocalAddresses::setProvider(Provider p)
{
    provider() = std::move(p);
}
