#include "monitor/statusmonitor.h"

#include "app/orvlog/OrvLog.h"
#include "monitor/powerswitchwalk.h"
#include "monitor/statusanswermap.h"
#include "monitor/statusexport.h"
#include "monitor/tablemodelstatus.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "net/pjlinkdirectory.h"
#include "ui/clocktext.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QSet>
#include <QTimer>

namespace {

// Answers a projector gives in words; the table shows them translated.
[[maybe_unused]] const char *const AnswerWords[] = {
    QT_TRANSLATE_NOOP("TableModelStatus", "No Signal"),
};

const QString StampFormat = QStringLiteral("hh:mm:ss.zzz");

} // namespace

StatusMonitor::StatusMonitor(CommandDispatch *dispatch, const CommandCatalogue *catalogue, QObject *parent)
    : QObject(parent), m_dispatch(dispatch), m_catalogue(catalogue),
      m_model(new TableModelStatus(TableModelStatus::defaultHeaders(), QStringList(), this)),
      m_walk(new PowerSwitchWalk(this)), m_pollTimer(new QTimer(this)), m_firstTargetSweep(new QTimer(this)),
      m_firstStatusSweep(new QTimer(this))
{
    m_pollTimer->setObjectName(QStringLiteral("statusPollTimer"));
    connect(m_pollTimer, &QTimer::timeout, this, &StatusMonitor::sweep);
    m_firstTargetSweep->setSingleShot(true);
    m_firstTargetSweep->setInterval(TargetSweepDelayMs);
    connect(m_firstTargetSweep, &QTimer::timeout, this, &StatusMonitor::targetSweep);
    m_firstStatusSweep->setSingleShot(true);
    m_firstStatusSweep->setInterval(StatusSweepDelayMs);
    connect(m_firstStatusSweep, &QTimer::timeout, this, &StatusMonitor::sweep);
    connect(m_dispatch, &CommandDispatch::sigUpdateConnectedIP, m_model, &TableModelStatus::slotUpdateConnectedIP);
    m_model->slotUpdateConnectedIP(m_dispatch->connectedIPs());

    m_walk->setQueryLookup([this](const QString &ip) {
        QString query = m_catalogue->queryCommandByIP(ip, QStringLiteral("Projector Status"));
        // Before its catalogue is loaded, a projector is asked in the words
        // of the default command file.
        if (query.isEmpty())
            query = m_catalogue->queryCommandByIP(QString(), QStringLiteral("Projector Status"));
        return query;
    });
    m_walk->setCommandLookup([this](const QString &ip, PowerSwitchRule::Direction direction) {
        const QString op = m_catalogue->cmdName2opByIP(PowerSwitchRule::functionName(direction), ip);
        return op.isEmpty() ? QString() : QStringLiteral("op ") + op;
    });
    connect(m_walk, &PowerSwitchWalk::sigLog, this, &StatusMonitor::sigLog);
    m_walk->setSessionPool(m_dispatch->sessionPool());
    connect(m_walk, &PowerSwitchWalk::sigSendCommand, this, [this](const QString &ip, const QString &command) {
        m_switched.append(ip);
        m_dispatch->sendCommand(ip, command);
    });
    connect(m_walk, &PowerSwitchWalk::sigFinished, this, [this] {
        // Each re-check carries its own list: a later walk does not change
        // whom an earlier one asks.
        const QStringList switched = m_switched;
        m_switched.clear();
        if (switched.isEmpty())
            return;
        QTimer::singleShot(m_recheckSoonMs, this, [this, switched] { recheckPower(switched); });
        QTimer::singleShot(m_recheckSettledMs, this, [this, switched] { recheckPower(switched); });
    });
}

void StatusMonitor::recheckPower(const QStringList &addresses)
{
    for (const QString &ip : addresses) {
        if (!m_dispatch->isConnected(ip))
            continue;
        const QString query = m_catalogue->queryCommandByIP(ip, QStringLiteral("Projector Status"));
        if (!query.isEmpty())
            m_dispatch->sendCommandList(QTime(), ip, {query}, false);
    }
}

