#include "linesplitter.h"

QList<QByteArray> LineSplitter::feed(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    for (const char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (!m_buffer.isEmpty())
                lines.append(m_buffer);
            m_buffer.clear();
            continue;
        }
        m_buffer.append(c);
        if (m_buffer.size() >= m_maximumLength) {
            lines.append(m_buffer);
            m_buffer.clear();
        }
    }
    return lines;
}
