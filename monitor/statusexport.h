#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QAbstractItemModel;

// The status table as a text file for the maintenance log: a header line of
// the column headers, then one line per row; every cell is followed by ","
// (so lines end with a comma) and every line by CR LF. The hidden life
// column is left out.
class StatusExport
{
public:
    static QStringList lines(const QAbstractItemModel &model, int leftOutColumn);
    // <folder>/yyMMdd_hhmmss_status.txt
    static QString filePath(const QString &folder, const QDateTime &now);
    // Written completely or not at all (an existing file stays as it was on
    // failure); UTF-8. False on failure.
    static bool write(const QString &path, const QStringList &lines);
};
