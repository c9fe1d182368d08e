// Main window: command dispatch, answers, the group tree, discovery and the
// target search. The logic lives in the owners (CommandDispatch, GroupTree,
// UdpDiscovery, TargetSearch); this is the glue to the form.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/orvlog/OrvLog.h"
#include "net/answerline.h"
#include "net/batchprogress.h"
#include "net/commanddispatch.h"
#include "net/cataloguefiles.h"
#include "net/discoveryreply.h"
#include "net/groupipfile.h"
#include "net/grouptree.h"
#include "monitor/pjlinkmonitor.h"
#include "net/pjlinklistener.h"
#include "monitor/statusmonitor.h"
#include "net/ipfinder.h"
#include "net/targetsearch.h"
#include "net/udpdiscovery.h"
#include "app/appfolders.h"
#include "ui/splashwindow.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

void MainWindow::sendMyTcpCmd(const QString &ip, const QString &command, quint16 port)
{
    // A PJLink projector gets a PJLink line on its own port.
    if (m_pjlink && m_pjlink->sendLine(ip, command))
        return;
    m_dispatch->sendCommand(ip, command, port);
}

void MainWindow::sendMyTcpCmdList(const QTime &stamp, const QString &ip, const QStringList &commands, quint16 port,
                                  bool hideOnDisconnect)
{
    m_dispatch->sendCommandList(stamp, ip, commands, hideOnDisconnect, port);
}

void MainWindow::hideBatchProgress()
{
    m_statusLabel->hide();
    m_statusProgress->hide();
}

QStringList MainWindow::getPjAnserBlocked(const QString &ip, quint16 port, const QString &command) const
{
    return m_dispatch->askBlocked(ip, command, port);
}

int MainWindow::getPowerState(const QString &ip, quint16 port)
{
    return m_dispatch->powerState(ip, port);
}

QStringList MainWindow::connectedIPs() const
{
    return m_dispatch->connectedIPs();
}

void MainWindow::slotCmdResult(const QString &ip, const QString &result)
{
    const AnswerLine answer(result);
    if (answer.hasKeyValue()) {
        updateTreeFromAnswer(ip, answer.key(), answer.value());
        updateStatusFromAnswer(ip, answer.key(), answer.value());
        if (answer.isOpAnswer()) {
            const QString op = answer.opWord();
            if (answer.opCarriesModel()) {
                loadCatalogueForIP(ip, answer.value());
                if (m_consoleTarget.modelAnswered(ip, answer.value()) && ip == currentTargetIp())
                    showTargetCategories(ip);
            }
            updateCatalogueValue(ip, op, answer.value());
            m_dispatch->batchProgress()->advance();
        }
    }
    m_lastResult = result;
}

void MainWindow::updateTreeFromAnswer(const QString &ip, const QString &key, const QString &value)
{
    m_groupTree->updateFromAnswer(ip, key, value);
}

void MainWindow::updateStatusFromAnswer(const QString &ip, const QString &key, const QString &value)
{
    m_status->updateFromAnswer(ip, key, value);
}

void MainWindow::on_pushButton_SendCmd_clicked()
{
    if (ui->lineEdit_OpCmd->text().trimmed().isEmpty()) {
        showConsoleRefusal(tr("Nothing sent: the command field is empty"));
        return;
    }
    sendMyTcpCmd(ui->comboboxIP->currentText(), ui->lineEdit_OpCmd->text(), quint16(m_settings.tcpPort));
}

void MainWindow::checkConnectableIPs(const QStringList &addresses)
{
    OLOG_INFO() << "Finding Connectable Ip at TCP port" << m_settings.tcpPort;
    QStringList probed = addresses;
    probed.removeAll(QString());
    m_targetSearch->checkAddresses(probed);
}

bool MainWindow::searchTargets()
{
    return m_targetSearch->search(m_settings.localIP, m_settings.ipTotal);
}

void MainWindow::searchStarted(int kind)
{
    // One scan at a time: the action comes back when this one has ended.
    ui->actionSearch->setEnabled(false);
    if (kind != TargetSearch::RangeSearch)
        return;
    m_searchLabel->setText(tr("Searching targets       "));
    m_searchProgress->setValue(0);
    m_searchLabel->show();
    m_searchProgress->show();
}

