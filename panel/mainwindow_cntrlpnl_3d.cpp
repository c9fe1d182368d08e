// Main window: the control panel's 3d tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_3dInit()
{
    m_controlPanel->initTab(PanelTabs::ThreeD);
}

void MainWindow::tabWidgetCntrlPnl_3dRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::ThreeD);
}

void MainWindow::tabWidgetCntrlPnl_3dUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::ThreeD);
}

void MainWindow::slotCntrlPnl_3dChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::ThreeD, widget);
}
