// Main window: the control panel's Service tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_ServiceInit()
{
    m_controlPanel->initTab(PanelTabs::Service);
}

void MainWindow::tabWidgetCntrlPnl_ServiceRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Service);
}

void MainWindow::tabWidgetCntrlPnl_ServiceUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Service);
}
