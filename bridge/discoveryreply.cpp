#include "bridge/discoveryreply.h"

#include "bridge/bridgerules.h"

#include <QOperatingSystemVersion>

bool DiscoveryReply::isRequest(const QString &text)
{
    return text.contains(QLatin1String("?ZZ?"));
}

QByteArray DiscoveryReply::build(const QString &ip, const QString &mac, int counter)
{
    QByteArray datagram;
    datagram += QStringLiteral("ip=%1;").arg(ip).toUtf8();
    datagram += QStringLiteral("mac=%1;").arg(mac).toUtf8();
    datagram += QStringLiteral("model=%1;").arg(BridgeRules::model()).toUtf8();
    datagram += QStringLiteral("serial=Brivox-%1;").arg(counter).toUtf8();
    return datagram;
}

QHostAddress DiscoveryReply::destination(const QString &ip, bool directedBroadcast)
{
    if (directedBroadcast) {
        QHostAddress address;
        if (address.setAddress(ip) && address.protocol() == QAbstractSocket::IPv4Protocol)
            return QHostAddress(ip.left(ip.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".255"));
    }
    return QHostAddress(QHostAddress::Broadcast);
}

bool DiscoveryReply::systemWantsDirectedBroadcast()
{
#ifdef Q_OS_WIN
    const QOperatingSystemVersion current = QOperatingSystemVersion::current();
    return current.majorVersion() == 10;
#else
    return false;
#endif
}
