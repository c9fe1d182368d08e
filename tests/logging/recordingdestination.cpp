#include "recordingdestination.h"

#include <QThread>

RecordingDestination::RecordingDestination(const QString &name, QStringList *journal) : mName(name), mJournal(journal)
{
}

void RecordingDestination::write(const QString &message, OrvLogging::Level level)
{
    if (mInside.fetch_add(1) != 0)
        mOverlap = true;
    // Linger a little so that unserialised callers would actually meet here.
    QThread::yieldCurrentThread();
    {
        QMutexLocker locker(&mLinesMutex);
        mLines.append(message);
        mLevels.append(level);
    }
    if (mJournal)
        mJournal->append(mName + QLatin1Char(':') + message);
    mInside.fetch_sub(1);
}

QStringList RecordingDestination::lines() const
{
    QMutexLocker locker(&mLinesMutex);
    return mLines;
}

QList<OrvLogging::Level> RecordingDestination::levels() const
{
    QMutexLocker locker(&mLinesMutex);
    return mLevels;
}
