// The bridge's input rules, echo filter and serial line framer.
// Input: a TCP chunk from the client, 0x1E, then serial bytes in chunks
// separated by further 0x1E.
#include "fuzz/fuzzsupport.h"

#include "bridge/bridgerules.h"
#include "bridge/echofilter.h"
#include "bridge/seriallineframer.h"

FUZZ_INIT

namespace {

void checkFramer(const QByteArrayList &chunks)
{
    SerialLineFramer framer;
    QByteArray fed;
    QByteArray out;
    for (const QByteArray &chunk : chunks) {
        framer.append(chunk);
        fed += chunk;
        while (framer.hasLine()) {
            bool complete = false;
            const QByteArray line = framer.takeLine(&complete);
            FUZZ_CHECK(!line.isEmpty() && line.size() <= SerialLineFramer::MaxLineLength);
            if (complete)
                FUZZ_CHECK(line.endsWith('\n') && line.indexOf('\n') == line.size() - 1);
            else
                FUZZ_CHECK(line.size() == SerialLineFramer::MaxLineLength && !line.contains('\n'));
            out += line;
        }
        // Nothing complete is held back, and what waits stays under the bound.
        FUZZ_CHECK(framer.pendingSize() < SerialLineFramer::MaxLineLength);
        FUZZ_CHECK(framer.takeLine().isEmpty());
    }
    // No byte lost, none added, none reordered.
    FUZZ_CHECK(framer.pendingSize() == fed.size() - out.size());
    FUZZ_CHECK(fed.startsWith(out));
}

void checkCommand(const QByteArray &chunk)
{
    const QString line = BridgeRules::commandText(chunk.left(BridgeRules::MaxTcpRead));
    FUZZ_CHECK(line == line.simplified() && !line.contains(QChar(0)));
    const QByteArray written = BridgeRules::serialCommand(line);
    FUZZ_CHECK(written.endsWith("\r\n"));
    if (!BridgeRules::isOpLine(line))
        return;

    // The projector's echo of what was written is an echo, however it
    // frames it: as written, with LF only, or with a blank before the end.
    EchoFilter filter;
    filter.remember(written);
    const QByteArray bare = written.left(written.size() - 2);
    FUZZ_CHECK(filter.classify(written) == EchoFilter::Kind::Echo);
    FUZZ_CHECK(filter.classify(bare + '\n') == EchoFilter::Kind::Echo);
    FUZZ_CHECK(filter.classify(bare + " \r\n") == EchoFilter::Kind::Echo);
    // An answer line is not taken for the echo.
    const QByteArray answer = "OP ANSWER=" + QByteArray::number(qHash(bare)) + "\r\n";
    if (!answer.contains(bare))
        FUZZ_CHECK(filter.classify(answer) == EchoFilter::Kind::Answer);

    // Without a serial port the bridge answers by itself, without a line end.
    const QString local = BridgeRules::localAnswer(line);
    FUZZ_CHECK(!local.isEmpty() && !local.contains(QLatin1Char('\r')) && !local.contains(QLatin1Char('\n')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayList in = FuzzSupport::pieces(FuzzSupport::bytes(data, size), 2);
    checkCommand(in.at(0));
    checkFramer(in.mid(1));

    // Serial lines against a remembered command: classification never
    // depends on how the line was cut.
    EchoFilter filter;
    filter.remember(BridgeRules::serialCommand(BridgeRules::commandText(in.at(0).left(BridgeRules::MaxTcpRead))));
    for (const QByteArray &chunk : in.mid(1)) {
        const EchoFilter::Kind kind = filter.classify(chunk);
        const QByteArray upToNul = chunk.left(chunk.indexOf('\0') < 0 ? chunk.size() : chunk.indexOf('\0'));
        FUZZ_CHECK(kind == filter.classify(upToNul));
        FUZZ_CHECK((kind == EchoFilter::Kind::Other) == !upToNul.toLower().startsWith("op "));
    }
    return 0;
}
