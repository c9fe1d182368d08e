#include "net/cataloguecsvparser.h"

#include "app/orvlog/OrvLog.h"

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

namespace {
const int MaxNamedWarnings = 10;
} // namespace

CatalogueCsvParser::Warnings::~Warnings()
{
    if (m_count > MaxNamedWarnings)
        OLOG_WARN() << "Catalogue file" << m_path << "had" << m_count << "bad lines; the first"
                    << MaxNamedWarnings << "are named above";
}

void CatalogueCsvParser::Warnings::warn(int line, const QString &what)
{
    if (++m_count > MaxNamedWarnings)
        return;
    if (line > 0)
        OLOG_WARN() << "Catalogue file" << m_path << "line" << line << what;
    else
        OLOG_WARN() << "Catalogue file" << m_path << what;
}

void CatalogueCsvParser::parse(const QString &text, const RowSink &sink, const WarningSink &warn)
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
    int line = 1;         // line of the character at i
    int rowLine = 1;      // line the current row began on
    int rowStart = 0;     // its first character
    bool cut = false;     // fields beyond the bound were dropped
    auto complete = [&](int end, bool endsRow) {
        const bool tooLong = end - rowStart > MaxLineLength;
        // Past the bound nothing more of the row is kept: a row whose text
        // is too long is dropped whole at its end anyway.
        if (!tooLong && row.size() < MaxFields)
            row.append(finishField(QStringView(chars + start, end - start)));
        else if (!tooLong)
            cut = true;
        if (!endsRow)
            return;
        if (tooLong) {
            if (warn)
                warn(rowLine, QStringLiteral("longer than %1 characters: skipped").arg(MaxLineLength));
        } else {
            if (cut && warn)
                warn(rowLine, QStringLiteral("more than %1 fields: the rest of the line is dropped").arg(MaxFields));
            sink(std::move(row));
        }
        row = QStringList();
        cut = false;
        rowStart = end + 1;
        rowLine = line + 1;
    };
    for (int i = 0; i < n; ++i) {
        const QChar c = chars[i];
        if (c == kComma || c == kLineFeed) {
            if (quotes % 2 != 0) {
                line += c == kLineFeed ? 1 : 0;
                continue; // still inside quotes: the separator belongs to the field
            }
            complete(i, c != kComma);
            line += c == kLineFeed ? 1 : 0;
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
    QByteArray bytes = file.read(MaxFileBytes + 1);
    file.close();
    Warnings warnings(path);
    if (bytes.size() > MaxFileBytes) {
        warnings.warn(0, QStringLiteral("larger than %1 bytes: the rest is not read").arg(MaxFileBytes));
        bytes.truncate(MaxFileBytes);
    }
    int rows = 0;
    parse(
        decode(bytes),
        [&](QStringList &&row) {
            if (++rows <= MaxRows)
                sink(std::move(row));
            else if (rows == MaxRows + 1)
                warnings.warn(0, QStringLiteral("beyond %1 commands: the rest is not read").arg(MaxRows));
        },
        [&warnings](int line, const QString &what) { warnings.warn(line, what); });
    return true;
}
