// Main window: the control panel's Lens tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_LensInit()
{
    m_controlPanel->initTab(PanelTabs::Lens);
}

void MainWindow::tabWidgetCntrlPnl_LensRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Lens);
}

void MainWindow::tabWidgetCntrlPnl_LensUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Lens);
}

void MainWindow::slotCntrlPnl_LensChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::Lens, widget);
}
