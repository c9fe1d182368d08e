#include "ui/statusmessagestyle.h"

namespace {

bool isErrorText(const QString &text)
{
    // Connection failures arrive as "Error: ..." from the command sessions;
    // the test is deliberately case-sensitive so "error" notices stay cyan.
    return text.startsWith(QLatin1String("Err"), Qt::CaseSensitive);
}

} // namespace

StatusMessageStyle StatusMessageStyle::forText(const QString &text, bool darkLook)
{
    return StatusMessageStyle(isErrorText(text), darkLook);
}

bool StatusMessageStyle::keepsShown(const QString &shown, qint64 shownForMs, const QString &next)
{
    return isErrorText(shown) && !isErrorText(next) && shownForMs >= 0 && shownForMs < HoldMs;
}

QString StatusMessageStyle::styleSheet() const
{
    if (m_error)
        return m_dark ? QStringLiteral("QStatusBar{color:orange}") : QStringLiteral("QStatusBar{color:#b34700}");
    return m_dark ? QStringLiteral("QStatusBar{color:cyan}") : QStringLiteral("QStatusBar{color:#00616b}");
}
