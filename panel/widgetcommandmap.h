#pragma once

#include <QHash>
#include <QString>

// Object name -> command reference, filled from the widget-command table.
// A reference is an op word ("bright"), a catalogue function name in
// parentheses ("(Power On)", resolved per model when used) or empty (the
// tab's handler builds the command itself).
class WidgetCommandMap
{
public:
    // Lines split at line feeds (empty ones dropped), each at its commas;
    // name and reference are the first two parts with white space simplified.
    // A later line for the same name replaces the earlier one.
    void parse(const QString &table);
    // The built-in table.
    void parseBuiltIn();

    // The reference of name; empty when the name is not in the table.
    QString reference(const QString &name) const { return m_map.value(name); }
    bool contains(const QString &name) const { return m_map.contains(name); }
    int size() const { return m_map.size(); }

private:
    QHash<QString, QString> m_map;
};
