#pragma once

#include <QString>
#include <QStringList>

// Where alert e-mail goes ([Alerts] in Orvanto.ini).
struct MailSettings
{
    enum class Security
    {
        None,
        StartTls,
        Tls
    };

    QString host;
    int port = 25;
    Security security = Security::StartTls;
    QString user;
    QString password; // never logged
    QString from;
    QStringList to;

    bool isUsable() const { return !host.isEmpty() && port > 0 && port < 65536 && !from.isEmpty() && !to.isEmpty(); }

    static QString securityKey(Security security);
    // "none", "starttls", "tls" (any case); false for anything else.
    static bool securityFromKey(const QString &key, Security *security);
    // "a@x, b@y" -> the addresses, blanks and empty entries dropped.
    static QStringList splitRecipients(const QString &text);
};
