// Main window: the status page, status polling, the error-code dictionary
// and All On / All Off. The logic lives in StatusMonitor; this is the glue
// between it and the widgets of the form.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "monitor/dialogselectcommands.h"
#include "monitor/errorcodedictionary.h"
#include "monitor/pjlinkmonitor.h"
#include "monitor/powerswitchconfirmation.h"
#include "monitor/statusbardelegate.h"
#include "monitor/statusmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "net/batchprogress.h"
#include "net/cataloguefiles.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "net/grouptree.h"

#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>
#include <QUrl>

namespace {

constexpr int StatusRowHeight = 24;
const int StatusColumnWidths[] = {100, 100, 150, 70, 50, 150, 1, 50, 150};

} // namespace

void MainWindow::setupStatusMonitor()
{
    m_status = new StatusMonitor(m_dispatch, m_catalogue, this);
    m_status->setPollMinutes(m_settings.statusPoll);
    m_status->setUserDataFolder(AppFolders::userDataFolder());
    m_status->setConfirmation(
        [this](PowerSwitchRule::Direction direction) { return PowerSwitchConfirmation::ask(this, direction); });
    m_status->setFolderOpener([](const QString &folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
    // The console's address box follows the connected list.
    connect(m_dispatch, &CommandDispatch::sigUpdateConnectedIP, this, [this] { fillConnectableIPs(); });
    connect(m_status, &StatusMonitor::sigLog, this, &MainWindow::displayLogMessage);
    connect(m_status, &StatusMonitor::sigStatusMessage, this, &MainWindow::displayStatusMessage);
    connect(m_status, &StatusMonitor::sigTaskStarted, this, &MainWindow::startConsoleTask);
    connect(m_status, &StatusMonitor::sigStatusSweepSent, this, [this](const QStringList &connected) {
        // Nothing picked yet: the first connected projector becomes the
        // target, as if the operator had clicked it.
        if (m_consoleTarget.currentIp().isEmpty() && !connected.isEmpty()) {
            OLOG_DEBUG() << "Init TreeIP Index:" << connected.first();
            // Quietly: nobody asked for it, so no "Match not found!" box.
            QScopedValueRollback<bool> quiet(m_inStatusRowClick, true);
            selectTarget(connected.first());
            const QModelIndex row = findStatusRow(TableModelStatus::AddressColumn, connected.first());
            if (row.isValid())
                ui->tableViewStatus->setCurrentIndex(row);
        }
    });
    // A saved tree is the new list of monitored projectors; a search ends
    // with a status check of what it found.
    connect(m_groupTree, &GroupTree::sigTreeSaved, this, [this] {
        initStatusTable();
        emit sigUpdateConnectedIP(m_dispatch->connectedIPs());
        slotCheckStatus();
    });
    connect(this, &MainWindow::sigSearchStatusCheck, this, &MainWindow::slotCheckStatus);
    m_knownModels = CatalogueFiles::knownModels(pluginFolder());
    initStatusTable();
}

void MainWindow::initStatusTable()
{
    // One row per projector checked in the group tree.
    m_status->rebuild(m_groupTree->checkedAddresses());

    QTableView *view = ui->tableViewStatus;
    if (view->model() != m_status->model()) {
        view->setModel(m_status->model());
        view->setItemDelegate(new StatusBarDelegate(view));
        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &MainWindow::onCurrentStatusRowChanged);
    }
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(StatusRowHeight);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAlternatingRowColors(true);
    for (int column = 0; column < TableModelStatus::ColumnCount; ++column)
        view->setColumnWidth(column, StatusColumnWidths[column]);
    view->setColumnHidden(TableModelStatus::LifeColumn, true);
    view->selectRow(0);
}

void MainWindow::startStatusPolling()
{
    m_status->startPolling();
    ui->lineEditErrCode->setInputMask(QStringLiteral("HHHH"));
    ui->lineEditErrCode->setPlaceholderText(QStringLiteral("0000"));
    // Room for the four digits in either look, however the row is squeezed.
    ui->lineEditErrCode->setMinimumWidth(ui->lineEditErrCode->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                                         24);
    ui->labelErrCode->setStyleSheet(QStringLiteral("QLabel{color:grey;font-weight:bold}"));
}

void MainWindow::slotCheckStatus()
{
    m_status->sweep();
}

void MainWindow::slotCheckStatusModelSerial()
{
    m_status->targetSweep();
}

QModelIndex MainWindow::findStatusRow(int column, const QString &text) const
{
    const TableModelStatus *model = m_status->model();
    if (column == TableModelStatus::AddressColumn) {
        const int row = model->rowOfAddress(text);
        return row < 0 ? QModelIndex() : model->index(row, column);
    }
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->cell(row, column).contains(text))
            return model->index(row, column);
    }
    return QModelIndex();
}

