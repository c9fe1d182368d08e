#include "net/targetsearch.h"

#include "app/orvlog/OrvLog.h"
#include "app/settingsrules.h"

#include "net/commanddispatch.h"
#include "net/ipfinder.h"

TargetSearch::TargetSearch(IPfinder *finder, CommandDispatch *dispatch, QObject *parent)
    : QObject(parent), m_finder(finder), m_dispatch(dispatch)
{
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
    emit sigStarted(kind);
    return m_finder->scan(addresses);
}

void TargetSearch::scanFinished(const QStringList &scanFound)
{
    const QStringList found = m_foundFilter ? m_foundFilter(scanFound) : scanFound;
    // Replies that came in by discovery meanwhile are overwritten: the scan
    // is the newer picture of who listens.
    m_dispatch->setConnectedIPs(found);
    emit sigFinished(m_kind, found);
}
