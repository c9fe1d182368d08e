#include "monitor/pjlinkmonitor.h"

#include "app/orvlog/OrvLog.h"
#include "monitor/tablemodelstatus.h"
#include "net/pjlinkdirectory.h"
#include "net/pjlinkpower.h"
#include "net/pjlinkprobe.h"
#include "net/pjlinkrequest.h"
#include "net/pjlinkwarnonce.h"

PJLinkMonitor::PJLinkMonitor(TableModelStatus *model, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_probe(new PJLinkProbe(m_directory, this))
{
    m_probe->setMaxConcurrent(MaxConcurrent);
    connect(m_probe, &PJLinkProbe::sigProbed, this, [this](const QString &ip, bool pjlink) {
        if (pjlink)
            emit sigDetected(ip);
        if (m_probing.remove(ip) && pjlink)
            enqueue({ip, PJLinkRequest::sweep(m_directory->classLevel(ip)), -1});
    });
}

void PJLinkMonitor::setPort(quint16 port)
{
    m_port = port;
    m_probe->setPort(port);
}

PJLinkSession *PJLinkMonitor::session(const QString &ip)
{
    PJLinkSession *s = m_sessions.value(ip);
    if (s)
        return s;
    s = new PJLinkSession(ip, this);
    s->setPort(m_port);
    s->setPassword(m_password);
    s->setAnswerTimeoutMs(m_answerTimeoutMs);
    connect(s, &PJLinkSession::sendLog, this, &PJLinkMonitor::sigLog);
    connect(s, &PJLinkSession::sigCmdResult, this, &PJLinkMonitor::sigCmdResult);
    connect(s, &PJLinkSession::sigReply, this, &PJLinkMonitor::onReply);
    connect(s, &PJLinkSession::sigFailed, this, &PJLinkMonitor::onFailed);
    connect(s, &PJLinkSession::sigIdle, this, [this, ip] { onIdle(ip); });
    m_sessions.insert(ip, s);
    return s;
}

void PJLinkMonitor::sweep(const QStringList &addresses)
{
    for (const QString &ip : addresses) {
        if (!m_directory->isKnown(ip)) {
            if (!m_probing.contains(ip)) {
                m_probing.insert(ip);
                m_probe->probe(ip);
            }
        } else if (m_directory->isPJLink(ip)) {
            enqueue({ip, PJLinkRequest::sweep(m_directory->classLevel(ip)), -1});
        }
    }
}

void PJLinkMonitor::switchAll(PowerSwitchRule::Direction direction, const QStringList &addresses)
{
    const int to = direction == PowerSwitchRule::Direction::On ? 1 : 0;
    for (const QString &ip : addresses) {
        if (m_directory->isPJLink(ip))
            enqueue({ip, {QStringLiteral("%1POWR ?")}, to});
    }
}

void PJLinkMonitor::detect(const QString &ip)
{
    if (!m_directory->isKnown(ip))
        m_probe->probe(ip);
    else if (m_directory->isPJLink(ip))
        emit sigDetected(ip);
}

bool PJLinkMonitor::sendLine(const QString &ip, const QString &line)
{
    const QString request = PJLinkRequest::fromConsole(line);
    if (request.isNull() || !m_directory->isPJLink(ip) || (PJLinkRequest::isClass2(request) && m_directory->classLevel(ip) == 1))
        return false;
    session(ip)->send(request);
    return true;
}

void PJLinkMonitor::notify(const QString &ip, const QString &command, const QString &value)
{
    if (!m_model || m_model->rowOfAddress(ip) < 0) {
        ++m_ignoredNotifications;
        return;
    }
    if (command == QLatin1String("LKUP")) {
        // A projector that just came up: learn it and ask what it is.
        if (!m_directory->isPJLink(ip))
            m_directory->setProbed(ip, true, false);
        m_directory->setClassAnswer(ip, QStringLiteral("2"));
        emit sigDetected(ip);
        enqueue({ip, PJLinkRequest::sweep(2), -1});
        return;
    }
    setCells(ip, PJLinkReply::parse(QByteArrayLiteral("%2") + command.toLatin1() + '=' + value.toLatin1()));
}

void PJLinkMonitor::enqueue(const Job &job)
{
    // A projector already being talked to gets the new requests appended
    // instead of a second job.
    if (m_active.contains(job.ip)) {
        Job &active = m_active[job.ip];
        if (job.switchTo >= 0)
            active.switchTo = job.switchTo;
        session(job.ip)->send(PJLinkRequest::forClass(job.requests, m_directory->classLevel(job.ip)));
        return;
    }
    m_waiting.enqueue(job);
    startJobs();
}

void PJLinkMonitor::startJobs()
{
    while (m_active.size() < m_maxConcurrent && !m_waiting.isEmpty()) {
        const Job job = m_waiting.dequeue();
        if (m_active.contains(job.ip)) {
            enqueue(job);
            continue;
        }
        m_active.insert(job.ip, job);
        session(job.ip)->send(PJLinkRequest::forClass(job.requests, m_directory->classLevel(job.ip)));
    }
}

void PJLinkMonitor::onReply(const QString &ip, const QString &request, const PJLinkReply &reply)
{
    emit sigAnswered(ip, request, reply);
    if (reply.command() == QLatin1String("CLSS") && reply.error() == PJLinkReply::Error::None) {
        const bool wasUnknown = m_directory->classLevel(ip) == 0;
        m_directory->setClassAnswer(ip, reply.value());
        // Learnt mid-sweep: the class 2 part of the sweep follows at once.
        if (wasUnknown && m_directory->classLevel(ip) == 2 && m_active.value(ip).switchTo < 0)
            session(ip)->send({QStringLiteral("%2SNUM ?"), QStringLiteral("%2INPT ?"), QStringLiteral("%2IRES ?")});
        return;
    }
    setCells(ip, reply);
    const QString followUp = PJLinkStatusCells::followUp(reply);
    if (!followUp.isEmpty())
        session(ip)->send(followUp);

    if (reply.command() != QLatin1String("POWR") || !m_active.contains(ip))
        return;
    Job &job = m_active[ip];
    if (job.switchTo < 0)
        return;
    if (reply.error() == PJLinkReply::Error::UnavailableTime) {
        emit sigLog(ip + QLatin1Char(' ') + PJLinkReply::errorText(reply.error()));
        job.switchTo = -1;
        return;
    }
    // The answer to our own question decides; the answer to the switch
    // itself ("OK") ends the job.
    const int code = PJLinkPower::tableCode(reply.value());
    const int to = job.switchTo;
    job.switchTo = -1;
    if ((to == 1 && code == 0) || (to == 0 && code == 2))
        session(ip)->send(PJLinkPower::switchLine(to == 1));
}

void PJLinkMonitor::setCells(const QString &ip, const PJLinkReply &reply)
{
    if (!m_model)
        return;
    const int row = m_model->rowOfAddress(ip);
    if (row < 0)
        return;
    const QVector<PJLinkStatusCells::Cell> cells = m_cells.cellsFor(ip, reply);
    for (const PJLinkStatusCells::Cell &cell : cells) {
        if (cell.garbled && PJLinkWarnOnce::first(ip, QStringLiteral("value ") + reply.command()))
            OLOG_WARN() << "PJLink" << ip << "unusable" << reply.command() << "answer";
        m_model->setCell(row, cell.column, cell.text);
        if (cell.column == TableModelStatus::HoursColumn)
            m_model->setHoursToolTip(ip, cell.toolTip);
    }
}

void PJLinkMonitor::onFailed(const QString &ip, const QString &request, PJLinkSession::Failure failure)
{
    emit sigFailed(ip, request);
    if (failure == PJLinkSession::Failure::AuthFailed && m_model) {
        const int row = m_model->rowOfAddress(ip);
        if (row >= 0)
            m_model->setCell(row, TableModelStatus::ErrorCodeColumn, PJLinkSession::failureText(failure));
    }
    // A failure empties the session's queue: the projector's turn is over.
    if (m_sessions.value(ip) && m_sessions.value(ip)->pending() == 0)
        onIdle(ip);
}

void PJLinkMonitor::onIdle(const QString &ip)
{
    if (!m_active.remove(ip))
        return;
    startJobs();
    if (!isBusy())
        emit sigFinished();
}
