#include "simulator.h"

#include "discoveryresponder.h"
#include "projectorserver.h"
#include "projectorstate.h"
#include "serialprojector.h"
#include "statusdrift.h"

#include <cstdio>

#include <cstdio>

Simulator::Simulator(const SimulatorOptions &options, QObject *parent) : QObject(parent), m_options(options) {}

QString Simulator::serialNumberFor(const QString &model, quint32 seed)
{
    QString letters;
    for (const QChar c : model) {
        if (c.isLetter())
            letters += c.toUpper();
    }
    letters = QString(letters + QStringLiteral("PJS")).left(3);
    // Mixed so that neighbouring addresses get unrelated-looking numbers.
    quint64 x = seed + 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    x ^= x >> 31;
    const quint32 digits = quint32(x % 10000000u);
    return letters + QStringLiteral("%1").arg(digits, 7, 10, QLatin1Char('0'));
}

bool Simulator::start(QString *error)
{
    if (m_options.catalogue.isEmpty()) {
        m_catalogue = CatalogueTable::builtIn();
    } else {
        QString reason;
        if (!m_catalogue.loadFile(m_options.catalogue, &reason)) {
            *error = QStringLiteral("cannot read catalogue %1: %2").arg(m_options.catalogue, reason);
            return false;
        }
    }
    return m_options.serialPort.isEmpty() ? startTcp(error) : startSerial(error);
}

ProjectorState *Simulator::makeProjector(const QString &key, quint32 seed, int index)
{
    auto *state = new ProjectorState(m_catalogue, m_options.model, serialNumberFor(m_options.model, seed), this);
    state->setWarmupMs(m_options.warmupMs);
    state->setCooldownMs(m_options.cooldownMs);
    state->setHourMs(m_options.hourMs);
    // Spread the fleet's lamp ages over the rated life so that a status
    // table shows every colour of the hours bar.
    state->setHours(m_options.hours >= 0 ? m_options.hours : (index * 4651 + 800) % state->ratedLife());
    // A lamp near or past its rated life, for the bar's brown and red.
    const int percent = m_options.lifePercent.value(key, m_options.lifePercent.value(QString(), -1));
    if (percent >= 0)
        state->setHours(int(qint64(state->ratedLife()) * percent / 100));
    const int power = m_options.power.value(key, m_options.power.value(QString(), ProjectorState::Standby));
    state->setPower(power);
    const QString fault = m_options.faults.value(key, m_options.faults.value(QString()));
    if (!fault.isEmpty())
        state->setFault(fault);
    const int driftMs = m_options.driftMs.value(key, m_options.driftMs.value(QString(), 0));
    if (driftMs > 0)
        new StatusDrift(state, driftMs, state);
    if (m_options.logRequests) {
        const QString who = key.isEmpty() ? QStringLiteral("serial") : key;
        connect(state, &ProjectorState::requestReceived, this, [who](const QString &line) {
            std::fprintf(stderr, "REQ %s %s\n", qPrintable(who), qPrintable(line.trimmed()));
            std::fflush(stderr);
        });
    }
    m_projectors.append(state);
    return state;
}

bool Simulator::startTcp(QString *error)
{
    if (m_options.discovery)
        m_discovery = new DiscoveryResponder(this);
    int index = 0;
    for (const QHostAddress &address : qAsConst(m_options.addresses)) {
        ProjectorState *state = makeProjector(address.toString(), address.toIPv4Address(), index++);
        auto *server = new ProjectorServer(address, m_options.port, m_options.modeFor(address), state, this);
        QString reason;
        if (!server->start(&reason)) {
            *error = QStringLiteral("cannot listen on %1:%2 (%3): %4")
                         .arg(address.toString())
                         .arg(m_options.port)
                         .arg(server->mode().toString(), reason);
            return false;
        }
        if (m_discovery && server->mode().kind() != AddressMode::Refuse)
            m_discovery->addProjector(address, state->model(), state->serialNumber());
    }
    QString reason;
    if (m_discovery && !m_discovery->start(&reason))
        std::fprintf(stderr, "projsim: no discovery answers (%s)\n", qPrintable(reason));
    return true;
}

bool Simulator::startSerial(QString *error)
{
    ProjectorState *state = makeProjector(QString(), qHash(m_options.serialPort), 0);
    auto *serial = new SerialProjector(m_options.serialPort, state, this);
    serial->setBaudRate(m_options.baudRate);
    serial->setEcho(m_options.echo);
    serial->setSlowMs(m_options.slowMs);
    serial->setPartial(m_options.partial);
    serial->setBurst(m_options.burst);
    connect(serial, &SerialProjector::portLost, this, &Simulator::serialPortLost);
    QString reason;
    if (!serial->open(&reason)) {
        *error = QStringLiteral("cannot open %1: %2").arg(m_options.serialPort, reason);
        return false;
    }
    return true;
}
