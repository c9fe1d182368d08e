#pragma once

#include <QString>
#include <QStringList>

// One command a simulated projector understands, as a catalogue line
// describes it (category, function name, op word, initial value, query flag,
// minimum, maximum or highest value index, value names).
struct CatalogueEntry
{
    QString category;
    QString name;
    QString op;
    QString initialValue;
    bool queryable = false;
    bool hasRange = false;
    int minimum = 0;
    int maximum = 0;
    QStringList valueNames;

    bool isEnumerated() const { return !valueNames.isEmpty(); }
    // Lines of the IR-controller kind carry the whole line to send ("ky ...").
    bool isKeyLine() const { return op.contains(QLatin1String("ky ")); }
};
