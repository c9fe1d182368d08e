// Main window: the control panel's Geometry tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_GeometryInit()
{
    m_controlPanel->initTab(PanelTabs::Geometry);
}

void MainWindow::tabWidgetCntrlPnl_GeometryRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Geometry);
}

void MainWindow::tabWidgetCntrlPnl_GeometryUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Geometry);
}

void MainWindow::slotCntrlPnl_GeometryChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::Geometry, widget);
}

void MainWindow::CntrlPnl_GeometrySliderValueUpdate(QWidget *slider)
{
    m_controlPanel->showSliderValue(slider);
}

void MainWindow::on_pushbuttonExportGeometry_clicked()
{
    m_controlPanel->exportSettings(PanelTabs::Geometry);
}

void MainWindow::on_pushbuttonImportGeometry_clicked()
{
    ImportFileToSettings(PanelTabs::Geometry);
}

void MainWindow::processGeoPushBtn(QWidget *button)
{
    m_controlPanel->stepGeometry(button);
}
