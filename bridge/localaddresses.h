#pragma once

#include <QHostAddress>
#include <QList>
#include <QStringList>

#include <functional>

// The bridge's own IPv4 addresses and the hardware addresses of the
// interfaces carrying them, as announced in the discovery reply. Virtual
// machine adapters ("VM" in the name) are passed over so that the reply names
// the address the manager can actually reach.
class LocalAddresses
{
public:
    enum Kind
    {
        IPv4Address = 0,
        HardwareAddress = 1
    };

    struct Interface
    {
        QString humanReadableName;
        bool isUp = false;
        QString hardwareAddress;
        QList<QHostAddress> addresses;
    };
    using Provider = std::function<QList<Interface>()>;

    // From the given interfaces; {"???"} when none qualifies.
    static QStringList pick(int kind, const QList<Interface> &interfaces);

    // From the system's interfaces (or the provider set below).
    static QStringList localAddresses(int kind);

    // The system's interfaces in the form above.
    static QList<Interface> systemInterfaces();

    // Replaces the system's interfaces, for tests; an empty provider restores them.
    static void setProvider(Provider provider);
};
