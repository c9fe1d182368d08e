#pragma once

#include "catalogueentry.h"

#include <QHash>
#include <QString>
#include <QVector>

// The set of op words a simulated projector knows: either read from a
// model's catalogue CSV (so the simulator answers exactly what the manager
// will ask) or a built-in set of the common ones.
class CatalogueTable
{
public:
    // The built-in set used when no catalogue file is given.
    static CatalogueTable builtIn();

    // Reads a catalogue CSV: a header line, then one command per line,
    // fields split at every comma (quotes are not special). Lines whose first
    // field is empty are skipped. Returns false when the file cannot be read.
    bool loadFile(const QString &path, QString *error = nullptr);

    // Parses catalogue text (without the header handling of loadFile when
    // skipHeader is false).
    void loadText(const QString &text, bool skipHeader = true);

    void add(const CatalogueEntry &entry);

    // Case-insensitive lookup by op word; nullptr when unknown.
    const CatalogueEntry *find(const QString &op) const;
    // Case-insensitive lookup by function name; nullptr when unknown.
    const CatalogueEntry *findByName(const QString &name) const;

    const QVector<CatalogueEntry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    QVector<CatalogueEntry> m_entries;
    QHash<QString, int> m_byOp;
    QHash<QString, int> m_byName;
};
