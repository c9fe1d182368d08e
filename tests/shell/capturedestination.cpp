#include "capturedestination.h"

#include <QRegularExpression>

void CaptureDestination::write(const QString &message, OrvLogging::Level level)
{
    m_lines.append(message);
    m_levels.append(level);
}

QStringList CaptureDestination::infoMessages() const
{
    // "INFO  hh:mm:ss.zzz path@line message "
    static const QRegularExpression line(QStringLiteral("^\\S+\\s+\\S+\\s+\\S+@\\d+ (.*?) ?$"));
    QStringList messages;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_levels.at(i) != OrvLogging::InfoLevel)
            continue;
        const QRegularExpressionMatch match = line.match(m_lines.at(i));
        messages << (match.hasMatch() ? match.captured(1) : m_lines.at(i));
    }
    return messages;
}
