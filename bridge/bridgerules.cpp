#include "bridge/bridgerules.h"

QString BridgeRules::latin1UpToNul(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromLatin1(nul < 0 ? bytes : bytes.left(nul));
}

QString BridgeRules::commandText(const QByteArray &chunk)
{
    return latin1UpToNul(chunk).simplified();
}

bool BridgeRules::isOpLine(const QString &text)
{
    return text.startsWith(QLatin1String("op "), Qt::CaseInsensitive);
}

QByteArray BridgeRules::serialCommand(const QString &line)
{
    QString out = line;
    if (!out.endsWith(QLatin1String("\r\n")))
        out += QLatin1String("\r\n");
    return out.toLocal8Bit();
}

QString BridgeRules::localAnswer(const QString &line)
{
    if (line.contains(QLatin1String("op model ?")))
        return QStringLiteral("OP MODEL=") + model();
    if (line.contains(QLatin1String("op ser.no ?")))
        return QStringLiteral("OP SER.NO=") + placeholderSerialNumber();
    QString echoed = line.simplified();
    echoed.remove(QLatin1Char('?'));
    return echoed + QStringLiteral("=NA");
}
