#include "monitor/history/mailsettings.h"

QString MailSettings::securityKey(Security security)
{
    switch (security) {
    case Security::None:
        return QStringLiteral("none");
    case Security::Tls:
        return QStringLiteral("tls");
    case Security::StartTls:
        break;
    }
    return QStringLiteral("starttls");
}

bool MailSettings::securityFromKey(const QString &key, Security *security)
{
    const QString k = key.trimmed().toLower();
    for (Security s : {Security::None, Security::StartTls, Security::Tls}) {
        if (k == securityKey(s)) {
            *security = s;
            return true;
        }
    }
    return false;
}

QStringList MailSettings::splitRecipients(const QString &text)
{
    QStringList result;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString address = part.trimmed();
        if (!address.isEmpty())
            result.append(address);
    }
    return result;
}
