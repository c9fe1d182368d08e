#include "net/modelcatalogue.h"

#include "app/orvlog/OrvLog.h"
#include "net/cataloguecsvparser.h"

#include <QFile>

namespace {

const int ValueColumn = 3;
const int QueryColumn = 4;
const int MaxColumn = 6;
const int FirstValueNameColumn = 7;

} // namespace

QSharedPointer<const ModelCatalogue> ModelCatalogue::fromModelFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(CatalogueCsvParser::MaxFileBytes + 1);
    file.close();
    CatalogueCsvParser::Warnings warnings(path);
    if (bytes.size() > CatalogueCsvParser::MaxFileBytes)
        warnings.warn(0, QStringLiteral("larger than %1 bytes: the rest is not read").arg(CatalogueCsvParser::MaxFileBytes));

    auto catalogue = QSharedPointer<ModelCatalogue>::create();
    const int size = int(qMin<qint64>(bytes.size(), CatalogueCsvParser::MaxFileBytes));
    const char *data = bytes.constData();
    int start = bytes.indexOf('\n');
    if (start < 0 || start >= size)
        return catalogue; // nothing but the header
    ++start;
    for (int lineNumber = 2; start < size; ++lineNumber) {
        int end = bytes.indexOf('\n', start);
        if (end < 0 || end > size)
            end = size;
        int length = end - start;
        while (length > 0 && (data[start + length - 1] == '\r' || data[start + length - 1] == '\n'))
            --length;
        const QByteArray line = QByteArray::fromRawData(data + start, length);
        start = end + 1;
        if (line.isEmpty() || line.startsWith(','))
            continue;
        if (line.size() > CatalogueCsvParser::MaxLineLength) {
            warnings.warn(lineNumber,
                          QStringLiteral("longer than %1 characters: skipped").arg(CatalogueCsvParser::MaxLineLength));
            continue;
        }
        if (catalogue->rowCount() >= CatalogueCsvParser::MaxRows) {
            warnings.warn(lineNumber, QStringLiteral("beyond %1 commands: the rest is not read").arg(CatalogueCsvParser::MaxRows));
            break;
        }
        QStringList fields = QString::fromLatin1(line).split(QLatin1Char(','));
        if (fields.size() > CatalogueCsvParser::MaxFields) {
            warnings.warn(lineNumber, QStringLiteral("more than %1 fields: the rest of the line is dropped")
                                          .arg(CatalogueCsvParser::MaxFields));
            fields.erase(fields.begin() + CatalogueCsvParser::MaxFields, fields.end());
        }
        catalogue->appendRow(fields);
    }
    return catalogue;
}

void ModelCatalogue::appendRow(const QStringList &fields)
{
    const int row = m_rows.size();
    m_rows.append(fields.isEmpty() ? QStringList{QString(QLatin1String(""))} : fields);
    m_byName[field(row, 1).toCaseFolded()].append(row);
    m_byOp[field(row, 2).toCaseFolded()].append(row);
    m_columns = qMax(m_columns, m_rows.last().size());
}

void ModelCatalogue::setField(int row, int column, const QString &text)
{
    Q_ASSERT(column >= ValueColumn);
    QStringList &fields = m_rows[row];
    while (fields.size() <= column)
        fields.append(QString(QLatin1String("")));
    fields[column] = text;
    m_columns = qMax(m_columns, fields.size());
}

QString ModelCatalogue::field(int row, int column) const
{
    const QStringList &fields = m_rows.at(row);
    if (column < 0 || column >= fields.size() || fields.at(column).isNull())
        return QString(QLatin1String(""));
    return fields.at(column);
}

int ModelCatalogue::firstByName(const QString &text) const
{
    const auto it = m_byName.constFind(text.toCaseFolded());
    return it == m_byName.constEnd() ? -1 : it->first();
}

int ModelCatalogue::firstByOp(const QString &text) const
{
    const auto it = m_byOp.constFind(text.toCaseFolded());
    return it == m_byOp.constEnd() ? -1 : it->first();
}

QString ModelCatalogue::valueText(int row, const QString &value) const
{
    if (!field(row, QueryColumn).contains(QLatin1Char('?')) || field(row, FirstValueNameColumn).isEmpty() ||
        value == QLatin1String("NA"))
        return value;
    bool isNumber = false;
    const int index = value.toInt(&isNumber);
    // Negative, non-numeric or out-of-range answers have no name; a count
    // beyond the names still names only the columns the catalogue has.
    if (!isNumber || index < 0 || index > field(row, MaxColumn).toInt() ||
        index > m_columns - 1 - FirstValueNameColumn)
        return value;
    return value + QLatin1String(" [") + field(row, FirstValueNameColumn + index) + QLatin1Char(']');
}
