// Main window: the control panel's EdgeBlend tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_EdgeBlendInit()
{
    m_controlPanel->initTab(PanelTabs::EdgeBlend);
}

void MainWindow::tabWidgetCntrlPnl_EdgeBlendRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::EdgeBlend);
}

void MainWindow::tabWidgetCntrlPnl_EdgeBlendUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::EdgeBlend);
}

void MainWindow::slotCntrlPnl_EdgeBlendChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::EdgeBlend, widget);
}

void MainWindow::CntrlPnl_EdgeBlendSliderValueUpdate(QWidget *slider)
{
    m_controlPanel->showSliderValue(slider);
}

void MainWindow::on_pushbuttonExportEdgeBlend_clicked()
{
    m_controlPanel->exportSettings(PanelTabs::EdgeBlend);
}

void MainWindow::on_pushbuttonImportEdgeBlend_clicked()
{
    ImportFileToSettings(PanelTabs::EdgeBlend);
}
