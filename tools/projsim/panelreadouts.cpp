#include "panelreadouts.h"

#include <QStringList>

void PanelReadouts::fill(QHash<QString, QString> *values, uint seed)
{
    auto set = [values](const QString &op, const QString &value) {
        auto it = values->find(op);
        if (it != values->end() && it->isEmpty())
            *it = value;
    };
    const uint s = seed % 97;
    set(QStringLiteral("sw.ver"), QStringLiteral("V1.%1.%2").arg(2 + s % 3).arg(s % 10));
    set(QStringLiteral("motor.ver"), QStringLiteral("M2.0%1").arg(s % 9));
    set(QStringLiteral("f336.ver"), QStringLiteral("F3.3%1").arg(s % 7));
    set(QStringLiteral("h.refresh"), QStringLiteral("67.5 kHz"));
    set(QStringLiteral("v.refresh"), QStringLiteral("60.0 Hz"));
    set(QStringLiteral("pixel.clock"), QStringLiteral("148.5 MHz"));
    for (int fan = 1; fan <= 20; ++fan)
        set(QStringLiteral("fan%1").arg(fan), QString::number(1800 + int((s * 37 + uint(fan) * 53) % 900)));
    set(QStringLiteral("ti"), QStringLiteral("%1 C").arg(24 + s % 6));
    set(QStringLiteral("tc"), QStringLiteral("%1 C").arg(41 + s % 9));
    set(QStringLiteral("water.pump"), QStringLiteral("%1 rpm").arg(2900 + s * 3));
    set(QStringLiteral("error.code"), QStringLiteral("0000"));
    static const QStringList memories{QStringLiteral("Main screen"), QStringLiteral("Wide"), QStringLiteral("Cinema"),
                                      QStringLiteral("Stage left"), QStringLiteral("Stage right")};
    for (int n = 1; n <= 10; ++n)
        set(QStringLiteral("lens.mem.%1").arg(n), memories.value(n - 1, QStringLiteral("Memory %1").arg(n)));
    set(QStringLiteral("net.ipaddr"), QStringLiteral("192.168.0.%1").arg(100 + s));
    set(QStringLiteral("net.subnet"), QStringLiteral("255.255.255.0"));
    set(QStringLiteral("net.gateway"), QStringLiteral("192.168.0.1"));
    set(QStringLiteral("net.dns"), QStringLiteral("192.168.0.1"));
}

bool PanelReadouts::isWritableText(const QString &op)
{
    const QString word = op.toLower();
    return word.startsWith(QLatin1String("net.")) || word.startsWith(QLatin1String("lens.mem."));
}