void StatusMonitor::setPollMinutes(int minutes)
{
    // QTimer counts milliseconds in an int: about 24 days at most.
    m_pollMinutes = qBound(1, minutes, MaxPollMinutes);
    if (m_pollBar)
        m_pollBar->setRange(0, m_pollMinutes * 60);
}

void StatusMonitor::startPolling()
{
    m_pollTimer->start(m_pollMinutes * 60000);
    m_firstTargetSweep->start();
    m_firstStatusSweep->start();
}

void StatusMonitor::stopPolling()
{
    m_pollTimer->stop();
    m_firstTargetSweep->stop();
    m_firstStatusSweep->stop();
}

void StatusMonitor::rebuild(const QStringList &addresses)
{
    m_model->resetAddresses(addresses);
}

QStringList StatusMonitor::connectedRows() const
{
    const QStringList connectedList = m_dispatch->connectedIPs();
    const QSet<QString> connected(connectedList.begin(), connectedList.end());
    QStringList rows;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QString ip = m_model->cell(row, TableModelStatus::AddressColumn);
        if (connected.contains(ip))
            rows.append(ip);
    }
    return rows;
}

QStringList StatusMonitor::sweepQueries(const QString &ip) const
{
    QStringList queries;
    if (m_pjlinkDirectory && m_pjlinkDirectory->isPJLink(ip))
        return queries;
    const QStringList names = StatusAnswerMap::sweepFunctionNames();
    for (const QString &name : names) {
        const QString query = m_catalogue->queryCommandByIP(ip, name);
        if (!query.isEmpty())
            queries.append(query);
    }
    return queries;
}

void StatusMonitor::sweep()
{
    const QTime stamp = QTime::currentTime();
    const QStringList addresses = connectedRows();
    QStringList targets;
    QVector<QStringList> queries;
    for (const QString &ip : addresses) {
        const QStringList list = sweepQueries(ip);
        if (list.isEmpty())
            continue;
        targets.append(ip);
        queries.append(list);
    }
    // The task (and its log) begins before its first line, and every
    // session is counted before any of them can end.
    emit sigTaskStarted(stamp, targets.size());
    emit sigLog(QStringLiteral("--- Check Status ---") + QLatin1Char('@') + stamp.toString(StampFormat));
    for (int i = 0; i < targets.size(); ++i) {
        OLOG_DEBUG() << "slotCheckStatus"
                     << "***Task list:" << stamp.toString(StampFormat) << targets.at(i);
        m_dispatch->sendCommandList(stamp, targets.at(i), queries.at(i), false);
    }
    emit sigStatusSweepSent(addresses);
}

void StatusMonitor::targetSweep()
{
    // No task and no task log: its sessions carry no stamp, so they add no
    // end lines to the console either.
    const QTime stamp = QTime::currentTime();
    emit sigLog(QStringLiteral("--- Check Targets ---") + QLatin1Char('@') + stamp.toString(StampFormat));
    const QStringList addresses = connectedRows();
    for (const QString &ip : addresses) {
        const QString query = m_catalogue->queryCommandByIP(ip, StatusAnswerMap::targetFunctionName());
        if (!query.isEmpty() && !(m_pjlinkDirectory && m_pjlinkDirectory->isPJLink(ip)))
            m_dispatch->sendCommandList(QTime(), ip, {query}, false);
    }
}

bool StatusMonitor::refreshAddress(const QString &ip)
{
    if (!m_dispatch->isConnected(ip))
        return false;
    const QStringList queries = sweepQueries(ip);
    if (queries.isEmpty())
        return false;
    // Asked for by the operator's click: ahead of a sweep's queue.
    m_dispatch->sendCommandList(QTime::currentTime(), ip, queries, false, 0, SessionPool::Lane::Operator);
    return true;
}

