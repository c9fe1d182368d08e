#pragma once

#include <QHash>
#include <QSet>
#include <QStandardItemModel>
#include <QString>
#include <QStringList>
#include <QVector>


// The command catalogue: one row per command, from the default command file
// (bare category in column 0) and from the per-model files loaded for each
// projector (column 0 = IP + ":" + category).
//
// Every lookup is restricted to the rows "of" an IP, meaning the rows whose
// column 0 starts with the IP and ":" (10.0.0.1 never selects the rows of
// 10.0.0.10); an empty IP selects every row.
// Function names and op words match whole-text, case-insensitively.
//
// With a fleet loaded the model holds tens of thousands of rows while a
// single answer touches one of them, so the lookups go through an index:
// rows grouped by their column-0 text, and per IP a cached first-row table
// for function names and op words. The index follows appended rows at once;
// any other structural change (removal, move, sort, edits of columns 0-2)
// makes it rebuild itself on the next lookup.
class CommandCatalogue final : public QStandardItemModel
{
    Q_OBJECT

public:
    enum Column
    {
        CategoryColumn = 0,      // "IP:Category"
        FunctionNameColumn = 1,  // "Function Name"
        OpCommandColumn = 2,     // "OP Command"
        ValueColumn = 3,         // "Value"
        QueryColumn = 4,         // hidden: "?" when the command may be queried
        MinColumn = 5,           // hidden: minimum of a ranged command
        MaxColumn = 6,           // hidden: highest value index, or maximum of a range
        FirstValueNameColumn = 7 // hidden: names of values 0 ... n
    };
    Q_ENUM(Column)

    explicit CommandCatalogue(QObject *parent = nullptr);

    // Replaces the whole content by the rows of the default command file,
    // header line included (it becomes row 0). False when the file cannot be
    // read; the catalogue is then empty.
    bool loadCommandFile(const QString &path);

    // Appends one row, one item per field, exactly as given.
    void appendCatalogueRow(const QStringList &fields);

    // Adds the rows of <pluginFolder>/<model>.csv for ip, once per IP: when
    // ip already has rows nothing is loaded; a model name that is not a
    // plain file name is refused with a WARN line. The header
    // line is dropped, lines are split at every comma, the line end is
    // stripped, lines with an empty first field are skipped. Returns true
    // when the file was read, false when the IP was already loaded or the
    // file cannot be opened.
    bool loadCatalogueForIP(const QString &ip, const QString &model, const QString &pluginFolder);

    // True when some row belongs to ip.
    bool hasRowsForIP(const QString &ip) const;

    // Op word of the first row of ip named name, or null.
    QString cmdName2opByIP(const QString &name, const QString &ip) const;
    // "op <op> ?" for name, with "op model ?" for an unknown "Model Name"; else null.
    QString queryCommandByIP(const QString &ip, const QString &name) const;
    // "(Function Name)" resolves through the rows of targetIp; anything else is
    // already an op word and comes back unchanged.
    QString cmdName2op(const QString &reference, const QString &targetIp) const;
    // Function name of the first row of ip whose op word is op, or null.
    QString cmdOp2Name(const QString &op, const QString &ip) const;
    // Text of resultColumn in the first row of ip whose searchColumn equals text.
    QString lookupCatalogue(int resultColumn, const QString &text, int searchColumn, const QString &ip) const;
    // Value names (fields 7 ... 7+n, n from field 6) of every row of ip whose
    // searchColumn equals text; a list with one null entry when no row at all
    // carries text there.
    QStringList catalogueOptions(const QString &text, int searchColumn, const QString &ip) const;
    // Writes an answer value into the value column of the first row of ip whose
    // op word is op, as "value [name]" for a queryable enumerated command with
    // the value in range, else as received. False when no row matches.
    bool updateCatalogueValue(const QString &ip, const QString &op, const QString &value);
    // Script-side form: "op <op> ?" for name among the rows of ip, or null (no
    // fallback for "Model Name").
    QString opCMDbyIP(const QString &name, const QString &ip) const;

    // First row of ip whose searchColumn equals text (whole text, any case), or -1.
    int findRow(const QString &text, int searchColumn, const QString &ip) const;
    // Every such row, in model order.
    QVector<int> findRows(const QString &text, int searchColumn, const QString &ip) const;
    // Text of a cell; empty (not null) for a cell without item.
    QString fieldText(int row, int column) const;
    // Texts of every column of a row, in column order.
    QStringList rowTexts(int row) const;

    static QStringList headerLabels();

private:
    // What the lookups need of a row, kept compact so that an answer for one
    // projector among hundreds touches a few cache lines, not the items.
    struct RowInfo
    {
        QString name; // column 1 as written
        QString op;   // column 2 as written
        int bucket = -1;
        int nameId = -1;
        int opId = -1;
        QStringList names;      // columns 7 ... as far as known (shared between equal rows)
        int highest = 0;        // column 6 as a number
        bool queryable = false; // column 4 holds "?"
    };
    // The rows sharing one column-0 text.
    struct KeyBucket
    {
        QString text;
        QVector<int> rows;
        QHash<int, QVector<int>> byName; // text id -> rows
        QHash<int, QVector<int>> byOp;
        QVector<int> views; // IP views this text belongs to
    };
    // The rows of one IP: first row per function name and per op word,
    // indexed by text id (-1: none).
    struct IpView
    {
        QString ip;
        QVector<int> buckets;
        QVector<int> firstByName;
        QVector<int> firstByOp;
    };

    void markDirty();
    void ensureIndex() const;
    void indexRow(int row) const;
    void refreshRowFlags(int row) const;
    int textId(const QString &folded) const;
    QString intern(const QString &text) const;
    int bucketFor(const QString &text) const;
    int viewFor(const QString &ip) const;
    void onRowsInserted(const QModelIndex &parent, int first, int last);
    void onColumnsInserted(const QModelIndex &parent, int first, int last);
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles);

    // The index is a cache of the model's content, hence mutable: lookups are
    // logically const.
    mutable bool m_dirty = true;
    mutable QVector<RowInfo> m_rows;
    mutable QHash<QString, int> m_textIds;           // folded names and op words
    mutable QSet<QString> m_texts;                   // one shared copy of each name and op word
    mutable QHash<QString, QStringList> m_nameLists; // one shared copy of each list of value names
    mutable QVector<int> m_nameRowCount;             // by text id
    mutable QVector<int> m_opRowCount;
    mutable QVector<KeyBucket> m_buckets;
    mutable QHash<QString, int> m_bucketByText;
    mutable QVector<IpView> m_views;
    mutable QHash<QString, int> m_viewByIp;
};
