#include "pjlinksimulator.h"

#include "pjlinkprojectorstate.h"
#include "pjlinkserver.h"
#include "pjlinkudp.h"
#include "simulator.h"

#include <cstdio>

PJLinkSimulator::PJLinkSimulator(const SimulatorOptions &options, const PJLinkSimOptions &pjlink, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_pjlink(pjlink)
{
}

bool PJLinkSimulator::start(QString *error)
{
    auto *udp = m_pjlink.classLevel >= 2 ? new PJLinkUdp(m_pjlink.port, m_pjlink.notifyHost, m_pjlink.notifyPort, this)
                                         : nullptr;
    for (const QHostAddress &address : qAsConst(m_options.addresses)) {
        const QString key = address.toString();
        const QString name = QStringLiteral("PJSIM-%1").arg(address.toIPv4Address() & 0xff);
        auto *state = new PJLinkProjectorState(m_pjlink.classLevel, name,
                                               Simulator::serialNumberFor(QStringLiteral("PJL"), address.toIPv4Address()),
                                               this);
        state->setTimes(m_options.warmupMs, m_options.cooldownMs);
        state->setPower(m_pjlink.power.value(key, m_pjlink.power.value(QString(), 0)));
        const QString lamps = m_pjlink.lamps.value(key, m_pjlink.lamps.value(QString()));
        if (!lamps.isEmpty())
            state->setLampHours(lamps);
        const QString erst = m_pjlink.erst.value(key, m_pjlink.erst.value(QString()));
        if (!erst.isEmpty())
            state->setErrorStatus(erst);
        auto *server = new PJLinkServer(address, m_pjlink, state, this);
        server->setSilent(m_pjlink.silent.contains(key));
        server->setLogRequests(m_options.logRequests);
        QString reason;
        if (!server->start(&reason)) {
            *error = QStringLiteral("cannot listen on %1:%2: %3").arg(key).arg(m_pjlink.port).arg(reason);
            return false;
        }
        if (udp)
            udp->addProjector(address, state);
    }
    QString reason;
    if (udp && !udp->start(&reason))
        std::fprintf(stderr, "projsim: no PJLink search answers (%s)\n", qPrintable(reason));
    return true;
}
