#pragma once

#include <QString>

// HTML entries of the two log panes. Every text that came from outside (a
// TCP client, a datagram, the serial line) is escaped here, so that nobody on
// the wire can put markup into the panes.
class PaneEntry
{
public:
    static QString deepPink() { return QStringLiteral("<font color=\"DeepPink\">"); }
    static QString red() { return QStringLiteral("<font color=\"Red\">"); }
    static QString darkBlue() { return QStringLiteral("<font color=\"DarkBlue\">"); }
    static QString close() { return QStringLiteral("</font>"); }

    // opening + prefix (already HTML) + escaped text + "</font>"
    static QString entry(const QString &opening, const QString &prefix, const QString &text);

    // The discovery log line: DeepPink, bold, "UDP>" and the escaped text.
    static QString datagram(const QString &text);
};
