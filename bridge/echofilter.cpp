#include "bridge/echofilter.h"

namespace {

QByteArray upToNul(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

} // namespace

void EchoFilter::remember(const QByteArray &written)
{
    // QByteArray::simplified() touches ASCII white space only.
    m_last = upToNul(written).simplified();
}

EchoFilter::Kind EchoFilter::classify(const QByteArray &line) const
{
    const QByteArray bytes = upToNul(line);
    if (bytes.size() < 3 || bytes.left(3).toLower() != "op ")
        return Kind::Other;
    return bytes.contains(m_last) ? Kind::Echo : Kind::Answer;
}
