#include "monitor/statusexport.h"

#include <QAbstractItemModel>
#include <QSaveFile>

QStringList StatusExport::lines(const QAbstractItemModel &model, int leftOutColumn)
{
    QStringList result;
    const int columns = model.columnCount();
    QString header;
    for (int column = 0; column < columns; ++column) {
        if (column != leftOutColumn)
            header += model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() + QLatin1Char(',');
    }
    result.append(header);
    for (int row = 0; row < model.rowCount(); ++row) {
        QString line;
        for (int column = 0; column < columns; ++column) {
            if (column != leftOutColumn)
                line += model.index(row, column).data(Qt::DisplayRole).toString() + QLatin1Char(',');
        }
        result.append(line);
    }
    return result;
}

QString StatusExport::filePath(const QString &folder, const QDateTime &now)
{
    return folder + QLatin1Char('/') + now.toString(QStringLiteral("yyMMdd_hhmmss")) + QStringLiteral("_status.txt");
}

bool StatusExport::write(const QString &path, const QStringList &lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
