#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// An e-mail as it goes on the wire: RFC 5322 headers, UTF-8 plain text body,
// CR LF line ends. Header values come partly from projectors and the tree,
// so line breaks in them are flattened: nothing can add a header.
class MailText
{
public:
    static QByteArray build(const QString &from, const QStringList &to, const QString &subject, const QString &body,
                            const QDateTime &date);
    // "=?UTF-8?B?...?=" for text that is not plain ASCII, else the text itself.
    static QByteArray encodeHeader(const QString &text);
    // Only the address part is ever used on the envelope: "<a@b>" from "Name <a@b>".
    static QString envelopeAddress(const QString &address);
};
