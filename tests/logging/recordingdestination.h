#pragma once

#include "app/orvlog/destination.h"

#include <QMutex>
#include <QStringList>

#include <atomic>

// Keeps every line the logger hands over, for inspection by a test. It also
// notices if the logger ever calls it from two threads at once.
class RecordingDestination final : public OrvLogging::Destination
{
public:
    // Optional shared journal: each write appends "<name>:<line>" to it, so
    // that the order across several destinations can be checked.
    explicit RecordingDestination(const QString &name = QString(), QStringList *journal = nullptr);

    void write(const QString &message, OrvLogging::Level level) override;
    bool isValid() override { return true; }
    QString type() const override { return QStringLiteral("recording"); }

    QStringList lines() const;
    QList<OrvLogging::Level> levels() const;
    bool overlapSeen() const { return mOverlap.load(); }

private:
    QString mName;
    QStringList *mJournal;
    mutable QMutex mLinesMutex;
    QStringList mLines;
    QList<OrvLogging::Level> mLevels;
    std::atomic<int> mInside{0};
    std::atomic<bool> mOverlap{false};
};
