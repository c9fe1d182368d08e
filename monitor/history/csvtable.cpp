#include "monitor/history/csvtable.h"

#include <QAbstractItemModel>
#include <QSaveFile>

namespace {

QString field(const QString &text)
{
    // A leading = + - @ would be run as a formula by a spreadsheet; text
    // from projectors is not to be trusted with that.
    QString value = text;
    if (!value.isEmpty() && QStringLiteral("=+-@").contains(value.at(0)) && !value.at(0).isDigit()) {
        bool number = false;
        value.toDouble(&number);
        if (!number)
            value.prepend(QLatin1Char('\''));
    }
    if (value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) || value.contains(QLatin1Char('\n')) ||
        value.contains(QLatin1Char('\r')))
        return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return value;
}

QString line(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields)
        out.append(field(f));
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QByteArray CsvTable::toCsv(const QStringList &header, const QVector<QStringList> &rows)
{
    QString text = line(header);
    for (const QStringList &row : rows)
        text += line(row);
    return text.toUtf8();
}

bool CsvTable::write(const QString &path, const QStringList &header, const QVector<QStringList> &rows,
                     QString *errorString)
{
    QSaveFile file(path);
    const QByteArray content = toCsv(header, rows);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    if (errorString)
        *errorString = file.errorString();
    return false;
}

QStringList CsvTable::headerOf(const QAbstractItemModel &model)
{
    QStringList header;
    for (int column = 0; column < model.columnCount(); ++column)
        header.append(model.headerData(column, Qt::Horizontal).toString());
    return header;
}

QVector<QStringList> CsvTable::rowsOf(const QAbstractItemModel &model)
{
    QVector<QStringList> rows;
    rows.reserve(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells.append(model.index(row, column).data().toString());
        rows.append(cells);
    }
    return rows;
}

bool CsvTable::write(const QString &path, const QAbstractItemModel &model, QString *errorString)
{
    return write(path, headerOf(model), rowsOf(model), errorString);
}
