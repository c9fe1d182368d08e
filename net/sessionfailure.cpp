#include "net/sessionfailure.h"

SessionFailure::Kind SessionFailure::ofConnectError(QAbstractSocket::SocketError error)
{
    return error == QAbstractSocket::ConnectionRefusedError ? Kind::Refused : Kind::Unreachable;
}

QString SessionFailure::kindText(Kind kind)
{
    switch (kind) {
    case Kind::Refused:
        return QStringLiteral("refused");
    case Kind::Unreachable:
        return QStringLiteral("unreachable");
    case Kind::TimedOut:
        return QStringLiteral("timed out");
    case Kind::Closed:
        return QStringLiteral("closed");
    }
    return QString();
}

QString SessionFailure::line(Kind kind, const QString &host, const QStringList &commands, int firstUnanswered,
                             const QString &reason)
{
    QString text = Marker + host + QLatin1Char(' ') + kindText(kind) + QLatin1String(": ");
    text += firstUnanswered < commands.size() ? commands.at(qMax(0, firstUnanswered)).simplified() : QString();
    const int more = commands.size() - qMax(0, firstUnanswered) - 1;
    if (more > 0)
        text += QStringLiteral(" (+%1 more)").arg(more);
    if (!reason.isEmpty())
        text += QLatin1String(" (") + reason + QLatin1Char(')');
    return text;
}
