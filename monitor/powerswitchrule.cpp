#include "monitor/powerswitchrule.h"

#include "net/answerline.h"
#include "net/powerstate.h"

PowerSwitchRule::Decision PowerSwitchRule::decide(Direction direction, int powerState)
{
    const bool on = direction == Direction::On;
    switch (powerState) {
    case PowerState::Standby:
        return on ? Decision{QStringLiteral("Turning On:"), true} : Decision{QStringLiteral("Off:"), false};
    case PowerState::WarmingUp:
        return {QStringLiteral("WarmUp:"), false};
    case PowerState::On:
        return on ? Decision{QStringLiteral("On:"), false} : Decision{QStringLiteral("Turning Off:"), true};
    case PowerState::CoolingDown:
        return {QStringLiteral("Cooling:"), false};
    case PowerState::Error:
        return {QStringLiteral("Error:"), false};
    default:
        return {QStringLiteral("No Answer:"), false};
    }
}

QString PowerSwitchRule::functionName(Direction direction)
{
    return direction == Direction::On ? QStringLiteral("Power On") : QStringLiteral("Power Off");
}

QString PowerSwitchRule::headerLine(Direction direction, const QTime &now)
{
    const QString head =
        direction == Direction::On ? QStringLiteral("--- One Click On ---") : QStringLiteral("--- One Click Off ---");
    return head + now.toString(Qt::TextDate);
}

int PowerSwitchRule::codeFromAnswer(const QString &answer)
{
    return PowerState::fromAnswerParts(AnswerLine::splitAnswer(answer));
}
