#include "net/targetsearch.h"

#include "app/orvlog/OrvLog.h"
#include "app/settingsrules.h"

#include "net/commanddispatch.h"
#include "net/ipfinder.h"

#include <QSet>

TargetSearch::TargetSearch(IPfinder *finder, CommandDispatch *dispatch, QObject *parent)
    : QObject(parent), m_finder(finder), m_dispatch(dispatch)
{
    m_finder->setSessionPool(m_dispatch->sessionPool());
    connect(m_finder, &IPfinder::sigFoundIP, this, &TargetSearch::probeReported);
    connect(m_finder, &IPfinder::sigScanFinished, this, &TargetSearch::scanFinished);
}

bool TargetSearch::isRunning() const
{
    return m_finder->isScanning();
}

bool TargetSearch::search(const QString &localIP, int ipTotal)
{
    // The reader already refuses such a setting; a caller that did not go
    // through it must not make the search build millions of addresses.
    if (ipTotal > SettingsRules::MaxIpTotal) {
        OLOG_WARN() << "Targets to search limited to" << SettingsRules::MaxIpTotal << "not" << ipTotal;
        ipTotal = SettingsRules::MaxIpTotal;
    }
    return start(RangeSearch, IPfinder::candidateRange(localIP, ipTotal));
}

bool TargetSearch::checkAddresses(const QStringList &addresses)
{
    return start(StartupCheck, addresses);
}

bool TargetSearch::start(Kind kind, const QStringList &addresses)
{
    if (isRunning())
        return false;
    m_kind = kind;
    m_probed = addresses;
    m_additionsAtStart = m_dispatch->additionCount();
    emit sigStarted(kind);
    return m_finder->scan(addresses);
}

void TargetSearch::probeReported(const QString &ip, int ms)
{
    if (ms > 0)
        m_dispatch->addConnectedIP(ip);
}

void TargetSearch::scanFinished(const QStringList &scanFound)
{
    // Silent addresses that greet in PJLink count as found too.
    const QStringList found = m_foundFilter ? m_foundFilter(scanFound) : scanFound;
    for (const QString &ip : found)
        m_dispatch->addConnectedIP(ip);
    // Merged, never replaced: what discovery found meanwhile stays, and so
    // does every address this scan did not look at.
    const QSet<QString> answered(found.begin(), found.end());
    QStringList missed;
    for (const QString &ip : qAsConst(m_probed))
        if (!answered.contains(ip) && m_dispatch->addedAt(ip) <= m_additionsAtStart)
            missed.append(ip);
    m_probed.clear();
    m_dispatch->removeConnectedIPs(missed);
    emit sigFinished(m_kind, found);
}
