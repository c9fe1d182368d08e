#include "monitor/pjlinkscriptroute.h"

#include "monitor/pjlinkmonitor.h"
#include "net/pjlinkdirectory.h"
#include "net/pjlinkrequest.h"

namespace {

constexpr int HeadLength = 6; // "%1POWR"

} // namespace

PJLinkScriptRoute::PJLinkScriptRoute(PJLinkMonitor *monitor, QObject *parent) : QObject(parent), m_monitor(monitor)
{
    connect(m_monitor, &PJLinkMonitor::sigCmdResult, this, &PJLinkScriptRoute::onAnswer);
    connect(m_monitor, &PJLinkMonitor::sigFailed, this, &PJLinkScriptRoute::onFailed);
}

int PJLinkScriptRoute::send(const QString &ip, const QStringList &commands)
{
    if (!m_monitor->directory()->isPJLink(ip))
        return -1;
    // A new send asks afresh: what the last one still waits for is let go.
    QStringList &expected = m_expected[ip];
    expected.clear();
    for (const QString &command : commands) {
        const QString request = PJLinkRequest::fromConsole(command);
        if (!request.isNull() && m_monitor->sendLine(ip, request))
            expected.append(request.left(HeadLength));
    }
    return int(expected.size());
}

void PJLinkScriptRoute::onAnswer(const QString &ip, const QString &line)
{
    auto it = m_expected.find(ip);
    if (it == m_expected.end() || it->isEmpty())
        return;
    if (!line.startsWith(it->first()))
        return;
    it->removeFirst();
    emit sigResult(ip + QLatin1String(">\t") + line);
    if (it->isEmpty())
        emit sigSettled(ip);
}

void PJLinkScriptRoute::onFailed(const QString &ip)
{
    // The session drops all its requests when one fails.
    auto it = m_expected.find(ip);
    if (it == m_expected.end() || it->isEmpty())
        return;
    it->clear();
    emit sigSettled(ip);
}
