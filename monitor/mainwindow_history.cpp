// Main window: fleet history and alerts. The history lives in
// HistoryService (its own thread), the alert rules and mail in AlertCenter;
// this is the glue between them, the status sweeps and the widgets.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "automation/scripthost.h"
#include "monitor/dialogfleethistory.h"
#include "monitor/dialoghistory.h"
#include "monitor/errorcodedictionary.h"
#include "monitor/history/alertcenter.h"
#include "monitor/history/alertsini.h"
#include "monitor/history/historyrecorder.h"
#include "monitor/history/historyservice.h"
#include "monitor/pjlinkmonitor.h"
#include "monitor/pjlinkstatuscells.h"
#include "monitor/statusmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "net/grouptree.h"

#include <QDir>
#include <QMenu>
#include <QSystemTrayIcon>

void MainWindow::setupHistory()
{
    const AlertsIni ini = AlertsIni::read(m_settings.iniPath);
    m_historyIni = ini.historyEnabled;
    m_historyRetention = ini.retentionDays;
    m_history = new HistoryService(this);
    m_alerts = new AlertCenter(this);
    m_alerts->setSettings(ini.alerts, ini.mail);
    m_alerts->setErrorDecoder(&ErrorCodeDictionary::explain);
    m_alerts->setDescriber([this](const QString &ip) {
        const int row = m_status->model()->rowOfAddress(ip);
        return AlertMessage::Projector{projectorName(ip),
                                       row < 0 ? QString() : m_status->model()->cell(row, TableModelStatus::ModelColumn)};
    });
    connect(m_alerts, &AlertCenter::sigLog, this, &MainWindow::displayLogMessage);
    connect(m_alerts, &AlertCenter::sigNotify, this, &MainWindow::showAlertNotice);

    m_historyRecorder = new HistoryRecorder(m_status->model(), this);
    // A PJLink row's Err cell holds words ("OK", "Lamp error"), not a code.
    m_historyRecorder->setErrorReading([this](const QString &ip, const QString &cell) {
        return m_pjlink && m_pjlink->directory()->isPJLink(ip) ? PJLinkStatusCells::errorReading(cell) : cell;
    });
    connect(m_status, &StatusMonitor::sigTaskStarted, m_historyRecorder, &HistoryRecorder::sweepStarted);
    connect(m_historyRecorder, &HistoryRecorder::sigSweepRecorded, this,
            [this](const QVector<ProjectorState> &states, const QVector<AlertInput> &inputs) {
                m_history->recordSweep(states);
                m_alerts->sweepEnded(inputs);
            });
    if (m_scriptHost) {
        connect(m_scriptHost, &ScriptHost::sigScriptEnded, this, [this](const QString &name, bool ok) {
            if (!ok)
                m_alerts->jobFailed(name, tr("the script stopped with an error"));
        });
    }
    auto off = [this](const QString &reason) {
        displayLogMessage(QStringLiteral("!") + tr("History is off: %1").arg(reason));
        displayStatusMessage(tr("History is off: %1").arg(reason));
    };
    connect(m_history, &HistoryService::sigStarted, this, [off](bool on, const QString &reason) {
        if (!on)
            off(reason);
    });
    connect(m_history, &HistoryService::sigTurnedOff, this, off);

    auto *fleet = new QAction(tr("Fleet History…"), this);
    fleet->setObjectName(QStringLiteral("actionFleetHistory"));
    connect(fleet, &QAction::triggered, this, [this] { openFleetHistory(); });
    ui->menuView->addSeparator();
    ui->menuView->addAction(fleet);

    ui->tableViewStatus->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tableViewStatus, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = ui->tableViewStatus->indexAt(pos);
        if (!index.isValid())
            return;
        const QString ip = index.sibling(index.row(), TableModelStatus::AddressColumn).data().toString();
        auto *menu = new QMenu(ui->tableViewStatus);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(tr("History…"), this, [this, ip] { openProjectorHistory(ip); });
        menu->addAction(tr("Fleet History…"), this, [this] { openFleetHistory(); });
        menu->popup(ui->tableViewStatus->viewport()->mapToGlobal(pos));
    });
    m_groupTree->setProjectorMenuExtender([this](QMenu *menu, const QString &ip) {
        menu->addSeparator();
        menu->addAction(tr("History…"), this, [this, ip] { openProjectorHistory(ip); });
    });
}

void MainWindow::startHistory()
{
    m_history->start(QDir(AppFolders::userDataFolder()).filePath(QStringLiteral("History.sqlite")), m_historyIni,
                     m_historyRetention);
}

QString MainWindow::projectorName(const QString &ip) const
{
    const QTreeWidget *tree = ui->treeWidgetGroupIP;
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        const QTreeWidgetItem *group = tree->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i) {
            if (group->child(i)->text(GroupTree::ColumnIP) == ip) {
                const QString name = group->child(i)->text(GroupTree::ColumnName);
                return name.isEmpty() ? group->text(GroupTree::ColumnGroup)
                                      : group->text(GroupTree::ColumnGroup) + QLatin1Char('/') + name;
            }
        }
    }
    return QString();
}

DialogHistory *MainWindow::openProjectorHistory(const QString &ip)
{
    const QString name = projectorName(ip);
    auto *dialog = new DialogHistory(m_history, ip, name.isEmpty() ? ip : QStringLiteral("%1 (%2)").arg(name, ip), this);
    dialog->setErrorDecoder(&ErrorCodeDictionary::explain);
    dialog->setExportFolder(AppFolders::userDataFolder());
    dialog->show();
    return dialog;
}

DialogFleetHistory *MainWindow::openFleetHistory()
{
    auto *dialog = new DialogFleetHistory(
        m_history, [this](const QString &ip) { return projectorName(ip); },
        [this] {
            QHash<QString, int> lives;
            const TableModelStatus *table = m_status->model();
            for (int row = 0; row < table->rowCount(); ++row) {
                const int life = HistoryRecorder::hoursOf(table->cell(row, TableModelStatus::LifeColumn));
                if (life > 0)
                    lives.insert(table->cell(row, TableModelStatus::AddressColumn), life);
            }
            return lives;
        },
        this);
    dialog->setExportFolder(AppFolders::userDataFolder());
    dialog->show();
    return dialog;
}

void MainWindow::showAlertNotice(const QString &title, const QString &text)
{
    displayStatusMessage(text);
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(windowIcon(), this);
        m_tray->setToolTip(QStringLiteral("Orvanto"));
        m_tray->show();
    }
    m_tray->showMessage(title, text, QSystemTrayIcon::Warning);
}
