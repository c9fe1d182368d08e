#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Reader of the default command file: comma separated fields, double quotes
// around fields that hold commas or line feeds, "" for a quote inside them.
//
// The rules are deliberately simple and forgiving, because operators edit
// these files by hand: a field with an odd number of quotes is taken to be
// still open, so the separator that follows (comma or line feed) becomes
// part of it. A stray quote therefore swallows the rest of its row and
// following rows until the next quote closes it; nothing is rejected.
class CatalogueCsvParser
{
public:
    // Called once per completed row; the row is handed over by value.
    using RowSink = std::function<void(QStringList &&row)>;

    // The file's bytes as 8-bit text up to the first NUL, with every carriage
    // return removed (so CR LF and LF files read alike).
    static QString decode(const QByteArray &bytes);

    // Splits decoded text into rows. A last line without a line feed still
    // ends its row (also when it ends in a comma: the empty last field counts);
    // a row left open by an unbalanced quote at the end of the text is dropped.
    static void parse(const QString &text, const RowSink &sink);

    // Convenience forms collecting every row.
    static QList<QStringList> parse(const QString &text);
    static QList<QStringList> parseBytes(const QByteArray &bytes);

    // Reads and parses a whole file; false (and no row) when it cannot be opened.
    static bool parseFile(const QString &path, const RowSink &sink);
};
