#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>

// What the command console makes of the catalogue: the command and function
// texts it prepares from a table row or a typed entry, the category filter of
// the command table and the command a panel key sends. The console widgets
// only show what these rules produce.
class CommandConsoleRules
{
public:
    // What a chosen catalogue row puts into the console's two fields.
    struct Prepared
    {
        QString command;      // the command field
        QString functionName; // the function-name field
    };

    // Accessible name of the model button at the head of the category row.
    static QString panelButtonName();

    // A row of the catalogue (category, name, op, value, query flag, ...)
    // chosen while category is shown: a keypad row ("IR controller") sends
    // its op field as it stands and clears the name field; any other row
    // sends "op " + op, with " ?" when the row may be queried, and names
    // itself as "(" + name + ")".
    static Prepared fromCatalogueRow(const QStringList &row, const QString &category);

    // The op word of a typed command: without a leading "op " and a
    // trailing " ?".
    static QString opWordOfCommand(const QString &command);
    // The command field for an op word found by name; empty when the name is
    // unknown (null op).
    static QString commandForOp(const QString &op);
    // The name field for a function name found by op word; "?" when the op
    // is unknown (null name).
    static QString functionNameField(const QString &name);

    // The command table shows the rows of one projector and category: column
    // 0 holds ip + ":" + category for them. Anchored at the start, so that
    // 10.0.0.2 never shows the rows of 110.0.0.2.
    static QRegularExpression categoryFilter(const QString &ip, const QString &category);
    // In the "Feature" category the table is read-only and the life counters
    // are not shown.
    static bool isFeatureCategory(const QString &category);
    static bool hiddenInFeature(const QString &functionName);

    // A panel key whose catalogue command reads a status is a power toggle:
    // it needs the projector's power state first.
    static bool isPowerToggle(const QString &catalogueCommand);
    // The line a panel key sends: the toggle becomes "power.off" when the
    // power state is 2 (on), else "power.on"; anything but a keypad line
    // ("ky ...") gets "op " in front. Null for a key the catalogue does not
    // know (null catalogueCommand).
    static QString panelKeyCommand(const QString &catalogueCommand, int powerState);
};
