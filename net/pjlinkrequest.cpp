#include "net/pjlinkrequest.h"

QStringList PJLinkRequest::sweep(int classLevel)
{
    QStringList requests{QStringLiteral("%1INF1 ?"), QStringLiteral("%1INF2 ?"), QStringLiteral("%1POWR ?"),
                         QStringLiteral("%1ERST ?"), QStringLiteral("%1LAMP ?")};
    if (classLevel >= 2) {
        requests << QStringLiteral("%2SNUM ?") << QStringLiteral("%2INPT ?") << QStringLiteral("%2IRES ?");
    } else {
        requests << QStringLiteral("%1INPT ?");
        if (classLevel == 0)
            requests << QStringLiteral("%1CLSS ?");
    }
    return requests;
}

QString PJLinkRequest::query(const QString &command, const QString &parameter)
{
    return command + QStringLiteral(" ?") + parameter;
}

QString PJLinkRequest::fromConsole(const QString &typed)
{
    const QString line = typed.simplified();
    if (line.size() < 6 || line.at(0) != QLatin1Char('%') || line.at(1) < QLatin1Char('1')
        || line.at(1) > QLatin1Char('9'))
        return QString();
    for (int i = 2; i < 6; ++i) {
        const QChar c = line.at(i);
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80))
            return QString();
    }
    if (line.size() > 6 && line.at(6) != QLatin1Char(' '))
        return QString();
    // Projectors know their commands in upper case only.
    return line.left(6).toUpper() + line.mid(6);
}

QStringList PJLinkRequest::forClass(const QStringList &requests, int classLevel)
{
    if (classLevel >= 2)
        return requests;
    QStringList kept;
    for (const QString &request : requests) {
        if (!isClass2(request))
            kept << request;
    }
    return kept;
}
