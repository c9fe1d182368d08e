#include "net/modelnamerule.h"

bool ModelNameRule::isPlain(const QString &model)
{
    if (model.isEmpty() || model.size() > MaxLength || model.contains(QLatin1String("..")))
        return false;
    // Windows drops a trailing dot or blank from a file name, so "KX." would
    // open the file of "KX".
    const QChar first = model.front();
    const QChar last = model.back();
    if (first == QLatin1Char('.') || first == QLatin1Char(' ') || last == QLatin1Char('.') || last == QLatin1Char(' '))
        return false;
    for (const QChar c : model) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
                           c == QLatin1Char('_') || c == QLatin1Char('.') || c == QLatin1Char(' ');
        if (!plain)
            return false;
    }
    return true;
}
