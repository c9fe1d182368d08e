#include "ui/clocktext.h"

QString ClockText::text(const QTime &now, bool schedulerOn)
{
    if (!schedulerOn)
        return QStringLiteral("00:00");
    QString shown = now.toString(QStringLiteral("hh:mm"));
    if (now.second() % 2 == 0)
        shown.replace(QLatin1Char(':'), QLatin1Char(' '));
    return shown;
}

QString ClockText::applicationStyleSheet(bool schedulerOn)
{
    return schedulerOn ? QStringLiteral("QToolButton{color:#20e020}")
                       : QStringLiteral("QToolButton{color:#606060;font-weight:bold}");
}

QString ClockText::countdown(int secondsLeft)
{
    return QTime(0, 0).addSecs(qMax(0, secondsLeft)).toString(QStringLiteral("hh:mm:ss"));
}
