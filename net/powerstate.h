#pragma once

#include <QStringList>

// Power-state code of a projector: the answer to its "Projector Status"
// query, plus two codes of our own for "no usable answer" and "not asked".
class PowerState
{
public:
    enum Code : int
    {
        SendingDisabled = -2, // the console cannot send yet: nobody was asked
        NoAnswer = -1,        // no answer, or one without "="
        Standby = 0,
        WarmingUp = 1,
        On = 2,
        CoolingDown = 3,
        Error = 4,
    };

    // The code carried by an answer split at "=": NoAnswer with fewer than
    // two parts, else the second part as a decimal number, blanks and line
    // ends around it ignored. A value that is not a number is NoAnswer too:
    // a projector answering nonsense must not be taken for one in standby
    // (and switched on). The one rule for every reader of a power state.
    static int fromAnswerParts(const QStringList &parts);
};
