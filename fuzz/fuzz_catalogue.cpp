// The command catalogue: the CSV parser of the command files, then the
// indexed lookups against a plain scan of the same rows. Input: a command
// file.
#include "fuzz/fuzzsupport.h"

#include "net/cataloguecsvparser.h"
#include "net/commandcatalogue.h"

FUZZ_INIT

namespace {

const QString IpA = QStringLiteral("10.0.0.1");
const QString IpB = QStringLiteral("10.0.0.10"); // must never answer for IpA

bool belongsTo(const QString &category, const QString &ip)
{
    return ip.isEmpty() || category.startsWith(ip + QLatin1Char(':'));
}

// What the index promises: the first row of ip whose column equals text,
// whole text, compared as QString::compare does without case.
int scan(const CommandCatalogue &catalogue, const QString &text, int column, const QString &ip)
{
    for (int row = 0; row < catalogue.rowCount(); ++row)
        if (belongsTo(catalogue.fieldText(row, CommandCatalogue::CategoryColumn), ip) &&
            QString::compare(catalogue.fieldText(row, column), text, Qt::CaseInsensitive) == 0)
            return row;
    return -1;
}

void checkLookups(const CommandCatalogue &catalogue, const QList<QStringList> &rows)
{
    const int probes = qMin(rows.size(), 8);
    for (int i = 0; i < probes; ++i) {
        const QString name = rows.at(i).value(1);
        const QString op = rows.at(i).value(2);
        for (const QString &ip : {IpA, IpB, QString()}) {
            const int byName = catalogue.findRow(name, CommandCatalogue::FunctionNameColumn, ip);
            FUZZ_CHECK(byName == scan(catalogue, name, CommandCatalogue::FunctionNameColumn, ip));
            const int byOp = catalogue.findRow(op, CommandCatalogue::OpCommandColumn, ip);
            FUZZ_CHECK(byOp == scan(catalogue, op, CommandCatalogue::OpCommandColumn, ip));
            const QString found = catalogue.cmdName2opByIP(name, ip);
            FUZZ_CHECK(byName < 0 ? found.isNull()
                                  : found == catalogue.fieldText(byName, CommandCatalogue::OpCommandColumn));
            const QStringList options = catalogue.catalogueOptions(name, CommandCatalogue::FunctionNameColumn, ip);
            FUZZ_CHECK(options.size() <= rows.size() * qMax(1, catalogue.columnCount()));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = FuzzSupport::bytes(data, size);
    const QString text = CatalogueCsvParser::decode(file);
    FUZZ_CHECK(!text.contains(QLatin1Char('\r')) && !text.contains(QChar(0)));

    QList<QStringList> rows = CatalogueCsvParser::parse(text);
    FUZZ_CHECK(rows == CatalogueCsvParser::parseBytes(file));
    for (const QStringList &row : rows)
        FUZZ_CHECK(!row.isEmpty());
    if (rows.size() > 64)
        rows = rows.mid(0, 64);

    // Rows of two projectors whose addresses share a prefix, plus the
    // default file's bare rows.
    CommandCatalogue catalogue;
    for (int i = 0; i < rows.size(); ++i) {
        QStringList fields = rows.at(i);
        if (fields.size() > 40)
            fields = fields.mid(0, 40);
        if (i % 3 != 2)
            fields[0] = (i % 3 == 0 ? IpA : IpB) + QLatin1Char(':') + fields.at(0);
        catalogue.appendCatalogueRow(fields);
    }
    FUZZ_CHECK(catalogue.rowCount() == rows.size());
    checkLookups(catalogue, rows);

    // Recording an answer touches only the value column of the first row.
    for (int i = 0; i < qMin(rows.size(), 4); ++i) {
        const QString op = rows.at(i).value(2);
        const int row = catalogue.findRow(op, CommandCatalogue::OpCommandColumn, IpA);
        FUZZ_CHECK(catalogue.updateCatalogueValue(IpA, op, QStringLiteral("1")) == (row >= 0));
        if (row >= 0)
            FUZZ_CHECK(catalogue.fieldText(row, CommandCatalogue::ValueColumn).startsWith(QLatin1Char('1')));
    }
    checkLookups(catalogue, rows);
    return 0;
}
