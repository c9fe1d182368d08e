#include "oprequest.h"

OpRequest OpRequest::parse(const QString &line)
{
    OpRequest request;
    request.m_text = line.simplified();
    const QString &text = request.m_text;
    if (text.isEmpty())
        return request;
    if (text.startsWith(QLatin1String("ky "), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("ky "), Qt::CaseInsensitive)) {
        request.m_kind = KeyLine;
        return request;
    }
    request.m_kind = Other;
    if (!text.startsWith(QLatin1String("op "), Qt::CaseInsensitive))
        return request;
    const QString rest = text.mid(3).trimmed();
    if (rest.endsWith(QLatin1Char('?'))) {
        request.m_word = rest.chopped(1).trimmed();
        request.m_kind = Query;
    } else if (rest.contains(QLatin1Char('='))) {
        const int eq = rest.indexOf(QLatin1Char('='));
        request.m_word = rest.left(eq).trimmed();
        request.m_value = rest.mid(eq + 1).trimmed();
        request.m_kind = Set;
    } else {
        const int blank = rest.indexOf(QLatin1Char(' '));
        request.m_word = blank < 0 ? rest : rest.left(blank);
        request.m_value = blank < 0 ? QString() : rest.mid(blank + 1);
        request.m_kind = Action;
    }
    // A word with blanks inside ("op bright level ?") is not a command a
    // projector knows; keep it whole so that the answer names it.
    if (request.m_word.isEmpty())
        request.m_kind = Other;
    return request;
}
