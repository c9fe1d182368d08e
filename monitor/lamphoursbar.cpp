#include "monitor/lamphoursbar.h"

LampHoursBar LampHoursBar::fromCells(const QString &hours, const QString &life)
{
    LampHoursBar bar;
    bar.m_hours = hours.trimmed().toInt();
    bar.m_life = life.trimmed().toInt();
    if (bar.m_life <= 0 || qint64(bar.m_hours) * 100 / bar.m_life <= 0)
        return bar;
    bar.m_blank = false;
    const double percent = double(bar.m_hours) * 100.0 / double(bar.m_life);
    bar.m_colour = percent > 90.0 ? Colour::Red : percent > 75.0 ? Colour::Brown : Colour::Green;
    return bar;
}

QString LampHoursBar::styleSheet() const
{
    QString chunk;
    switch (m_colour) {
    case Colour::Red:
        chunk = QStringLiteral("background-color:#F04020;");
        break;
    case Colour::Brown:
        chunk = QStringLiteral("background-color:#806020;");
        break;
    case Colour::Green:
        chunk = QStringLiteral("background-color:#20C020;");
        break;
    }
    return QStringLiteral("QProgressBar{ font-family:Arial;background-color:transparent;border:2px solid grey;"
                          "border-radius:6px;margin:3px;}") +
           QStringLiteral("QProgressBar::chunk{") + chunk + QStringLiteral("width:5px;}");
}
