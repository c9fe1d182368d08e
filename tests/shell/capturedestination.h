#pragma once

#include "app/orvlog/OrvLog.h"

#include <QStringList>

// Keeps every diagnostic line written while it is attached to the logger.
class CaptureDestination : public OrvLogging::Destination
{
public:
    void write(const QString &message, OrvLogging::Level level) override;
    bool isValid() override { return true; }
    QString type() const override { return QStringLiteral("capture"); }

    QStringList lines() const { return m_lines; }
    // Lines at INFO level, message text only (level, time and origin cut off).
    QStringList infoMessages() const;
    // Every line's level text and message, e.g. "ERROR Configured LocalIP NOT found!".
    QStringList allMessages() const;

private:
    QStringList m_lines;
    QList<OrvLogging::Level> m_levels;
};
