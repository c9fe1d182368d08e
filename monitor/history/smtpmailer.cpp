#include "monitor/history/smtpmailer.h"

#include "monitor/history/mailtext.h"

#include <curl/curl.h>

#include <cstring>
#include <mutex>

namespace {

struct Upload
{
    const QByteArray *data;
    qsizetype offset = 0;
};

size_t readChunk(char *buffer, size_t size, size_t count, void *user)
{
    auto *upload = static_cast<Upload *>(user);
    const size_t left = size_t(upload->data->size() - upload->offset);
    const size_t n = qMin(left, size * count);
    std::memcpy(buffer, upload->data->constData() + upload->offset, n);
    upload->offset += qsizetype(n);
    return n;
}

QByteArray angled(const QString &address)
{
    return '<' + MailText::envelopeAddress(address).toUtf8() + '>';
}

} // namespace

QString SmtpMailer::sendBlocking(const MailSettings &settings, const QByteArray &mail)
{
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    if (!settings.isUsable())
        return QStringLiteral("the mail server, the sender or the recipients are not set");

    CURL *curl = curl_easy_init();
    if (!curl)
        return QStringLiteral("libcurl could not start");
    const bool implicitTls = settings.security == MailSettings::Security::Tls;
    const QByteArray url = QStringLiteral("%1://%2:%3")
                               .arg(implicitTls ? QStringLiteral("smtps") : QStringLiteral("smtp"),
                                    MailText::envelopeAddress(settings.host))
                               .arg(settings.port)
                               .toUtf8();
    const QByteArray from = angled(settings.from);
    const QByteArray user = settings.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    curl_slist *recipients = nullptr;
    for (const QString &to : settings.to)
        recipients = curl_slist_append(recipients, angled(to).constData());
    Upload upload{&mail};
    char errors[CURL_ERROR_SIZE] = {0};

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 90L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errors);
    if (settings.security == MailSettings::Security::StartTls)
        curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    if (!settings.user.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readChunk);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(mail.size()));

    const CURLcode result = curl_easy_perform(curl);
    curl_slist_free_all(recipients);
    curl_easy_cleanup(curl);
    if (result == CURLE_OK)
        return QString();
    const QString detail = QString::fromUtf8(errors).trimmed();
    return detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(result)) : detail;
}

void SmtpMailer::send(const MailSettings &settings, const QByteArray &mail, quint64 id)
{
    const QString failure = sendBlocking(settings, mail);
    if (failure.isEmpty())
        emit sent(id);
    else
        emit failed(id, failure);
}