void MainWindow::findStatusTableWithIP(const QString &ip)
{
    if (m_inStatusRowClick || !m_dispatch->isConnected(ip))
        return;
    const QModelIndex found = findStatusRow(TableModelStatus::AddressColumn, ip);
    OLOG_DEBUG() << "findStatusTableWithIP"
                 << "Matching row:" << found.row() << (found.isValid() ? "true" : "false");
    if (!found.isValid()) {
        QMessageBox::information(this, tr("Name Search:"), tr("Match not found!"));
        return;
    }
    ui->tableViewStatus->setCurrentIndex(found);
    ui->tableViewStatus->selectRow(found.row());
    handleStatusRowClick(found.row());
}

void MainWindow::onCurrentStatusRowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    qDebug() << "Previous row:" << previous.row();
    qDebug() << "New row:" << current.row();
}

void MainWindow::on_tableViewStatus_clicked(const QModelIndex &index)
{
    if (index.isValid())
        handleStatusRowClick(index.row());
}

void MainWindow::handleStatusRowClick(int row)
{
    const TableModelStatus *model = m_status->model();
    const QString ip = model->cell(row, TableModelStatus::AddressColumn);
    if (!m_dispatch->isConnected(ip)) {
        qDebug() << "on_tableViewStatus_clicked"
                 << "IP Not Connected!" << ip << ("(" + m_dispatch->connectedIPs().join(QStringLiteral(", ")) + ")");
        return;
    }
    const QString modelName = model->cell(row, TableModelStatus::ModelColumn);
    if (m_pjlink && m_pjlink->directory()->isPJLink(ip)) {
        // No op catalogue to show, and its error cell holds words, not a
        // code to decode: the click makes it the target of the panel and
        // the console.
        QScopedValueRollback<bool> inClick(m_inStatusRowClick, true);
        selectTarget(ip);
        const int box = ui->comboboxIP->findText(ip);
        if (box >= 0)
            ui->comboboxIP->setCurrentIndex(box);
        return;
    }
    qDebug() << ip << ("(" + m_knownModels.join(QStringLiteral(", ")) + ")");
    if (modelName.isEmpty() || !m_knownModels.contains(modelName)) {
        qDebug() << "Unknown model name:" << modelName;
        return;
    }
    {
        // The tree and the console follow; their status-row selection must
        // not come back into this click.
        QScopedValueRollback<bool> inClick(m_inStatusRowClick, true);
        selectTarget(ip);
    }
    showModelCategories(CatalogueFiles::catalogueFileName(modelName));
    const QString errorCode = model->cell(row, TableModelStatus::ErrorCodeColumn);
    if (!errorCode.isEmpty())
        ui->lineEditErrCode->setText(errorCode);
    const int box = ui->comboboxIP->findText(ip);
    if (box >= 0)
        ui->comboboxIP->setCurrentIndex(box);
    if (!m_catalogue->hasRowsForIP(ip))
        loadCatalogueForIP(ip, modelName);
}

void MainWindow::on_tableViewStatus_doubleClicked(const QModelIndex &index)
{
    const QString ip = m_status->model()->cell(index.row(), TableModelStatus::AddressColumn);
    qDebug() << "on_tableViewStatus_doubleClicked" << ip;
    if (m_pjlink && m_pjlink->directory()->isPJLink(ip))
        m_pjlink->sweep({ip});
    else
        m_status->refreshAddress(ip);
}

