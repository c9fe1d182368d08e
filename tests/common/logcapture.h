#pragma once

#include "app/orvlog/OrvLog.h"

#include <QRegularExpression>
#include <QSharedPointer>
#include <QStringList>
#include <QVector>

#include <algorithm>

// Collects the diagnostic log lines written while it is alive (at the given
// level and above), so that tests can check what support staff would find in
// the log file. Restores the previous logging level when it goes.
class LogCapture
{
public:
    struct Entry
    {
        QString level;   // five characters, e.g. "INFO "
        QString origin;  // "<source path>@<line>"
        QString message; // the streamed items (each followed by a blank)
    };

    explicit LogCapture(OrvLogging::Level level = OrvLogging::TraceLevel)
        : m_sink(new Sink), m_previousLevel(OrvLogging::Logger::instance().loggingLevel())
    {
        OrvLogging::Logger::instance().setLoggingLevel(level);
        OrvLogging::Logger::instance().addDestination(m_sink);
    }
    ~LogCapture()
    {
        OrvLogging::Logger::instance().removeDestination(m_sink);
        OrvLogging::Logger::instance().setLoggingLevel(m_previousLevel);
    }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    void clear() { sink()->lines.clear(); }
    // Whole lines as the file destination would write them.
    const QStringList &lines() const { return sink()->lines; }

    // Messages (without level, time and origin).
    QStringList messages() const
    {
        QStringList result;
        for (const Entry &e : entries())
            result.append(text(e));
        return result;
    }

    // Lines holding every one of the parts.
    QStringList matching(const QStringList &parts) const
    {
        QStringList found;
        for (const QString &line : lines())
            if (std::all_of(parts.begin(), parts.end(), [&line](const QString &part) { return line.contains(part); }))
                found.append(line);
        return found;
    }
    QStringList linesWith(const QStringList &parts) const { return matching(parts); }

    // Index of the first line at or after from that contains text, or -1.
    int find(const QString &text, int from = 0) const
    {
        for (int i = qMax(0, from); i < lines().size(); ++i)
            if (lines().at(i).contains(text))
                return i;
        return -1;
    }
    int count(const QString &text) const { return matching({text}).size(); }

    // Splits a finished log line; a line of another shape is all message.
    static Entry parse(const QString &line)
    {
        static const QRegularExpression shape(
            QStringLiteral("^(.{5}) \\d\\d:\\d\\d:\\d\\d\\.\\d{3} (\\S+@\\d+) (.*)$"));
        const QRegularExpressionMatch m = shape.match(line);
        if (m.hasMatch())
            return {m.captured(1), m.captured(2), m.captured(3)};
        return {QString(), QString(), line};
    }

    // The message without the blank that ends every streamed item.
    static QString text(const Entry &e)
    {
        return e.message.endsWith(QLatin1Char(' ')) ? e.message.chopped(1) : e.message;
    }

    QVector<Entry> entries() const
    {
        QVector<Entry> result;
        for (const QString &line : lines())
            result.append(parse(line));
        return result;
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
    Sink *sink() const { return static_cast<Sink *>(m_sink.data()); }

    OrvLogging::DestinationPtr m_sink;
    OrvLogging::Level m_previousLevel;
};

// QDebug's rendering of a text value inside a log line.
inline QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}
