#pragma once

#include "app/orvlog/level.h"

#include <QSharedPointer>
#include <QString>

namespace OrvLogging {

// Where finished log lines go. The logger calls write() under its own mutex,
// so implementations need no locking of their own.
class Destination
{
public:
    virtual ~Destination();

    // message is the complete line (level text, time and text), without a line end.
    virtual void write(const QString &message, Level level) = 0;
    virtual bool isValid() = 0;
    virtual QString type() const = 0;

protected:
    Destination() = default;

private:
    Q_DISABLE_COPY(Destination)
};

using DestinationPtr = QSharedPointer<Destination>;

} // namespace OrvLogging
