#include "net/pjlinklamps.h"

#include <QStringList>

PJLinkLamps PJLinkLamps::parse(const QString &value)
{
    PJLinkLamps result;
    const QStringList parts = value.split(QLatin1Char(' '));
    if (parts.size() % 2 != 0 || parts.size() > 2 * MaxLamps)
        return result;
    QVector<Lamp> lamps;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &hoursText = parts.at(i);
        const QString &state = parts.at(i + 1);
        if (hoursText.isEmpty() || hoursText.size() > 5 || (state != QLatin1String("0") && state != QLatin1String("1")))
            return result;
        for (const QChar c : hoursText) {
            if (!c.isDigit() || c.unicode() > '9')
                return result;
        }
        Lamp lamp;
        lamp.hours = hoursText.toInt();
        lamp.on = state == QLatin1String("1");
        lamps.append(lamp);
    }
    result.m_lamps = lamps;
    return result;
}

QString PJLinkLamps::toolTip() const
{
    QStringList lines;
    for (int i = 0; i < m_lamps.size(); ++i) {
        const Lamp &lamp = m_lamps.at(i);
        lines << tr("Lamp %1: %2 h, %3").arg(i + 1).arg(lamp.hours).arg(lamp.on ? tr("on") : tr("off"));
    }
    return lines.join(QLatin1Char('\n'));
}
