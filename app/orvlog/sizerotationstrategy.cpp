#include "app/orvlog/sizerotationstrategy.h"

#include "app/orvlog/errorstream.h"

#include <QFile>

namespace OrvLogging {

void SizeRotationStrategy::setInitialInfo(const QFile &file)
{
    mFileName = file.fileName();
    mCurrentSizeInBytes = file.size();
}

void SizeRotationStrategy::includeMessageInCalculation(const QString &message)
{
    mCurrentSizeInBytes += message.toUtf8().size();
}

bool SizeRotationStrategy::shouldRotate()
{
    return mCurrentSizeInBytes > mMaxSizeInBytes;
}

void SizeRotationStrategy::rotate()
{
    if (mBackupsCount == 0) {
        if (!QFile::remove(mFileName))
            reportProblem(QStringLiteral("OrvLog: backup delete failed ") + mFileName);
        return;
    }

    const QString backupPattern = mFileName + QStringLiteral(".%1");

    // Only an unbroken run of backups is shifted; the last slot is dropped,
    // so the highest one moved up is backupCount - 1.
    int highest = 0;
    for (int k = 1; k <= mBackupsCount; ++k) {
        if (!QFile::exists(backupPattern.arg(k)))
            break;
        highest = qMin(k, mBackupsCount - 1);
    }

    for (int k = highest; k >= 1; --k) {
        const QString oldName = backupPattern.arg(k);
        const QString newName = backupPattern.arg(k + 1);
        QFile::remove(newName);
        if (!QFile::rename(oldName, newName))
            reportProblem(QStringLiteral("OrvLog: could not rename backup ") + oldName + QStringLiteral(" to ") +
                          newName);
    }

    const QString firstBackup = backupPattern.arg(1);
    if (QFile::exists(firstBackup))
        QFile::remove(firstBackup);
    if (!QFile::rename(mFileName, firstBackup))
        reportProblem(QStringLiteral("OrvLog: could not rename log ") + mFileName + QStringLiteral(" to ") +
                      firstBackup);
}

QIODevice::OpenMode SizeRotationStrategy::recommendedOpenModeFlag()
{
    return QIODevice::Append;
}

void SizeRotationStrategy::setMaximumSizeInBytes(qint64 size)
{
    mMaxSizeInBytes = size;
}

qint64 SizeRotationStrategy::maximumSizeInBytes() const
{
    return mMaxSizeInBytes;
}

void SizeRotationStrategy::setBackupCount(int backups)
{
    mBackupsCount = qBound(0, backups, MaxBackupCount);
}

int SizeRotationStrategy::backupCount() const
{
    return mBackupsCount;
}

qint64 SizeRotationStrategy::currentSizeInBytes() const
{
    return mCurrentSizeInBytes;
}

} // namespace OrvLogging
