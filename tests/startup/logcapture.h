#pragma once

#include "app/orvlog/OrvLog.h"

#include <QRegularExpression>
#include <QSharedPointer>
#include <QStringList>

// Collects the diagnostic log lines written while it is alive, split into
// level, origin and message so that tests can compare the message text.
class LogCapture
{
public:
    struct Entry
    {
        QString level;   // five characters, e.g. "INFO "
        QString origin;  // "<source path>@<line>"
        QString message; // the streamed items (each followed by a blank)
    };

    LogCapture() : m_sink(new Sink)
    {
        OrvLogging::Logger::instance().setLoggingLevel(OrvLogging::TraceLevel);
        OrvLogging::Logger::instance().addDestination(m_sink);
    }
    ~LogCapture() { OrvLogging::Logger::instance().removeDestination(m_sink); }

    void clear() { static_cast<Sink *>(m_sink.data())->lines.clear(); }
    QStringList rawLines() const { return static_cast<const Sink *>(m_sink.data())->lines; }

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
        for (const QString &line : rawLines())
            result.append(parse(line));
        return result;
    }

    // Messages (without level, time and origin).
    QStringList messages() const
    {
        QStringList result;
        for (const Entry &e : entries())
            result.append(text(e));
        return result;
    }

    QStringList messagesStartingWith(const QString &prefix) const
    {
        QStringList result;
        for (const QString &m : messages())
            if (m.startsWith(prefix))
                result.append(m);
        return result;
    }

    // The level text of the first message starting with prefix.
    QString levelOf(const QString &prefix) const
    {
        for (const Entry &e : entries())
            if (e.message.startsWith(prefix))
                return e.level;
        return QString();
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

    OrvLogging::DestinationPtr m_sink;
};

// QDebug's rendering of a text value inside a log line.
inline QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}
