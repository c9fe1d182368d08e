#include "net/pjlinkerrorstatus.h"

PJLinkErrorStatus PJLinkErrorStatus::parse(const QString &value)
{
    PJLinkErrorStatus status;
    if (value.size() != Digits)
        return status;
    for (int i = 0; i < Digits; ++i) {
        const QChar c = value.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('2'))
            return status;
        status.m_levels[i] = c.unicode() - '0';
    }
    status.m_valid = true;
    return status;
}

bool PJLinkErrorStatus::hasError() const
{
    for (const int level : m_levels) {
        if (level == 2)
            return true;
    }
    return false;
}

bool PJLinkErrorStatus::hasWarning() const
{
    for (const int level : m_levels) {
        if (level == 1)
            return true;
    }
    return false;
}

QStringList PJLinkErrorStatus::words() const
{
    const QString parts[Digits] = {tr("Fan"), tr("Lamp"), tr("Temperature"), tr("Cover"), tr("Filter"), tr("Other")};
    QStringList words;
    for (int i = 0; i < Digits; ++i) {
        if (m_levels[i] == 1)
            words << tr("%1 warning").arg(parts[i]);
        else if (m_levels[i] == 2)
            words << tr("%1 error").arg(parts[i]);
    }
    return words;
}

QString PJLinkErrorStatus::text() const
{
    if (!m_valid)
        return QString();
    const QStringList list = words();
    return list.isEmpty() ? tr("OK") : list.join(QStringLiteral(", "));
}
