#pragma once

#include "monitor/history/mailsettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// Hands one message at a time to an SMTP server through libcurl. Lives on a
// thread of its own: a server that takes a minute to answer holds that
// thread, never the window. Knows nothing of retries; its owner decides.
class SmtpMailer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Sends on the calling thread, blocking; the text of the failure, or
    // empty on success. The password never appears in the text.
    static QString sendBlocking(const MailSettings &settings, const QByteArray &mail);

public slots:
    void send(const MailSettings &settings, const QByteArray &mail, quint64 id);

signals:
    void sent(quint64 id);
    void failed(quint64 id, const QString &reason);
};

Q_DECLARE_METATYPE(MailSettings)
