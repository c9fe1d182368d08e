#include "net/powerstate.h"

int PowerState::fromAnswerParts(const QStringList &parts)
{
    if (parts.size() < 2)
        return NoAnswer;
    bool ok = false;
    const int code = parts.at(1).trimmed().toInt(&ok, 10);
    return ok ? code : int(NoAnswer);
}
