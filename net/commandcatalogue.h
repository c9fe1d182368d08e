#pragma once

#include "net/modelcatalogue.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class CatalogueLoader;

// The command catalogue of the fleet: the rows of the default command file
// (bare category in column 0) and, per projector, the rows of its model's
// file, which read as "IP:category" in column 0.
//
// A model's file is read once and its rows are shared by every projector of
// that model; a projector holds only its model and the values it answered.
// Rows are numbered as if they stood in one table: the default file's rows,
// then each projector's block in the order the projectors were loaded (rows
// added by hand go behind the last block). findRow() and fieldText() use
// these numbers.
//
// Every lookup is restricted to the rows "of" an IP: its model's rows and
// rows added by hand whose column 0 starts with the IP and ":" (10.0.0.1
// never selects the rows of 10.0.0.10); an empty IP selects every row.
// Function names and op words match whole-text, case-insensitively, through
// hashes: an answer costs the same with one projector or two thousand.
//
// Files above inPlaceLimit() bytes are read on the thread pool; until one
// arrives its projectors have no rows, and the values they answer meanwhile
// are kept and shown once the rows are there.
class CommandCatalogue final : public QObject
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
    ~CommandCatalogue() override;

    // Replaces the whole content (projectors included) by the rows of the
    // default command file, header line included (it becomes row 0). False
    // when the file cannot be read; the catalogue is then empty.
    bool loadCommandFile(const QString &path);

    // Appends one row, exactly as given, behind every other row.
    void appendCatalogueRow(const QStringList &fields);

    // Gives ip the rows of <pluginFolder>/<model>.csv, once per IP: when ip
    // has (or waits for) rows nothing happens; a model name that is not a
    // plain file name is refused with a WARN line. The file is read once per
    // model (header dropped, split at every comma, line end stripped, lines
    // with an empty first field skipped). Returns true when ip gets the
    // model's rows (now, or when a file read on the pool arrives), false when
    // the IP was already loaded or the file cannot be opened.
    bool loadCatalogueForIP(const QString &ip, const QString &model, const QString &pluginFolder);

    // True when some row belongs to ip (a projector whose file is still
    // being read has none yet).
    bool hasRowsForIP(const QString &ip) const;
    // True while ip waits for its model's file.
    bool isLoading(const QString &ip) const;

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
    // the value in range, else as received. False when no row matches (while
    // ip's file is being read the value is kept and written when it arrives).
    bool updateCatalogueValue(const QString &ip, const QString &op, const QString &value);
    // Script-side form: "op <op> ?" for name among the rows of ip, or null (no
    // fallback for "Model Name").
    QString opCMDbyIP(const QString &name, const QString &ip) const;

    // First row of ip whose searchColumn equals text (whole text, any case), or -1.
    int findRow(const QString &text, int searchColumn, const QString &ip) const;
    // Every such row, in row order.
    QVector<int> findRows(const QString &text, int searchColumn, const QString &ip) const;
    // Text of a field; empty (not null) for a field the row does not have.
    QString fieldText(int row, int column) const;
    // Texts of every field of a row, in column order (as wide as the row).
    QStringList rowTexts(int row) const;
    // Number of rows, all projectors included; width of the widest row.
    int rowCount() const { return m_rowTotal; }
    int columnCount() const { return m_columns; }

    // The rows of ip in row order: its model's block is rows
    // [blockFirst, blockFirst + blockCount), the others (added by hand) are listed.
    struct RowsOfIp
    {
        QVector<int> extra;
        int blockFirst = -1;
        int blockCount = 0;
        int columns = 4; // width of the widest of them
    };
    RowsOfIp rowsOf(const QString &ip) const;

    // Number of model files read since the start (a model is read once).
    int filesRead() const { return m_filesRead; }
    // Files up to this size are read at once, bigger ones on the thread pool.
    void setInPlaceLimit(qint64 bytes) { m_inPlaceLimit = bytes; }
    qint64 inPlaceLimit() const { return m_inPlaceLimit; }

    static QStringList headerLabels();

signals:
    // The rows of ip changed (its model arrived, or a row was added for it);
    // an empty ip: every projector's (the whole content was replaced).
    void sigRowsChanged(const QString &ip);
    // The value of row changed.
    void sigValueChanged(int row);

private:
    // A run of consecutive row numbers: the hand-kept rows from looseFirst
    // on, or the block of one projector.
    struct Segment
    {
        int first = 0;
        int count = 0;
        int looseFirst = -1; // hand-kept rows: index of the first in m_loose
        QString ip;          // projector blocks: the projector
    };
    struct Projector
    {
        QString model;
        ModelCataloguePtr catalogue; // null while the file is read
        int segment = -1;
        QHash<int, QString> values;  // answered values by row of the model
        QHash<QString, QString> early; // case-folded op -> value, answered before the rows came
    };
    struct Location
    {
        const Segment *segment = nullptr;
        int index = -1; // row within the segment's model, or in m_loose
        int row = -1;   // its number
    };

    Location locate(int row) const;
    Location findRowAt(const QString &text, int searchColumn, const QString &ip) const;
    QString fieldAt(const Location &at, int column) const;
    int firstInModel(const Projector &projector, const QString &text, int searchColumn) const;
    int firstLoose(const QString &text, int searchColumn, const QString &ip) const;
    void attach(const QString &ip, const ModelCataloguePtr &catalogue);
    void onLoaded(const QString &model, const QString &path, const ModelCataloguePtr &catalogue);
    int looseRowNumber(int looseIndex) const;
    void appendSegment(const Segment &segment);

    CatalogueLoader *m_loader;
    ModelCatalogue m_loose;                     // default file and rows added by hand
    QHash<QString, QVector<int>> m_looseByIp;   // rows added for an ip (by m_loose index)
    QVector<Segment> m_segments;
    QVector<int> m_distinctSegments; // the first segment of each catalogue, and every loose one
    QHash<QString, Projector> m_projectors;
    QHash<QString, ModelCataloguePtr> m_models; // by file path
    QSet<const ModelCatalogue *> m_attachedModels; // models some projector has rows of
    QHash<QString, QStringList> m_waiting;      // file path -> projectors waiting for it
    bool m_readingDefaultFile = false;
    int m_rowTotal = 0;
    int m_columns = 4;
    int m_filesRead = 0;
    qint64 m_inPlaceLimit = 32 * 1024;
};
