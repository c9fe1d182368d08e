// Discovery replies come from anyone on the segment.
#include "fuzz/fuzzsupport.h"

#include "net/cataloguefiles.h"
#include "net/discoveryreply.h"

#include <QHostAddress>

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram = FuzzSupport::bytes(data, size);
    bool truncated = false;
    const QString text = DiscoveryReply::datagramText(datagram, &truncated);
    FUZZ_CHECK(text.size() <= DiscoveryReply::MaxReplyBytes);
    FUZZ_CHECK(!text.contains(QChar(0)));
    FUZZ_CHECK(truncated == (text.size() == DiscoveryReply::MaxReplyBytes && datagram.indexOf('\0') != text.size() &&
                             datagram.size() > DiscoveryReply::MaxReplyBytes));

    const DiscoveryReply reply = DiscoveryReply::parse(QStringLiteral("UDP:") + text);
    FUZZ_CHECK(!reply.parts.contains(QString()));
    for (const QString &field : {reply.ip, reply.model, reply.serial, reply.mac})
        FUZZ_CHECK(!field.contains(QLatin1Char(';')) && !field.contains(QLatin1Char('=')));

    // Only canonical dotted quads: the text is the address's one spelling,
    // so comparing texts compares addresses.
    if (reply.hasValidIp()) {
        FUZZ_CHECK(QHostAddress(reply.ipValue()).toString() == reply.ip);
    } else {
        FUZZ_CHECK(reply.ipValue() == 0);
    }

    // What a responder builds from these fields reads back as the same fields.
    const DiscoveryReply again =
        DiscoveryReply::parse(QString::fromLatin1(DiscoveryReply::build(reply.ip, reply.mac, reply.model, reply.serial)));
    FUZZ_CHECK(again.ip == reply.ip && again.model == reply.model && again.serial == reply.serial &&
               again.mac == reply.mac);

    // One model-name rule for discovery and the catalogue files, and a plain
    // name never leaves the plug-in folder.
    const bool plain = DiscoveryReply::isPlainModelName(reply.model);
    FUZZ_CHECK(plain == CatalogueFiles::isPlainModelName(reply.model));
    if (plain) {
        FUZZ_CHECK(!reply.model.contains(QLatin1Char('/')) && !reply.model.contains(QLatin1Char('\\')) &&
                   !reply.model.contains(QLatin1String("..")) && !reply.model.startsWith(QLatin1Char('.')));
        FUZZ_CHECK(CatalogueFiles::cataloguePath(QStringLiteral("/plugins"), reply.model) ==
                   QStringLiteral("/plugins/") + reply.model + QStringLiteral(".csv"));
    } else {
        FUZZ_CHECK(CatalogueFiles::cataloguePath(QStringLiteral("/plugins"), reply.model).isEmpty());
    }
    return 0;
}
