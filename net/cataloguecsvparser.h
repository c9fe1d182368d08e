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
//
// Both kinds of catalogue file are bounded: a row longer than MaxLineLength
// characters is skipped, fields beyond MaxFields are dropped, a file is read
// up to MaxFileBytes and MaxRows commands. Each breach is reported with the
// file and line, so that an edit gone wrong is found, and costs no more than
// what was kept.
class CatalogueCsvParser
{
public:
    // Room for every real command (the shipped lines stay below 200
    // characters and 20 fields) and 256 value names.
    static constexpr int MaxLineLength = 4096;
    static constexpr int MaxFields = 7 + 256;
    static constexpr int MaxRows = 10000;
    static constexpr int MaxFileBytes = 4 * 1024 * 1024;

    // Called once per completed row; the row is handed over by value.
    using RowSink = std::function<void(QStringList &&row)>;
    // Told about a row cut or skipped: its first line (1-based) and what happened.
    using WarningSink = std::function<void(int line, const QString &what)>;

    // WARN lines for one file: the first few name the line, the rest are
    // counted and summed up once when the reader is done.
    class Warnings
    {
    public:
        explicit Warnings(const QString &path) : m_path(path) {}
        ~Warnings();
        Warnings(const Warnings &) = delete;
        Warnings &operator=(const Warnings &) = delete;
        void warn(int line, const QString &what);
        int count() const { return m_count; }

    private:
        QString m_path;
        int m_count = 0;
    };

    // The file's bytes as 8-bit text up to the first NUL, with every carriage
    // return removed (so CR LF and LF files read alike).
    static QString decode(const QByteArray &bytes);

    // Splits decoded text into rows. A last line without a line feed still
    // ends its row (also when it ends in a comma: the empty last field counts);
    // a row left open by an unbalanced quote at the end of the text is dropped.
    // Rows breaking the bounds are skipped or cut as said above and
    // reported to warn (when given).
    static void parse(const QString &text, const RowSink &sink, const WarningSink &warn = WarningSink());

    // Convenience forms collecting every row.
    static QList<QStringList> parse(const QString &text);
    static QList<QStringList> parseBytes(const QByteArray &bytes);

    // Reads and parses a whole file; false (and no row) when it cannot be opened.
    static bool parseFile(const QString &path, const RowSink &sink);
};
