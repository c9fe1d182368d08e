// The power-state answer: one rule for the panel, the table and the walks.
#include "fuzz/fuzzsupport.h"

#include "net/answerline.h"
#include "net/powerstate.h"

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = AnswerLine::textFromWire(FuzzSupport::bytes(data, size));
    const QStringList parts = AnswerLine::splitAnswer(text);
    const int code = PowerState::fromAnswerParts(parts);
    if (parts.size() < 2) {
        FUZZ_CHECK(code == PowerState::NoAnswer);
        return 0;
    }
    bool number = false;
    const int value = parts.at(1).trimmed().toInt(&number, 10);
    FUZZ_CHECK(code == (number ? value : int(PowerState::NoAnswer)));
    // Blanks and line ends around the value change nothing.
    QStringList padded = parts;
    padded[1] = QStringLiteral(" ") + parts.at(1) + QStringLiteral("\r\n");
    FUZZ_CHECK(PowerState::fromAnswerParts(padded) == code);
    return 0;
}
