// Main window: the control panel's Control tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_ControlInit()
{
    m_controlPanel->initTab(PanelTabs::Control);
}

void MainWindow::tabWidgetCntrlPnl_ControlRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Control);
}

void MainWindow::tabWidgetCntrlPnl_ControlUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Control);
}

void MainWindow::slotCntrlPnl_ControlChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::Control, widget);
}
