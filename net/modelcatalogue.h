#pragma once

#include <QHash>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVector>

// The commands of one catalogue file, as read: one row per command, each
// row exactly as wide as its own line (a long line costs its own memory,
// not every row's). Category, function name, op word, value, query flag,
// minimum, maximum and value names by position, the category without any
// address: the rows are the same for every projector of the model.
//
// Once built it is never changed, so one instance is shared by every
// projector of the model (QSharedPointer<const ModelCatalogue>) and may be
// built on a worker thread. Name and op-word lookups are hashed.
class ModelCatalogue
{
public:
    // Reads a per-model file: the header line dropped, every comma a
    // separator (no quotes), the line end stripped, lines with an empty first
    // field skipped. The bounds of CatalogueCsvParser apply; every breach is
    // a WARN naming the file and line. Null when the file cannot be opened.
    static QSharedPointer<const ModelCatalogue> fromModelFile(const QString &path);

    // Builder side, for the reader above and for rows added by hand.
    void appendRow(const QStringList &fields);
    // Replaces one field from the value column on (names and op words stay
    // as hashed), growing the row when it is shorter.
    void setField(int row, int column, const QString &text);

    int rowCount() const { return m_rows.size(); }
    // Width of the widest row (at least 4: the shown columns).
    int columnCount() const { return m_columns; }
    const QStringList &row(int row) const { return m_rows.at(row); }
    // Empty (never null) for a field the row does not have.
    QString field(int row, int column) const;

    // Rows whose function name / op word equals text (any case), in order.
    QVector<int> rowsByName(const QString &text) const { return m_byName.value(text.toCaseFolded()); }
    QVector<int> rowsByOp(const QString &text) const { return m_byOp.value(text.toCaseFolded()); }
    int firstByName(const QString &text) const;
    int firstByOp(const QString &text) const;

    // The text shown for an answer value of row: "value [name]" for a
    // queryable enumerated command whose value is in range, else the value.
    QString valueText(int row, const QString &value) const;

private:
    QVector<QStringList> m_rows;
    QHash<QString, QVector<int>> m_byName; // case-folded text -> rows
    QHash<QString, QVector<int>> m_byOp;
    int m_columns = 4;
};

using ModelCataloguePtr = QSharedPointer<const ModelCatalogue>;
