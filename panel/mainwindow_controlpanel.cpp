// Main window: the control panel's frame (tabs, passcode, refresh, files).
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "monitor/errorcodedictionary.h"
#include "net/batchprogress.h"
#include "net/commanddispatch.h"
#include "panel/controlpanel.h"

#include <QLabel>

void MainWindow::initControlPanel()
{
    m_controlPanel = new ControlPanel(ui->tabWidgetControlPanel, m_catalogue, m_dispatch, this);
    m_controlPanel->setConfigFolder(AppFolders::configFolder());
    m_controlPanel->setDialogParent(this);
    m_controlPanel->setTarget(currentTargetIp());
    setupPJLinkPanel();
    connect(this, &MainWindow::sigEndStatusBar, this, &MainWindow::slotUpdateControlPanelGUI);
    connect(m_controlPanel, &ControlPanel::sigLog, this, &MainWindow::displayLogMessage);
    connect(m_controlPanel, &ControlPanel::sigStatus, this, &MainWindow::displayStatusMessage);
    connect(m_controlPanel, &ControlPanel::sigBatchTitle, m_statusLabel, &QLabel::setText);
    // The service tab explains its error code like the status page does; a
    // colour reset is followed by the status refresh.
    m_controlPanel->setErrorDecoder(&ErrorCodeDictionary::decodeErrorCode);
    connect(m_controlPanel, &ControlPanel::sigStatusRefresh, this, &MainWindow::on_actionRefreshStatus_triggered);
    if (ui->tabWidgetControlPanel->isVisible())
        tabWidgetCntrlPnl_InfoInit();
}

ControlPanel *MainWindow::controlPanel() const
{
    return m_controlPanel;
}

void MainWindow::on_tabWidgetControlPanel_tabBarClicked(int index)
{
    m_controlPanel->tabBarClicked(index);
}

void MainWindow::slotUpdateControlPanelGUI()
{
    m_controlPanel->refreshCurrent();
}

void MainWindow::showBatchProgress(const QString &title, const QStringList &commands)
{
    m_statusLabel->setText(title);
    m_dispatch->batchProgress()->start(commands.size());
}

void MainWindow::ImportFileToSettings(int index)
{
    m_controlPanel->importSettings(index);
}
