#pragma once

#include <QString>
#include <QTime>

// The decision of All On / All Off for one projector, from its power-state
// code: whether the power command goes out, and the word the log shows
// before the address ("Turning On:10.0.0.7").
class PowerSwitchRule
{
public:
    enum class Direction
    {
        On,
        Off
    };

    struct Decision
    {
        QString word;
        bool send = false;
    };

    static Decision decide(Direction direction, int powerState);
    // "Power On" / "Power Off": the catalogue function of the command.
    static QString functionName(Direction direction);
    // "--- One Click On ---" / "--- One Click Off ---" followed by the time.
    static QString headerLine(Direction direction, const QTime &now);

    // The code an answer line carries ("OP STATUS=2"), by the rule of
    // PowerState::fromAnswerParts.
    static int codeFromAnswer(const QString &answer);
};
