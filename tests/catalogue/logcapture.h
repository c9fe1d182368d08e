#pragma once

#include "app/orvlog/OrvLog.h"

#include <QStringList>

// Collects the diagnostic lines written while it lives, at the given level.
class LogCapture
{
public:
    explicit LogCapture(OrvLogging::Level level = OrvLogging::DebugLevel)
        : mSink(new Sink), mPreviousLevel(OrvLogging::Logger::instance().loggingLevel())
    {
        OrvLogging::Logger::instance().setLoggingLevel(level);
        OrvLogging::Logger::instance().addDestination(mSink);
    }
    ~LogCapture()
    {
        OrvLogging::Logger::instance().removeDestination(mSink);
        OrvLogging::Logger::instance().setLoggingLevel(mPreviousLevel);
    }

    QStringList lines() const { return static_cast<Sink *>(mSink.data())->lines; }
    void clear() { static_cast<Sink *>(mSink.data())->lines.clear(); }
    // Lines holding every one of the parts.
    QStringList matching(const QStringList &parts) const
    {
        QStringList found;
        for (const QString &line : lines()) {
            bool all = true;
            for (const QString &part : parts)
                all = all && line.contains(part);
            if (all)
                found.append(line);
        }
        return found;
    }

private:
    class Sink : public OrvLogging::Destination
    {
    public:
        void write(const QString &message, OrvLogging::Level) override { lines.append(message); }
        bool isValid() override { return true; }
        QString type() const override { return QStringLiteral("capture"); }
        QStringList lines;
    };

    OrvLogging::DestinationPtr mSink;
    OrvLogging::Level mPreviousLevel;
};
