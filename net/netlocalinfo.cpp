#include "net/netlocalinfo.h"

#include "app/orvlog/OrvLog.h"

#include <QNetworkInterface>

namespace {

bool isVirtualMachineAdapter(const QString &name)
{
    return name.contains(QLatin1String("VM"));
}

} // namespace

NetLocalInfo::NetLocalInfo()
{
    build(systemInterfaces());
}

NetLocalInfo::NetLocalInfo(const QVector<Interface> &interfaces)
{
    build(interfaces);
}

QVector<NetLocalInfo::Interface> NetLocalInfo::systemInterfaces()
{
    QVector<Interface> result;
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &ni : all) {
        Interface entry;
        entry.name = ni.humanReadableName();
        entry.hardwareAddress = ni.hardwareAddress();
        entry.up = ni.flags().testFlag(QNetworkInterface::IsUp);
        entry.loopback = ni.flags().testFlag(QNetworkInterface::IsLoopBack);
        const QList<QNetworkAddressEntry> entries = ni.addressEntries();
        for (const QNetworkAddressEntry &address : entries)
            entry.addresses.append(address.ip());
        result.append(entry);
    }
    return result;
}

void NetLocalInfo::build(const QVector<Interface> &interfaces)
{
    for (const Interface &ni : interfaces) {
        if (!ni.up || ni.loopback)
            continue;
        for (const QHostAddress &address : ni.addresses) {
            const QString text = address.toString();
            if (ni.hardwareAddress == QLatin1String("00:00:00:00:00:00"))
                continue;
            if (!text.contains(QLatin1Char('.')))
                continue;
            if (isVirtualMachineAdapter(ni.name))
                continue;
            m_names.append(ni.name);
            m_addresses.append(text);
            m_hardwareAddresses.append(ni.hardwareAddress);
        }
    }
    for (int i = 0; i < m_addresses.size(); ++i)
        OLOG_DEBUG() << QStringLiteral("Found Local Interface:%1 @%2 [%3]")
                            .arg(m_names.at(i), m_addresses.at(i), m_hardwareAddresses.at(i));
}

QStringList NetLocalInfo::configDialogAddresses()
{
    return configDialogAddresses(systemInterfaces());
}

QStringList NetLocalInfo::configDialogAddresses(const QVector<Interface> &interfaces)
{
    QStringList result;
    for (const Interface &ni : interfaces) {
        if (ni.addresses.isEmpty() || !ni.up || isVirtualMachineAdapter(ni.name))
            continue;
        for (const QHostAddress &address : ni.addresses) {
            if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            result.append(address.toString());
        }
    }
    return result;
}
