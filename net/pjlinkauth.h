#pragma once

#include <QByteArray>
#include <QString>

// The digest a PJLink projector asks for in its greeting "PJLINK 1 <random>":
// the lower-case hexadecimal MD5 of the random number followed by the
// password, written before the first command of the connection.
//
// The password never leaves this class except inside the digest; callers
// log the command without the prefix.
class PJLinkAuth
{
public:
    static QByteArray digest(const QByteArray &random, const QString &password);
    // The first request of an authenticated connection.
    static QByteArray prefixed(const QByteArray &random, const QString &password, const QByteArray &request);
};
