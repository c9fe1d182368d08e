#pragma once

#include <QIODevice>
#include <QSharedPointer>
#include <QString>

class QFile;

namespace OrvLogging {

// Decides when a log file is full and what happens to it then. The file
// destination feeds it every line and asks before writing.
class RotationStrategy
{
public:
    virtual ~RotationStrategy();

    // Called on an opened (or failed) file, at start and after every rotation.
    virtual void setInitialInfo(const QFile &file) = 0;
    virtual void includeMessageInCalculation(const QString &message) = 0;
    virtual bool shouldRotate() = 0;
    // Called while the log file is closed.
    virtual void rotate() = 0;
    virtual QIODevice::OpenMode recommendedOpenModeFlag() = 0;

protected:
    RotationStrategy() = default;

private:
    Q_DISABLE_COPY(RotationStrategy)
};

using RotationStrategyPtr = QSharedPointer<RotationStrategy>;

} // namespace OrvLogging
