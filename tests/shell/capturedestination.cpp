#include "capturedestination.h"

#include <QRegularExpression>

void CaptureDestination::write(const QString &message, OrvLogging::Level level)
{
    m_lines.append(message);
    m_levels.append(level);
}

namespace {

// "INFO  hh:mm:ss.zzz path@line message " -> "message"
QString messageOf(const QString &line)
{
    static const QRegularExpression pattern(QStringLiteral("^\\S+\\s+\\S+\\s+\\S+@\\d+ (.*?) ?$"));
    const QRegularExpressionMatch match = pattern.match(line);
    return match.hasMatch() ? match.captured(1) : line;
}

} // namespace

QStringList CaptureDestination::infoMessages() const
{
    QStringList messages;
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_levels.at(i) == OrvLogging::InfoLevel)
            messages << messageOf(m_lines.at(i));
    return messages;
}

QStringList CaptureDestination::allMessages() const
{
    QStringList messages;
    for (int i = 0; i < m_lines.size(); ++i)
        messages << OrvLogging::levelText(m_levels.at(i)).trimmed() + QLatin1Char(' ') + messageOf(m_lines.at(i));
    return messages;
}
