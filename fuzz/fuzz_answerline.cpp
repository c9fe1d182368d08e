// Answer lines as a command session hands them on.
#include "fuzz/fuzzsupport.h"

#include "net/answerline.h"

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray wire = FuzzSupport::bytes(data, size);
    const QString text = AnswerLine::textFromWire(wire);
    FUZZ_CHECK(!text.contains(QChar(0)));
    FUZZ_CHECK(text.size() == (wire.indexOf('\0') < 0 ? wire.size() : wire.indexOf('\0')));

    const AnswerLine line(text);
    FUZZ_CHECK(line.result() == text);
    FUZZ_CHECK(line.parts() == AnswerLine::splitAnswer(text));
    FUZZ_CHECK(line.parts().join(QLatin1Char('=')) == text);
    FUZZ_CHECK(line.hasKeyValue() == (line.parts().size() >= 2));
    if (line.hasKeyValue()) {
        FUZZ_CHECK(line.key() == line.parts().at(0).simplified());
        FUZZ_CHECK(line.value() == line.parts().at(1).simplified());
    } else {
        FUZZ_CHECK(line.key().isEmpty() && line.value().isEmpty());
        FUZZ_CHECK(!line.carriesModel() && !line.carriesSerialNumber());
    }
    FUZZ_CHECK(!line.key().contains(QLatin1Char('=')) && !line.value().contains(QLatin1Char('=')));
    if (line.isOpAnswer()) {
        FUZZ_CHECK(line.key().startsWith(QLatin1String("OP "), Qt::CaseInsensitive));
        FUZZ_CHECK(!line.opWord().isNull() && line.opWord() == line.key().mid(3));
    } else {
        FUZZ_CHECK(line.opWord().isNull() && !line.opCarriesModel());
    }
    if (line.opCarriesModel())
        FUZZ_CHECK(line.carriesModel());
    return 0;
}
