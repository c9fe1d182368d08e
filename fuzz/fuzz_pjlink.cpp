// Everything a PJLink projector (or anyone on port 4352) sends: reply lines,
// ERST and LAMP values, search answers and notifications.
#include "fuzz/fuzzsupport.h"

#include "net/pjlinkdatagram.h"
#include "net/pjlinkerrorstatus.h"
#include "net/pjlinklamps.h"
#include "net/pjlinkreply.h"

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = FuzzSupport::bytes(data, size);
    const PJLinkReply reply = PJLinkReply::parse(input);
    // A line the protocol does not allow is refused whole, never half taken.
    if (input.size() > PJLinkReply::MaxLineBytes)
        FUZZ_CHECK(reply.kind() == PJLinkReply::Kind::Invalid);
    if (reply.kind() == PJLinkReply::Kind::Answer) {
        FUZZ_CHECK(reply.classDigit().isDigit());
        FUZZ_CHECK(reply.command().size() == 4);
        for (const QChar c : reply.value())
            FUZZ_CHECK(c.unicode() >= 0x20);
        // The answer is recognised as the answer to its own request.
        FUZZ_CHECK(reply.answers(QStringLiteral("%") + reply.classDigit() + reply.command() + QStringLiteral(" ?")));
    }
    if (reply.kind() == PJLinkReply::Kind::Greeting && reply.needsAuth())
        FUZZ_CHECK(reply.random().size() == 8);

    const QString text = QString::fromLatin1(input);
    const PJLinkErrorStatus status = PJLinkErrorStatus::parse(text);
    if (status.isValid()) {
        FUZZ_CHECK(text.size() == PJLinkErrorStatus::Digits);
        FUZZ_CHECK(status.hasError() || status.hasWarning() || status.words().isEmpty());
    }
    const PJLinkLamps lamps = PJLinkLamps::parse(text);
    FUZZ_CHECK(lamps.lamps().size() <= PJLinkLamps::MaxLamps);
    for (const PJLinkLamps::Lamp &lamp : lamps.lamps())
        FUZZ_CHECK(lamp.hours >= 0 && lamp.hours <= 99999);

    const PJLinkDatagram datagram = PJLinkDatagram::parse(input);
    if (datagram.kind() == PJLinkDatagram::Kind::Acknowledge || datagram.kind() == PJLinkDatagram::Kind::LinkUp)
        FUZZ_CHECK(datagram.mac().size() == 17);
    if (datagram.kind() == PJLinkDatagram::Kind::Status) {
        static const QStringList known{"POWR", "ERST", "INPT", "AVMT"};
        FUZZ_CHECK(known.contains(datagram.command()));
    }
    return 0;
}
