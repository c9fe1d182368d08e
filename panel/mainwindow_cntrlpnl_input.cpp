// Main window: the control panel's Input tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_InputInit()
{
    m_controlPanel->initTab(PanelTabs::Input);
}

void MainWindow::tabWidgetCntrlPnl_InputRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Input);
}

void MainWindow::tabWidgetCntrlPnl_InputUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Input);
}

void MainWindow::slotCntrlPnl_InputChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::Input, widget);
}
