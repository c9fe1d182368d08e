#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QAbstractItemModel;

// A table as CSV for a spreadsheet: UTF-8, CR LF, fields quoted when they
// hold a comma, a quote or a line break. Written whole or not at all.
class CsvTable
{
public:
    static QByteArray toCsv(const QStringList &header, const QVector<QStringList> &rows);
    static bool write(const QString &path, const QStringList &header, const QVector<QStringList> &rows,
                      QString *errorString = nullptr);
    // The model's header and rows as a view shows them.
    static QStringList headerOf(const QAbstractItemModel &model);
    static QVector<QStringList> rowsOf(const QAbstractItemModel &model);
    static bool write(const QString &path, const QAbstractItemModel &model, QString *errorString = nullptr);
};