void StatusMonitor::updateFromAnswer(const QString &ip, const QString &key, const QString &value)
{
    const int row = m_model->rowOfAddress(ip);
    if (row < 0)
        return;
    const int column = StatusAnswerMap::columnForKey(key);
    if (column >= 0) {
        // A projector's value is a few words; a flood does not go into a cell.
        const QByteArray source = value.left(MaxCellLength).toUtf8();
        m_model->setCell(row, column, QCoreApplication::translate("TableModelStatus", source.constData()));
    }
    // The life belongs to the answering projector's own model, not to the
    // one selected in the tree. (The target sweep's model answer comes before
    // the catalogue is loaded; the status sweep's finds it.)
    if (StatusAnswerMap::keyCarriesModel(key))
        refreshLife(row, ip);
}

void StatusMonitor::refreshLife(int row, const QString &ip)
{
    // Only the rows of exactly this projector count.
    const QString life = m_catalogue->lookupCatalogue(
        CommandCatalogue::ValueColumn, StatusAnswerMap::lifeFunctionName(), CommandCatalogue::FunctionNameColumn, ip);
    if (!life.isEmpty())
        m_model->setCell(row, TableModelStatus::LifeColumn, life);
}

void StatusMonitor::switchAll(PowerSwitchRule::Direction direction)
{
    const QStringList addresses = m_dispatch->connectedIPs();
    if (addresses.isEmpty() || m_walk->isRunning())
        return;
    if (m_confirmation && !m_confirmation(direction))
        return;
    // The box ran an event loop: a walk may have begun meanwhile.
    if (m_walk->isRunning())
        return;
    emit sigLog(PowerSwitchRule::headerLine(direction, QTime::currentTime()));
    m_walk->setSendingEnabled(m_dispatch->sendingEnabled());
    emit sigSwitchConfirmed(direction, m_dispatch->connectedIPs());
    const QStringList op = m_dispatch->connectedIPs();
    m_walk->start(direction, m_pjlinkDirectory ? m_pjlinkDirectory->opOnly(op) : op, m_dispatch->port());
}

bool StatusMonitor::isSwitching() const
{
    return m_walk->isRunning();
}

bool StatusMonitor::exportStatus(const QDateTime &now)
{
    const QString path = StatusExport::filePath(m_userDataFolder, now);
    if (!StatusExport::write(path, StatusExport::lines(*m_model, TableModelStatus::LifeColumn))) {
        OLOG_ERROR() << "Status export failed:" << path;
        return false;
    }
    emit sigStatusMessage(tr("Status Exported!"));
    if (m_folderOpener)
        m_folderOpener(m_userDataFolder);
    return true;
}

QProgressBar *StatusMonitor::createPollBar(QWidget *parent)
{
    m_pollBar = new QProgressBar(parent);
    m_pollBar->setObjectName(QStringLiteral("progressBarStatusPoll"));
    m_pollBar->setRange(0, m_pollMinutes * 60);
    m_pollBar->setValue(0);
    m_pollBar->setTextVisible(true);
    m_pollBar->setAlignment(Qt::AlignCenter);
    m_pollBar->setFormat(ClockText::countdown(0));
    m_pollBar->setStyleSheet(QStringLiteral("QProgressBar{font-weight:bold;background-color:#F06060;"
                                            "border:2px solid #606060;border-radius:6px;margin:3px;}"));
    return m_pollBar;
}

void StatusMonitor::showCountdown()
{
    if (!m_pollBar)
        return;
    const int secondsLeft = m_pollTimer->isActive() ? m_pollTimer->remainingTime() / 1000 : 0;
    if (secondsLeft == m_shownSeconds)
        return;
    m_shownSeconds = secondsLeft;
    m_pollBar->setFormat(ClockText::countdown(secondsLeft));
    m_pollBar->setValue(secondsLeft);
}
