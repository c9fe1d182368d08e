#include "monitor/powerswitchwalk.h"

#include "monitor/powerstateprobe.h"
#include "net/sessionpool.h"
#include "net/powerstate.h"

#include <QPointer>

PowerSwitchWalk::PowerSwitchWalk(QObject *parent) : QObject(parent) {}

bool PowerSwitchWalk::start(PowerSwitchRule::Direction direction, const QStringList &addresses, quint16 port)
{
    if (m_running)
        return false;
    m_running = true;
    m_direction = direction;
    m_addresses = addresses;
    m_codes = QVector<int>(addresses.size(), Pending);
    m_port = port;
    m_nextToLaunch = 0;
    m_nextToReport = 0;
    m_inFlight = 0;
    launchMore();
    reportReady();
    return true;
}

void PowerSwitchWalk::launchMore()
{
    if (!m_pool) {
        m_pool = new SessionPool(this);
        m_pool->setLimit(m_concurrency);
    }
    while (m_running && m_inFlight < m_concurrency && m_nextToLaunch < m_addresses.size()) {
        const int index = m_nextToLaunch++;
        const QString &ip = m_addresses.at(index);
        const QString query = m_queryLookup ? m_queryLookup(ip) : QString();
        if (!m_sendingEnabled) {
            m_codes[index] = PowerState::SendingDisabled;
            continue;
        }
        if (query.isEmpty()) {
            m_codes[index] = PowerState::NoAnswer;
            continue;
        }
        ++m_inFlight;
        // The question starts from the pool on a later turn: a connect that
        // fails at once ends it there, and the next one starts on a turn of
        // its own again.
        m_pool->submit(
            [this, index, ip, query]() -> QObject * {
                auto *probe = new PowerStateProbe(this);
                probe->setWaitMs(m_waitMs);
                connect(probe, &PowerStateProbe::finished, this, [this, probe, index](int code) {
                    m_pool->release(probe);
                    probe->deleteLater();
                    onProbeFinished(index, code);
                });
                probe->start(ip, m_port, query);
                return probe;
            },
            this);
    }
}

void PowerSwitchWalk::onProbeFinished(int index, int code)
{
    --m_inFlight;
    m_codes[index] = code;
    launchMore();
    reportReady();
}

void PowerSwitchWalk::reportReady()
{
    QPointer<PowerSwitchWalk> guard(this);
    while (m_running && m_nextToReport < m_addresses.size() && m_codes.at(m_nextToReport) != Pending) {
        const int index = m_nextToReport++;
        const QString &ip = m_addresses.at(index);
        const PowerSwitchRule::Decision decision = PowerSwitchRule::decide(m_direction, m_codes.at(index));
        emit sigLog(decision.word + ip);
        if (!guard)
            return;
        if (decision.send) {
            // A projector whose catalogue has no power command gets nothing
            // (a bare "op " would only draw an error answer).
            const QString command = m_commandLookup ? m_commandLookup(ip, m_direction) : QString();
            if (!command.isEmpty())
                emit sigSendCommand(ip, command);
            if (!guard)
                return;
        }
    }
    if (m_running && m_nextToReport >= m_addresses.size()) {
        m_running = false;
        emit sigFinished();
    }
}
