#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The host's usable local IPv4 addresses: what discovery and the target
// search may work from. Virtual-machine adapters (names carrying "VM") are
// left out. The interface list can be handed in, so the rules can be checked
// without the host's real adapters.
class NetLocalInfo
{
public:
    struct Interface
    {
        QString name;            // human-readable name
        QString hardwareAddress; // "aa:bb:cc:dd:ee:ff"
        bool up = false;
        bool loopback = false;
        QList<QHostAddress> addresses;
    };

    // Lists the host's interfaces.
    NetLocalInfo();
    explicit NetLocalInfo(const QVector<Interface> &interfaces);

    static QVector<Interface> systemInterfaces();

    // Parallel lists, one entry per accepted (interface, address) pair.
    const QStringList &names() const { return m_names; }
    const QStringList &addresses() const { return m_addresses; }
    const QStringList &hardwareAddresses() const { return m_hardwareAddresses; }
    int count() const { return m_addresses.size(); }

    // The addresses offered by the configuration dialog. Unlike the main
    // list it keeps loopback interfaces' other addresses, ignores the
    // hardware address and tells IPv4 by protocol.
    static QStringList configDialogAddresses();
    static QStringList configDialogAddresses(const QVector<Interface> &interfaces);

private:
    void build(const QVector<Interface> &interfaces);

    QStringList m_names;
    QStringList m_addresses;
    QStringList m_hardwareAddresses;
};
