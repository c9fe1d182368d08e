#include "monitor/history/mailtext.h"

#include <QLocale>
#include <QRegularExpression>
#include <QUuid>

namespace {

QString flattened(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c.category() == QChar::Other_Control) // CR and LF among them
            c = QLatin1Char(' ');
    }
    return out.simplified();
}

bool isPlainAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

} // namespace

QByteArray MailText::encodeHeader(const QString &text)
{
    const QString flat = flattened(text);
    if (isPlainAscii(flat))
        return flat.toLatin1();
    return "=?UTF-8?B?" + flat.toUtf8().toBase64() + "?=";
}

QString MailText::envelopeAddress(const QString &address)
{
    static const QRegularExpression angle(QStringLiteral("<([^<>\\s]+)>"));
    const QRegularExpressionMatch match = angle.match(address);
    return flattened(match.hasMatch() ? match.captured(1) : address).remove(QLatin1Char(' '));
}

QByteArray MailText::build(const QString &from, const QStringList &to, const QString &subject, const QString &body,
                           const QDateTime &date)
{
    QByteArray mail;
    mail += "Date: " + QLocale::c().toString(date.toUTC(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss +0000")).toLatin1() +
            "\r\n";
    mail += "From: " + envelopeAddress(from).toUtf8() + "\r\n";
    QStringList recipients;
    for (const QString &address : to)
        recipients.append(envelopeAddress(address));
    mail += "To: " + recipients.join(QStringLiteral(", ")).toUtf8() + "\r\n";
    mail += "Subject: " + encodeHeader(subject) + "\r\n";
    mail += "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@orvanto>\r\n";
    mail += "MIME-Version: 1.0\r\n";
    mail += "Content-Type: text/plain; charset=UTF-8\r\n";
    mail += "Content-Transfer-Encoding: 8bit\r\n";
    mail += "\r\n";
    QString text = body;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    mail += text.split(QLatin1Char('\n')).join(QStringLiteral("\r\n")).toUtf8();
    mail += "\r\n";
    return mail;
}
