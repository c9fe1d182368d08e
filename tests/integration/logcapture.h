#pragma once

#include "app/orvlog/OrvLog.h"

#include <QStringList>

// Keeps every diagnostic line written while it is attached to the logger.
class LogCapture final : public OrvLogging::Destination
{
public:
    void write(const QString &message, OrvLogging::Level) override { m_lines << message; }
    bool isValid() override { return true; }
    QString type() const override { return QStringLiteral("capture"); }

    const QStringList &lines() const { return m_lines; }
    // Index of the first line at or after from that contains text, or -1.
    int find(const QString &text, int from = 0) const
    {
        for (int i = qMax(0, from); i < m_lines.size(); ++i)
            if (m_lines.at(i).contains(text))
                return i;
        return -1;
    }
    int count(const QString &text) const
    {
        int n = 0;
        for (const QString &line : m_lines)
            n += line.contains(text) ? 1 : 0;
        return n;
    }

private:
    QStringList m_lines;
};
