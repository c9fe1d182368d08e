// Main window: command dispatch, answers and the start-up connection check.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/orvlog/OrvLog.h"
#include "net/answerline.h"
#include "net/batchprogress.h"
#include "net/commanddispatch.h"
#include "net/cataloguefiles.h"
#include "monitor/statusmonitor.h"
#include "net/ipfinder.h"
#include "ui/splashwindow.h"

#include <QLabel>
#include <QProgressBar>

void MainWindow::sendMyTcpCmd(const QString &ip, const QString &command, quint16 port)
{
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
    // The group tree will take the model and serial number of its row here.
    Q_UNUSED(ip)
    Q_UNUSED(key)
    Q_UNUSED(value)
}

void MainWindow::updateStatusFromAnswer(const QString &ip, const QString &key, const QString &value)
{
    m_status->updateFromAnswer(ip, key, value);
}

void MainWindow::on_pushButton_SendCmd_clicked()
{
    sendMyTcpCmd(ui->comboboxIP->currentText(), ui->lineEdit_OpCmd->text(), quint16(m_settings.tcpPort));
}

void MainWindow::checkConnectableIPs(const QStringList &addresses)
{
    OLOG_INFO() << "Finding Connectable Ip at TCP port" << m_settings.tcpPort;
    m_dispatch->setConnectedIPs(m_ipFinder->scan(addresses));
    OLOG_INFO() << "Found IP:" << m_dispatch->connectedIPs();
    fillConnectableIPs();
}

void MainWindow::fillConnectableIPs()
{
    const QStringList addresses = m_dispatch->connectedIPs();
    const bool any = !addresses.isEmpty();
    if (any) {
        ui->comboboxIP->clear();
        ui->comboboxIP->addItems(addresses);
    }
    ui->comboboxIP->setEnabled(any);
    ui->pushButton_SendCmd->setEnabled(any);
    m_dispatch->setSendingEnabled(any);
}

void MainWindow::slotFoundIP(const QString &ip, int ms, int percent)
{
    if (ms >= 1) {
        if (!markTreeConnected(ip))
            return;
        m_targetFound = true;
    }
    if (m_splash)
        m_splash->showMessage(tr("Searching:%1%").arg(percent), Qt::AlignTop | Qt::AlignHCenter,
                              m_targetFound ? Qt::darkGreen : Qt::black);
}

bool MainWindow::markTreeConnected(const QString &ip)
{
    // The group tree will show its rows of ip as connected here; until then
    // the addresses of GroupIP.csv stand for its rows.
    return m_inventoryIPs.contains(ip);
}
