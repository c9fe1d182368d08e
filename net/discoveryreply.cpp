#include "net/discoveryreply.h"

#include "net/modelnamerule.h"

bool DiscoveryReply::isRequest(const QByteArray &datagram)
{
    return datagram.contains(request());
}

QString DiscoveryReply::datagramText(const QByteArray &datagram, bool *truncated)
{
    int end = datagram.indexOf('\0');
    if (end < 0)
        end = datagram.size();
    if (truncated)
        *truncated = end > MaxReplyBytes;
    return QString::fromLatin1(datagram.constData(), qMin(end, MaxReplyBytes));
}

DiscoveryReply DiscoveryReply::parse(const QString &text)
{
    DiscoveryReply reply;
    reply.parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : qAsConst(reply.parts)) {
        QString *field = nullptr;
        if (part.contains(QLatin1String("ip=")))
            field = &reply.ip;
        else if (part.contains(QLatin1String("model=")))
            field = &reply.model;
        else if (part.contains(QLatin1String("serial=")))
            field = &reply.serial;
        else if (part.contains(QLatin1String("mac=")))
            field = &reply.mac;
        if (field)
            *field = part.section(QLatin1Char('='), 1, 1);
    }
    return reply;
}

QByteArray DiscoveryReply::build(const QString &ip, const QString &mac, const QString &model, const QString &serial)
{
    return QStringLiteral("ip=%1;mac=%2;model=%3;serial=%4;").arg(ip, mac, model, serial).toLatin1();
}

bool DiscoveryReply::hasValidIp() const
{
    const QStringList octets = ip.split(QLatin1Char('.'));
    if (octets.size() != 4)
        return false;
    for (const QString &octet : octets) {
        // Digits only: toInt alone would take "+1" or " 1".
        if (octet.isEmpty() || octet.size() > 3 || (octet.size() > 1 && octet.front() == QLatin1Char('0')))
            return false;
        for (const QChar c : octet)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        if (octet.toInt() > 255)
            return false;
    }
    return true;
}

quint32 DiscoveryReply::ipValue() const
{
    if (!hasValidIp())
        return 0;
    quint32 value = 0;
    for (const QString &octet : ip.split(QLatin1Char('.')))
        value = (value << 8) | octet.toUInt();
    return value;
}

bool DiscoveryReply::isPlainModelName(const QString &model)
{
    return ModelNameRule::isPlain(model);
}
