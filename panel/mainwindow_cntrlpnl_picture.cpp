// Main window: the control panel's Picture tab.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "panel/controlpanel.h"

void MainWindow::tabWidgetCntrlPnl_PictureInit()
{
    m_controlPanel->initTab(PanelTabs::Picture);
}

void MainWindow::tabWidgetCntrlPnl_PictureRequestNewData()
{
    m_controlPanel->requestTab(PanelTabs::Picture);
}

void MainWindow::tabWidgetCntrlPnl_PictureUpdateGUI()
{
    m_controlPanel->updateTab(PanelTabs::Picture);
}

void MainWindow::slotCntrlPnl_PictureChanged(QWidget *widget)
{
    m_controlPanel->changed(PanelTabs::Picture, widget);
}

void MainWindow::CntrlPnl_PictureSliderValueUpdate(QWidget *slider)
{
    m_controlPanel->showSliderValue(slider);
}

void MainWindow::on_pushbuttonExportPicture_clicked()
{
    m_controlPanel->exportSettings(PanelTabs::Picture);
}

void MainWindow::on_pushbuttonImportPicture_clicked()
{
    ImportFileToSettings(PanelTabs::Picture);
}
