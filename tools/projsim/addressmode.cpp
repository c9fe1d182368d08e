#include "addressmode.h"

#include <QStringList>

bool AddressMode::parse(const QString &text, AddressMode *mode)
{
    const QString name = text.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    const QString argument = text.section(QLatin1Char(':'), 1).trimmed();
    const bool hasArgument = text.contains(QLatin1Char(':'));
    bool ok = true;
    const int number = hasArgument ? argument.toInt(&ok) : 0;
    if (!ok || number < 0)
        return false;
    struct Known
    {
        const char *name;
        Kind kind;
        bool takesArgument;
        bool needsArgument;
        int defaultArgument;
    };
    static const Known known[] = {
        {"normal", Normal, false, false, 0},   {"delay", Delay, true, true, 0},
        {"silent", Silent, false, false, 0},   {"close", Close, true, false, 0},
        {"split", Split, true, false, 100},    {"nul", Nul, false, false, 0},
        {"garbage", Garbage, false, false, 0}, {"refuse", Refuse, false, false, 0},
        {"backlog", Backlog, false, false, 0},
    };
    for (const Known &k : known) {
        if (name != QLatin1String(k.name))
            continue;
        if ((hasArgument && !k.takesArgument) || (!hasArgument && k.needsArgument))
            return false;
        *mode = AddressMode(k.kind, hasArgument ? number : k.defaultArgument);
        return true;
    }
    return false;
}

QString AddressMode::toString() const
{
    static const char *const names[] = {"normal", "delay",   "silent", "close",  "split",
                                        "nul",    "garbage", "refuse", "backlog"};
    QString text = QLatin1String(names[m_kind]);
    if (m_kind == Delay || m_kind == Close || m_kind == Split)
        text += QLatin1Char(':') + QString::number(m_parameter);
    return text;
}
