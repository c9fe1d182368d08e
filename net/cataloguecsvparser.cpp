#include "net/cataloguecsvparser.h"

#include <QFile>

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kComma = QLatin1Char(',');
const QChar kLineFeed = QLatin1Char('\n');

// One field is finished: drop one pair of enclosing quotes, turn doubled
// quotes into single ones.
QString finishField(QStringView raw)
{
    if (raw.size() >= 2 && raw.front() == kQuote && raw.back() == kQuote)
        raw = raw.mid(1, raw.size() - 2);
    QString field = raw.toString();
    if (field.contains(kQuote))
        field.replace(QLatin1String("\"\""), QLatin1String("\""));
    return field;
}

} // namespace

QString CatalogueCsvParser::decode(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    const int length = end < 0 ? bytes.size() : end;
    QByteArray kept;
    kept.reserve(length);
    const char *data = bytes.constData();
    for (int i = 0; i < length; ++i) {
        if (data[i] != '\r')
            kept.append(data[i]);
    }
    return QString::fromLatin1(kept);
}

void CatalogueCsvParser::parse(const QString &text, const RowSink &sink)
{
    // A field is always a contiguous piece of the text: while it is inside
    // quotes the separators it swallows are the very characters that follow
    // it. Keeping a start index and a running quote count makes a stray quote
    // in a large file cost one pass, not one recount per swallowed separator.
    const int n = text.size();
    const QChar *chars = text.constData();
    QStringList row;
    int start = 0;
    int quotes = 0;
    auto complete = [&](int end, bool endsRow) {
        row.append(finishField(QStringView(chars + start, end - start)));
        if (endsRow) {
            sink(std::move(row));
            row = QStringList();
        }
    };
    for (int i = 0; i < n; ++i) {
        const QChar c = chars[i];
        if (c == kComma || c == kLineFeed) {
            if (quotes % 2 != 0)
                continue; // still inside quotes: the separator belongs to the field
            complete(i, c != kComma);
            start = i + 1;
            quotes = 0;
            continue;
        }
        if (c == kQuote)
            ++quotes;
        if (i == n - 1 && quotes % 2 == 0)
            complete(n, true);
    }
    // A last line ending in a comma without line feed: its empty last field
    // still ends the row, as it would with the line feed.
    if (n > 0 && start == n && chars[n - 1] == kComma)
        complete(n, true);
}

QList<QStringList> CatalogueCsvParser::parse(const QString &text)
{
    QList<QStringList> rows;
    parse(text, [&rows](QStringList &&row) { rows.append(std::move(row)); });
    return rows;
}

QList<QStringList> CatalogueCsvParser::parseBytes(const QByteArray &bytes)
{
    return parse(decode(bytes));
}

bool CatalogueCsvParser::parseFile(const QString &path, const RowSink &sink)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = decode(file.readAll());
    file.close();
    parse(text, sink);
    return true;
}
