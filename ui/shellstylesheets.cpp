#include "ui/shellstylesheets.h"

namespace ShellStyleSheets {

QString centralWidget(bool dark)
{
    QString sheet = QStringLiteral(
        "QPushButton{padding:4px;border:1px solid gray;border-radius:8px}"
        "QPushButton:hover{background-color:teal}"
        "QToolTip{color:lightgray;background-color:darkCyan;border:0px}"
        "QComboBox:hover,QLineEdit:hover{background-color:teal}"
        "QComboBox:disabled{background-color:#505050}"
        "QPlainTextEdit{border-radius:2px;border:2px solid #404040}"
        "QTabWidget::pane{border-top:2px solid gray;}"
        "QTabBar::tab{height:24;}"
        "QTabBar::tab:hover{background:teal;border-top-left-radius:8px;border-top-right-radius:8px;padding:6px;"
        "font:bold}"
        "QTabBar::tab:selected{color:white;background:#606060;border-top-left-radius:8px;border-top-right-radius:"
        "8px;padding:6px;font:bold}"
        "QTabBar::tab:!selected{padding:6px;border:0px;color:#a0a0a0;}"
        "QTableView{font:normal;font-family:Arial;color:gray} QTableView::disabled{color:teal}"
        "QTableView{selection-color:white;}"
        "QTreeView{color:gray;selection-color:white;} QTreeView::checked{color:red}"
        "QSlider::groove:horizontal{background:teal;height:14px;border-radius: 4px;}"
        "QSlider::groove:horizontal:focus{background:cyan;height:14px;border-radius: 4px;}"
        "QSlider::groove:horizontal:disabled{background:#505050;height:10px;border-radius: 4px;}"
        "QSlider::handle:horizontal{background:orange;border: 1px solid gray;width:16px;}"
        "QSlider::handle:horizontal:disabled {background:#383838;border: 1px solid gray;width:16px;}"
        "QGroupBox:disabled{color:gray}"
        "QRadioButton:disabled{color:gray}");
    if (!dark)
        sheet += QStringLiteral("QTableView{color:#202020}QTreeView{color:#202020}"
                                "QComboBox:hover,QLineEdit:hover{background-color:#bfe3e3}"
                                "QPushButton:hover{background-color:#9fd3d3}");
    return sheet;
}

QString toolBar()
{
    return QStringLiteral("QToolBar{padding:1;border:0} QToolBar::separator{width:48px}"
                          "QToolTip{color:lightgray;background-color:darkCyan;border:0}");
}

QString toolButtons(bool dark)
{
    QString sheet = QStringLiteral("QToolButton{width:52px;background:#383838;border-top-left-radius:8px;"
                                   "border-top-right-radius:8px;} QToolButton:checked{background:#808080;}");
    if (!dark)
        // Whole rounded tiles: the dark look's tab shape, drawn with a frame
        // on a light toolbar, read as tabs cut off at the bottom.
        sheet += QStringLiteral("QToolButton{background:#e8e8e8;border:1px solid #a8a8a8;border-radius:8px;"
                                "margin:1px;padding:0px;color:#202020}"
                                "QToolButton:checked{background:#9ccfcf;border-color:#4f8f8f;}"
                                "QToolButton:hover{background:#c4e4e4;}");
    return sheet + QStringLiteral("QToolButton#qt_toolbar_ext_button{width:20px;background:transparent;border:0px}");
}

QString statusBarLabels()
{
    return QStringLiteral("QStatusBar QLabel{font:bold;font-family:Arial}");
}

QString stackedWidgetDark()
{
    return QStringLiteral("QFrame{background:#383838;border:0px}");
}

QString frameButtonBoxDark()
{
    return QStringLiteral("QFrame{background:#505050;border:0px}");
}

QString splash()
{
    return QStringLiteral("font:bold;font-family:Arial");
}

QString dialogButtons()
{
    return QStringLiteral("QPushButton{border:2px solid gray;border-radius:8px}"
                          "QPushButton:hover{background-color:teal}");
}

QString errorCodeLabelIdle()
{
    return QStringLiteral("QLabel{color:grey;font-weight:bold}");
}

} // namespace ShellStyleSheets
