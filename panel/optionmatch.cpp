#include "panel/optionmatch.h"

int OptionMatch::indexOf(const QStringList &options, const QString &answer)
{
    const int open = answer.indexOf(QLatin1Char('['));
    const int close = answer.lastIndexOf(QLatin1Char(']'));
    if (open >= 0 && close > open) {
        const int exact = options.indexOf(answer.mid(open + 1, close - open - 1));
        if (exact >= 0)
            return exact;
    }
    for (int i = 0; i < options.size(); ++i)
        if (!options.at(i).isEmpty() && answer.contains(options.at(i)))
            return i;
    return -1;
}
