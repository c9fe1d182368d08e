#pragma once

#include "app/orvlog/OrvLog.h"

#include <QScopeGuard>
#include <QSharedPointer>
#include <QStringList>

// Collects the diagnostic lines written while it is installed, so tests can
// check the lines that support staff look for in the log file.
class LogCapture final : public OrvLogging::Destination
{
public:
    void write(const QString &message, OrvLogging::Level) override { m_lines << message; }
    bool isValid() override { return true; }
    QString type() const override { return QStringLiteral("capture"); }

    // Installs a capture at debug level; the returned guard removes it again
    // and restores the previous level.
    static auto install(QSharedPointer<LogCapture> &capture)
    {
        capture.reset(new LogCapture);
        const OrvLogging::Level previous = OrvLogging::Logger::instance().loggingLevel();
        OrvLogging::Logger::instance().setLoggingLevel(OrvLogging::DebugLevel);
        OrvLogging::Logger::instance().addDestination(capture);
        return qScopeGuard([capture, previous]() {
            OrvLogging::Logger::instance().removeDestination(capture);
            OrvLogging::Logger::instance().setLoggingLevel(previous);
        });
    }

    // Lines containing every one of the given texts.
    QStringList linesWith(const QStringList &texts) const
    {
        QStringList found;
        for (const QString &line : m_lines) {
            bool all = true;
            for (const QString &text : texts)
                all = all && line.contains(text);
            if (all)
                found << line;
        }
        return found;
    }

private:
    QStringList m_lines;
};
