#include "bridge/paneentry.h"

QString PaneEntry::entry(const QString &opening, const QString &prefix, const QString &text)
{
    return opening + prefix + text.toHtmlEscaped() + close();
}

QString PaneEntry::datagram(const QString &text)
{
    return deepPink() + QStringLiteral("<b>UDP>") + text.toHtmlEscaped() + QStringLiteral("</b>") + close();
}
