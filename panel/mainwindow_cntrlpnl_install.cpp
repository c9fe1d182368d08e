// Main window: the control panel's Install tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_InstallInit()
{
    m_controlPanel->initTab(PanelTabs::Install);
}

void MainWindow::tabWidgetCntrlPnl_InstallRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Install);
}

void MainWindow::tabWidgetCntrlPnl_InstallUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Install);
}

void MainWindow::slotCntrlPnl_InstallChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::Install, widget);
}
