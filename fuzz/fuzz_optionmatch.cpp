// Which value name an answer stands for. Input: option names separated by
// line feeds, 0x1E, the answer.
#include "fuzz/fuzzsupport.h"

#include "panel/optionmatch.h"

#include <QStringList>

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayList in = FuzzSupport::pieces(FuzzSupport::bytes(data, size), 2);
    QStringList options = QString::fromUtf8(in.at(0)).split(QLatin1Char('\n'));
    if (options.size() > 64)
        options = options.mid(0, 64);
    const QString answer = QString::fromUtf8(in.at(1));

    const int index = OptionMatch::indexOf(options, answer);
    FUZZ_CHECK(index >= -1 && index < options.size());
    if (index >= 0)
        FUZZ_CHECK(answer.contains(options.at(index)));

    // An answer recorded from the catalogue, "n [name]", names that option
    // (the first of equal names), whatever else the list holds.
    for (int i = 0; i < options.size(); ++i) {
        const QString &name = options.at(i);
        if (name.contains(QLatin1Char('[')) || name.contains(QLatin1Char(']')))
            continue;
        const QString recorded = QStringLiteral("%1 [%2]").arg(i).arg(name);
        FUZZ_CHECK(OptionMatch::indexOf(options, recorded) == options.indexOf(name));
    }
    return 0;
}