void MainWindow::on_actionRefreshStatus_triggered()
{
    if (ui->stackedWidgetMain->currentIndex() == PageCommander && ui->tableViewCmd->isVisible()) {
        refreshCommandPage();
        return;
    }
    if (ui->tableViewStatus->isVisible())
        slotCheckStatus();
    // The control panel refreshes itself for the target here.
}

QStringList MainWindow::shownCommandQueries() const
{
    // "op <op> ?" for every queryable row the command table shows, in its order.
    QStringList queries;
    for (int row = 0; row < m_cmdProxy->rowCount(); ++row) {
        const auto field = [this, row](int column) { return m_cmdProxy->index(row, column).data().toString(); };
        if (field(CommandCatalogue::QueryColumn).contains(QLatin1Char('?')))
            queries.append(QStringLiteral("op ") + field(CommandCatalogue::OpCommandColumn) + QStringLiteral(" ?"));
    }
    return queries;
}

void MainWindow::refreshCommandPage()
{
    const QStringList queries = shownCommandQueries();
    const QModelIndex current = ui->tableViewStatus->currentIndex();
    const QString ip =
        current.isValid() ? m_status->model()->cell(current.row(), TableModelStatus::AddressColumn) : QString();
    const QStringList connected = m_dispatch->connectedIPs();
    if (queries.isEmpty() || connected.isEmpty() || !connected.contains(ip))
        return;
    m_statusLabel->setText(tr("Checking Info.") + m_currentCategory);
    m_dispatch->batchProgress()->start(queries.size());
    const QTime stamp = QTime::currentTime();
    displayLogMessage(QStringLiteral("--- Check Info.(") + m_currentCategory + QStringLiteral(") ---") +
                      stamp.toString(Qt::TextDate));
    startConsoleTask(stamp, 1);
    OLOG_DEBUG() << "***Task list:" << stamp.toString(QStringLiteral("hh:mm:ss.zzz"))
                 << "Last:" << stamp.toString(QStringLiteral("hh:mm:ss.zzz"));
    sendMyTcpCmdList(stamp, ip, queries, quint16(m_settings.tcpPort), true);
}

void MainWindow::on_pushButtonExportStatus_clicked()
{
    if (!m_status->exportStatus(QDateTime::currentDateTime()))
        QMessageBox::critical(this, tr("Error"), tr("Log file save Error!"), QMessageBox::Ok);
}

void MainWindow::on_actionAllOn_triggered()
{
    m_status->switchAll(PowerSwitchRule::Direction::On);
}

void MainWindow::on_actionAllOff_triggered()
{
    m_status->switchAll(PowerSwitchRule::Direction::Off);
}

void MainWindow::on_lineEditErrCode_textChanged(const QString &text)
{
    qDebug() << "on_lineEditErrCode_textChanged"
             << "Error Code:" << text;
    ui->labelErrCode->setStyleSheet(ErrorCodeDictionary::labelStyleSheet(text, m_settings.darkStyle));
    ui->labelErrCode->setTextFormat(Qt::PlainText);
    ui->labelErrCode->setText(ErrorCodeDictionary::decodeErrorCode(text));
}

void MainWindow::on_tableWidgetPeriodScheduler_doubleClicked(const QModelIndex &index)
{
    Q_UNUSED(index)
    const QStringList available = shownCommandQueries();
    if (available.isEmpty())
        return;
    if (!m_dialogSelectCommands)
        m_dialogSelectCommands = new DialogSelectCommands(this);
    // The choice is shown, not yet applied: polling keeps its own queries.
    m_dialogSelectCommands->setCommands({QStringLiteral("op model ?"), QStringLiteral("op ser.no ?"),
                                         QStringLiteral("op status ?"), QStringLiteral("op errcode ?"),
                                         QStringLiteral("op total.hours ?"), QStringLiteral("op act.source ?"),
                                         QStringLiteral("op signal ?")},
                                        available);
    m_dialogSelectCommands->setWindowTitle(tr("Periodic Task Commands"));
    m_dialogSelectCommands->open();
}
