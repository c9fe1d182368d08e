#include "bridge/seriallineframer.h"

bool SerialLineFramer::hasLine() const
{
    return m_buffer.contains('\n') || m_buffer.size() >= MaxLineLength;
}

QByteArray SerialLineFramer::takeLine(bool *complete)
{
    const int feed = m_buffer.indexOf('\n');
    int length = 0;
    if (complete)
        *complete = false;
    if (feed >= 0 && feed < MaxLineLength) {
        length = feed + 1;
        if (complete)
            *complete = true;
    } else if (m_buffer.size() >= MaxLineLength) {
        length = MaxLineLength;
    } else {
        return QByteArray();
    }
    const QByteArray line = m_buffer.left(length);
    m_buffer.remove(0, length);
    return line;
}
