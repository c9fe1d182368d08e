#include "bridge/echofilter.h"

#include "bridge/bridgerules.h"

void EchoFilter::remember(const QByteArray &written)
{
    m_last = BridgeRules::latin1UpToNul(written).simplified();
}

EchoFilter::Kind EchoFilter::classify(const QString &lineText) const
{
    if (!BridgeRules::isOpLine(lineText))
        return Kind::Other;
    return lineText.contains(m_last) ? Kind::Echo : Kind::Answer;
}
