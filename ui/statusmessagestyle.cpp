#include "ui/statusmessagestyle.h"

StatusMessageStyle StatusMessageStyle::forText(const QString &text)
{
    // Connection failures arrive as "Error: ..." from the command sessions;
    // the test is deliberately case-sensitive so "error" notices stay cyan.
    return StatusMessageStyle(text.startsWith(QLatin1String("Err"), Qt::CaseSensitive));
}

QString StatusMessageStyle::styleSheet() const
{
    return m_error ? QStringLiteral("QStatusBar{color:orange}") : QStringLiteral("QStatusBar{color:cyan}");
}
