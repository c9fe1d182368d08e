#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

// The bridge's side of the discovery exchange: recognising the manager's
// request and building the reply that makes the bridge look like a networked
// projector.
class DiscoveryReply
{
public:
    static constexpr quint16 RequestPort = 35070;
    static constexpr quint16 ReplyPort = 35069;

    // Any datagram text holding "?ZZ?" is a request.
    static bool isRequest(const QString &text);

    // "ip=<ip>;mac=<mac>;model=KX4410Q;serial=Brivox-<counter>;"
    static QByteArray build(const QString &ip, const QString &mac, int counter);

    // Windows 10 wants the directed broadcast of ip's /24 network; elsewhere
    // the limited broadcast. An ip that is no IPv4 address also gets the
    // limited broadcast, as there is no network to direct it to.
    static QHostAddress destination(const QString &ip, bool directedBroadcast);

    // True when this system wants the directed broadcast (Windows 10).
    static bool systemWantsDirectedBroadcast();
};
