// Main window: the control panel's Info tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_InfoInit()
{
    m_controlPanel->initTab(PanelTabs::Info);
}

void MainWindow::tabWidgetCntrlPnl_InfoRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Info);
}

void MainWindow::tabWidgetCntrlPnl_InfoUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Info);
}

void MainWindow::slotCntrlPnl_InfoChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::Info, widget);
}

void MainWindow::slotUpdateLampPixmap()
{
    m_controlPanel->updateLampPixmap();
}