void MainWindow::searchFinished(int kind, const QStringList &found)
{
    if (kind == TargetSearch::StartupCheck) {
        OLOG_INFO() << "Found IP:" << found.size();
        ui->actionSearch->setEnabled(true);
        return;
    }
    m_searchLabel->hide();
    m_searchProgress->hide();
    statusBar()->setStyleSheet(QStringLiteral("QStatusBar{color:cyan}"));
    statusBar()->showMessage(tr("Found target: ") + QString::number(found.size()), 2000);
    ui->actionSearch->setEnabled(true);
    // What the search action does with the result: the "Found" group shows
    // the merged list, so nothing discovery found drops out of it.
    if (!found.isEmpty())
        checkFoundGroup(m_dispatch->connectedIPs());
    slotStartUdpBroadcast();
    QTimer::singleShot(500, this, &MainWindow::slotStartUdpBroadcast);
    QTimer::singleShot(1500, this, &MainWindow::slotStartUdpBroadcast);
    QTimer::singleShot(2000, this, &MainWindow::sigSearchStatusCheck);
    emit sigSearchFinished(found);
}

void MainWindow::fillConnectableIPs()
{
    // Follows the dispatcher's list (sigUpdateConnectedIP, once per turn).
    const QStringList addresses = m_dispatch->connectedIPs();
    const bool any = !addresses.isEmpty();
    const int shown = ui->comboboxIP->count();
    if (shown > 0 && shown < addresses.size() && ui->comboboxIP->itemText(shown - 1) == addresses.at(shown - 1) &&
        ui->comboboxIP->itemText(0) == addresses.at(0)) {
        // The list grew at its end (discovery, a search): only the new ones.
        ui->comboboxIP->addItems(addresses.mid(shown));
    } else if (any) {
        // The console keeps its target when the list changes.
        const QString current = ui->comboboxIP->currentText();
        ui->comboboxIP->clear();
        ui->comboboxIP->addItems(addresses);
        const int index = ui->comboboxIP->findText(current);
        if (index >= 0)
            ui->comboboxIP->setCurrentIndex(index);
    }
    ui->comboboxIP->setEnabled(any);
    ui->pushButton_SendCmd->setEnabled(any);
    m_dispatch->setSendingEnabled(any);
}

void MainWindow::slotFoundIP(const QString &ip, int ms, int percent)
{
    // The tree follows the connected list, which the search fills.
    Q_UNUSED(ip)
    if (ms >= 1)
        m_targetFound = true;
    if (!m_searchProgress->isHidden())
        m_searchProgress->setValue(percent);
    if (m_splash)
        m_splash->showMessage(tr("Searching:%1%").arg(percent), Qt::AlignTop | Qt::AlignHCenter,
                              m_targetFound ? Qt::darkGreen : Qt::black);
}

void MainWindow::on_actionSearch_triggered()
{
    // What is connected stays so until the search learns otherwise.
    searchTargets();
}

void MainWindow::on_actionSave_triggered()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save GroupIP As"), GroupIpFile::filePath(AppFolders::configFolder()),
                                     tr("CSV(*.csv)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    QString error;
    if (!m_groupTree->save(path, &error)) {
        QMessageBox box(QMessageBox::Critical, tr("Error"), tr("Cannot write file %1:\n%2.").arg(path, error),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

void MainWindow::slotStartUdpBroadcast()
{
    m_udpDiscovery->broadcastRequest();
    if (m_pjlinkListener)
        m_pjlinkListener->search();
}

void MainWindow::slotUdpRX(const QString &text)
{
    if (m_udpDiscovery->handleReply(text))
        displayStatusMessage(text);
}

void MainWindow::UdpFoundIP(const QString &ip, const QString &model, const QString &serial, const QString &mac)
{
    m_groupTree->udpFoundIP(ip, model, serial, mac);
    // The model picks the catalogue file: only a plain name, never a path.
    if (m_dispatch->isConnected(ip) && DiscoveryReply::isPlainModelName(model)) {
        loadCatalogueForIP(ip, model);
        if (m_consoleTarget.modelAnswered(ip, model) && ip == currentTargetIp())
            showTargetCategories(ip);
    }
}

void MainWindow::checkFoundGroup(const QStringList &ips)
{
    m_groupTree->checkFoundGroup(ips);
}

void MainWindow::slotGroupIpContextMenu(const QPoint &pos)
{
    m_groupTree->showContextMenu(pos);
}

void MainWindow::slotAddGroup_triggered()
{
    m_groupTree->addGroup();
}

void MainWindow::slotDelGroup_triggered()
{
    m_groupTree->deleteGroup();
}

void MainWindow::slotAddIP_triggered()
{
    m_groupTree->addIP();
}

void MainWindow::slotDelIP_triggered()
{
    m_groupTree->deleteIP();
}

void MainWindow::on_treeWidgetGroupIP_itemClicked(QTreeWidgetItem *item, int column)
{
    m_groupTree->itemClicked(item, column);
}
