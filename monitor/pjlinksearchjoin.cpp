#include "monitor/pjlinksearchjoin.h"

#include "monitor/pjlinkmonitor.h"
#include "net/commanddispatch.h"
#include "net/ipfinder.h"
#include "net/pjlinkdirectory.h"
#include "net/targetsearch.h"

PJLinkSearchJoin::PJLinkSearchJoin(PJLinkMonitor *monitor, TargetSearch *search, CommandDispatch *dispatch,
                                   QObject *parent)
    : QObject(parent)
{
    connect(search->finder(), &IPfinder::sigFoundIP, monitor, [monitor](const QString &ip, int ms) {
        if (ms < 0)
            monitor->detect(ip);
    });
    connect(monitor, &PJLinkMonitor::sigDetected, dispatch,
            [dispatch](const QString &ip) { dispatch->addConnectedIP(ip); });
    search->setFoundFilter([monitor](const QStringList &found) { return monitor->directory()->withPJLink(found); });
}
