#include "net/pjlinkauth.h"

#include <QCryptographicHash>

QByteArray PJLinkAuth::digest(const QByteArray &random, const QString &password)
{
    // The password is taken as UTF-8: for the ASCII passwords the protocol
    // allows this is the same byte string every projector hashes.
    return QCryptographicHash::hash(random + password.toUtf8(), QCryptographicHash::Md5).toHex();
}

QByteArray PJLinkAuth::prefixed(const QByteArray &random, const QString &password, const QByteArray &request)
{
    return digest(random, password) + request;
}
