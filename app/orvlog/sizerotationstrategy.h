#pragma once

#include "app/orvlog/rotationstrategy.h"

#include <QtGlobal>

namespace OrvLogging {

// Rotates when the bytes counted for a file exceed a maximum: the file
// becomes F.1, F.1 becomes F.2 and so on, keeping at most backupCount()
// old files.
class SizeRotationStrategy final : public RotationStrategy
{
public:
    // More old files than this are never kept, whatever is asked for.
    static constexpr int MaxBackupCount = 10;

    SizeRotationStrategy() = default;

    void setInitialInfo(const QFile &file) override;
    void includeMessageInCalculation(const QString &message) override;
    bool shouldRotate() override;
    void rotate() override;
    QIODevice::OpenMode recommendedOpenModeFlag() override;

    void setMaximumSizeInBytes(qint64 size);
    qint64 maximumSizeInBytes() const;
    // Clamped to 0..MaxBackupCount.
    void setBackupCount(int backups);
    int backupCount() const;
    // Bytes counted so far: the file's size when it was opened plus the UTF-8
    // length of every line since (line ends are not counted).
    qint64 currentSizeInBytes() const;

private:
    QString mFileName;
    qint64 mCurrentSizeInBytes = 0;
    qint64 mMaxSizeInBytes = 0;
    int mBackupsCount = 0;
};

} // namespace OrvLogging
