#include "net/answerline.h"

AnswerLine::AnswerLine(const QString &result) : m_result(result), m_parts(splitAnswer(result))
{
    if (hasKeyValue()) {
        m_key = m_parts.at(0).simplified();
        m_value = m_parts.at(1).simplified();
    }
}

bool AnswerLine::isOpAnswer() const
{
    return hasKeyValue() && m_key.startsWith(QLatin1String("OP "), Qt::CaseInsensitive);
}

QString AnswerLine::opWord() const
{
    if (!isOpAnswer())
        return QString();
    return m_key.mid(3);
}

QString AnswerLine::textFromWire(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromLatin1(bytes.constData(), nul < 0 ? bytes.size() : nul);
}

QStringList AnswerLine::splitAnswer(const QString &text)
{
    // Sessions already end the text at a NUL byte; answers handed in from
    // elsewhere get the same treatment so that stray bytes after a NUL can
    // never reach the tree, the status table or the catalogue.
    const int nul = text.indexOf(QChar(0));
    const QStringRef visible = nul < 0 ? QStringRef(&text) : text.leftRef(nul);
    return visible.toString().split(QLatin1Char('='), Qt::KeepEmptyParts);
}
