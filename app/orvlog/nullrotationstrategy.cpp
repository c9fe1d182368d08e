#include "app/orvlog/nullrotationstrategy.h"

namespace OrvLogging {

void NullRotationStrategy::setInitialInfo(const QFile &file)
{
    Q_UNUSED(file)
}

void NullRotationStrategy::includeMessageInCalculation(const QString &message)
{
    Q_UNUSED(message)
}

bool NullRotationStrategy::shouldRotate()
{
    return false;
}

void NullRotationStrategy::rotate() {}

QIODevice::OpenMode NullRotationStrategy::recommendedOpenModeFlag()
{
    return QIODevice::Truncate;
}

} // namespace OrvLogging
