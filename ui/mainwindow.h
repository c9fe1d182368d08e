#pragma once

#include "app/appsettings.h"
#include "app/consolelogrules.h"
#include "net/consoletarget.h"
#include "net/netlocalinfo.h"

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QModelIndex>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QTime>

class QAbstractButton;
class QAction;
class QLabel;
class QProgressBar;
class QSortFilterProxyModel;
class QTimer;
class BatchProgress;
class CommandCatalogue;
class CommandDispatch;
class ControlPanel;
class DialogAboutPJ;
class DialogConfig;
class DialogSelectCommands;
class SplashWindow;
class StatusMonitor;
class PJLinkMonitor;
class PJLinkListener;
class IPfinder;
class GroupTree;
class TargetSearch;
class UdpDiscovery;
class QTreeWidgetItem;
class MyTcpSocket;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Indexes of the pages of stackedWidgetMain.
    enum Page
    {
        PageScheduler = 0,
        PageStatus = 1,
        PageControlPanel = 2,
        PageCommander = 3
    };

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const AppSettings &settings() const { return m_settings; }

    // Installs the dark or the light look; Fusion and the common style
    // sheets apply to both.
    void applyLook(bool dark);
    // Language of the About page (and of the translation, at the next start).
    void setLanguage(const QString &language);

    // Settings and command line (mainwindow_utils).
    void readINI();
    // Writes the lines of the task that just ended to its task log.
    void saveLogFile(const QString &stamp);
    // A multi-projector task begins: its log starts empty and the console
    // waits for one end line per session, all carrying stamp.
    void startConsoleTask(const QTime &stamp, int sessions);

    // Command catalogue (mainwindow_cmd). Lookups miss with a null string.
    CommandCatalogue *commandCatalogue() const { return m_catalogue; }
    void loadDefaultCommandFile();
    void readCommandListFromCSV(const QString &path);
    void loadCatalogueForIP(const QString &ip, const QString &model);
    void showModelCategories(const QString &fileName);
    void showPanelImage(const QString &model);
    QString cmdName2opByIP(const QString &name, const QString &ip) const;
    QString queryCommandByIP(const QString &ip, const QString &name) const;
    QString cmdName2op(const QString &reference) const;
    QString cmdOp2Name(const QString &op) const;
    QString lookupCatalogue(int resultColumn, const QString &text, int searchColumn) const;
    QStringList catalogueOptions(const QString &text, int searchColumn) const;
    void updateCatalogueValue(const QString &ip, const QString &op, const QString &value);

    // Dispatch (mainwindow_ip).
    void sendMyTcpCmd(const QString &ip, const QString &command, quint16 port);
    void sendMyTcpCmdList(const QTime &stamp, const QString &ip, const QStringList &commands, quint16 port,
                          bool hideOnDisconnect);
    QStringList getPjAnserBlocked(const QString &ip, quint16 port, const QString &command) const;
    int getPowerState(const QString &ip, quint16 port);
    CommandDispatch *dispatch() const { return m_dispatch; }
    // Addresses known to answer, in order of first answer.
    QStringList connectedIPs() const;
    QString lastResult() const { return m_lastResult; }

    // The projector picked in the tree (or the status table) becomes the
    // target of the console, the status table and the control panel.
    void selectTarget(const QString &ip);
    // Names the target on the control panel and the console, marks it in the
    // tree and the status table, and says so in the status bar when it
    // changed.
    void showTarget(const QString &ip);

    // --- Discovery and inventory (mainwindow_ip) ---
    GroupTree *groupTree() const { return m_groupTree; }
    UdpDiscovery *udpDiscovery() const { return m_udpDiscovery; }
    TargetSearch *targetSearch() const { return m_targetSearch; }
    // One discovery reply applied to the tree and the connected-IP list.
    void UdpFoundIP(const QString &ip, const QString &model, const QString &serial, const QString &mac);
    void checkFoundGroup(const QStringList &ips);
    // Starts the search of LocalIP's range; its result arrives later
    // (sigSearchFinished). False while a search or the start-up check runs.
    bool searchTargets();

    // --- Status monitoring (mainwindow_status) ---
    StatusMonitor *statusMonitor() const { return m_status; }
    void initStatusTable();
    // First row whose cell in column holds text (the address column: exactly).
    QModelIndex findStatusRow(int column, const QString &text) const;
    void findStatusTableWithIP(const QString &ip);

    // --- Automation (mainwindow_scheduler, mainwindow_jscript) ---
    // The weekday rule written from the day flags of a scheduler row.
    QString getSchedulerWeekDays(int row) const;
    class Scheduler *scheduler() const { return m_scheduler; }
    class ScriptHost *scriptHost() const { return m_scriptHost; }
    PJLinkMonitor *pjlinkMonitor() const { return m_pjlink; }

    // Fleet history (mainwindow_history): the service, and the windows the
    // status table's and the tree's "History…" open.
    class HistoryService *historyService() const { return m_history; }
    class DialogHistory *openProjectorHistory(const QString &ip);
    class DialogFleetHistory *openFleetHistory();

    // --- Control panel (mainwindow_controlpanel, mainwindow_cntrlpnl_*) ---
    void initControlPanel();
    ControlPanel *controlPanel() const;
    bool checkPasscode();
    void showBatchProgress(const QString &title, const QStringList &commands);
    void ImportFileToSettings(int index);
    void tabWidgetCntrlPnl_ServiceInit();
    void tabWidgetCntrlPnl_ServiceRequestNewData();
    void tabWidgetCntrlPnl_ServiceUpdateGUI();
    void tabWidgetCntrlPnl_GeometryInit();
    void tabWidgetCntrlPnl_GeometryRequestNewData();
    void tabWidgetCntrlPnl_GeometryUpdateGUI();
    void tabWidgetCntrlPnl_EdgeBlendInit();
    void tabWidgetCntrlPnl_EdgeBlendRequestNewData();
    void tabWidgetCntrlPnl_EdgeBlendUpdateGUI();
    void tabWidgetCntrlPnl_LensInit();
    void tabWidgetCntrlPnl_LensRequestNewData();
    void tabWidgetCntrlPnl_LensUpdateGUI();
    void tabWidgetCntrlPnl_InstallInit();
    void tabWidgetCntrlPnl_InstallRequestNewData();
    void tabWidgetCntrlPnl_InstallUpdateGUI();
    void tabWidgetCntrlPnl_ControlInit();
    void tabWidgetCntrlPnl_ControlRequestNewData();
    void tabWidgetCntrlPnl_ControlUpdateGUI();
    void tabWidgetCntrlPnl_3dInit();
    void tabWidgetCntrlPnl_3dRequestNewData();
    void tabWidgetCntrlPnl_3dUpdateGUI();
    void tabWidgetCntrlPnl_PictureInit();
    void tabWidgetCntrlPnl_PictureRequestNewData();
    void tabWidgetCntrlPnl_PictureUpdateGUI();
    void tabWidgetCntrlPnl_InputInit();
    void tabWidgetCntrlPnl_InputRequestNewData();
    void tabWidgetCntrlPnl_InputUpdateGUI();
    void tabWidgetCntrlPnl_InfoInit();
    void tabWidgetCntrlPnl_InfoRequestNewData();
    void tabWidgetCntrlPnl_InfoUpdateGUI();
    void on_pushbuttonExportPicture_clicked();
    void on_pushbuttonImportPicture_clicked();
    void on_pushbuttonExportEdgeBlend_clicked();
    void on_pushbuttonImportEdgeBlend_clicked();
    void on_pushbuttonExportGeometry_clicked();
    void on_pushbuttonImportGeometry_clicked();

signals:
    void sigPassCmdModel(CommandCatalogue *model);
    void sigUpdateConnectedIP(const QStringList &slConnectedIP);
    void sigEndStatusBar();
    // Discovery and inventory: a search ended (found: its result); 2000 ms
    // later sigSearchStatusCheck asks the status monitor for its check.
    void sigSearchFinished(const QStringList &found);
    void sigSearchStatusCheck();

public slots:
    void showTime();
    void displayStatusMessage(const QString &text);
    void displayLogMessage(const QString &text);
    void slotSaveLogAs(const QString &name);
    void slotMySocketState(QAbstractSocket::SocketState state);
    void slotMySocketTimeout(int code);
    void slotCmdResult(const QString &ip, const QString &result);
    void slotFoundIP(const QString &ip, int ms, int percent);
    void onReceiveQMLsendClickSig(const QString &functionName);

    // --- Discovery and inventory slots ---
    void slotStartUdpBroadcast();
    void slotUdpRX(const QString &text);
    void slotGroupIpContextMenu(const QPoint &pos);
    void slotAddGroup_triggered();
    void slotDelGroup_triggered();
    void slotAddIP_triggered();
    void slotDelIP_triggered();
    void on_actionSearch_triggered();
    void on_actionSave_triggered();
    void on_treeWidgetGroupIP_itemClicked(QTreeWidgetItem *item, int column);

    // --- Status monitoring slots ---
    void slotCheckStatus();
    void slotCheckStatusModelSerial();
    void onCurrentStatusRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void on_tableViewStatus_clicked(const QModelIndex &index);
    void on_tableViewStatus_doubleClicked(const QModelIndex &index);
    void on_actionRefreshStatus_triggered();
    void on_pushButtonExportStatus_clicked();
    void on_actionAllOn_triggered();
    void on_actionAllOff_triggered();
    void on_lineEditErrCode_textChanged(const QString &text);
    void on_tableWidgetPeriodScheduler_doubleClicked(const QModelIndex &index);

    // --- Automation slots ---
    void slotFireTask(int row);
    void slotOnNowToSecs(int row, int seconds);
    void slotUpdateCronTimerList();
    void slotOnModelDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void on_tableViewScheduler_doubleClicked(const QModelIndex &index);
    void on_pushButton_SchedulerAdd_clicked();
    void on_pushButton_SchedulerDel_clicked();
    void on_pushButton_SchedulerSave_clicked();
    void on_pushButton_ScheduleOnOff_clicked();
    void on_lineEditScript_returnPressed();

    // --- Control panel slots ---
    void slotUpdateControlPanelGUI();
    void slotUpdateLampPixmap();
    void processGeoPushBtn(QWidget *button);
    void on_tabWidgetControlPanel_tabBarClicked(int index);
    void slotCntrlPnl_InfoChanged(QWidget *widget);
    void slotCntrlPnl_InputChanged(QWidget *widget);
    void slotCntrlPnl_PictureChanged(QWidget *widget);
    void CntrlPnl_PictureSliderValueUpdate(QWidget *slider);
    void slotCntrlPnl_3dChanged(QWidget *widget);
    void slotCntrlPnl_ControlChanged(QWidget *widget);
    void slotCntrlPnl_InstallChanged(QWidget *widget);
    void slotCntrlPnl_LensChanged(QWidget *widget);
    void slotCntrlPnl_EdgeBlendChanged(QWidget *widget);
    void CntrlPnl_EdgeBlendSliderValueUpdate(QWidget *slider);
    void slotCntrlPnl_GeometryChanged(QWidget *widget);
    void CntrlPnl_GeometrySliderValueUpdate(QWidget *slider);

private slots:
    void on_actionSchedule_triggered();
    void on_actionStatus_triggered();
    void on_actionControlPanel_triggered();
    void on_actionCmd_triggered();
    void on_actionAbout_triggered();
    void on_actionHelp_triggered();
    void on_actionUserGuide_triggered();
    void on_actionExit_triggered();
    void on_actionOpen_Log_Location_triggered();
    void on_actionOpen_Config_Location_triggered();
    void on_actionConfig_triggered();

    // Console log (mainwindow_utils).
    void on_pushButtonLogClear_clicked();
    void on_pushButtonLogSave_clicked();
    void on_pushButton_DebugTCP_toggled(bool checked);

    // Command console (mainwindow_cmd).
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_tableViewCmd_clicked(const QModelIndex &index);
    void on_tableViewCmd_doubleClicked(const QModelIndex &index);
    void on_lineEdit_OpName_returnPressed();
    void on_lineEdit_OpCmd_returnPressed();
    void on_comboboxIP_textActivated(const QString &ip);

    // Dispatch (mainwindow_ip).
    void on_pushButton_SendCmd_clicked();

private:
    // The steps of start-up that wait on the operator or the network; queued
    // by the constructor for the event loop's first turn, so nothing reaches
    // the window before it is whole.
    void startUp();

    // mainwindow_cmd
    QString currentTargetIp() const;
    QString selectedTreeIp() const;
    QString pluginFolder() const;
    void setupCommandTable();
    void hideCatalogueDetailColumns();
    void setupCategoryButtons();
    void fillCategoryButtons(const QString &fileName);
    void askTargetModel(const QString &ip);
    void showTargetCategories(const QString &ip);
    void showUnknownModel(const QString &ip);
    // Status-bar line for a console action that did nothing, shown at once.
    void showConsoleRefusal(const QString &text);

    // mainwindow_ip
    void checkConnectableIPs(const QStringList &addresses);
    void fillConnectableIPs();
    void hideBatchProgress();
    void searchStarted(int kind);
    void searchFinished(int kind, const QStringList &found);
    void updateTreeFromAnswer(const QString &ip, const QString &key, const QString &value);
    void updateStatusFromAnswer(const QString &ip, const QString &key, const QString &value);

    void logLocalNetworks();
    void checkLocalIP();
    void setupWindowGeometry();
    void showSplash();
    void setupFonts();
    void setupStatusBarWidgets();
    void setupSplitters();
    void setupPeriodicTaskRow();
    void setupPages();
    void setupMenuBarCorner();
    void updateWindowTitle();
    void showPage(Page page, QAction *pageAction);
    void connectBatchProgress();
    void setupStatusHints();
    void fitSchedulerColumns();
    void updateFleetSummary();
    QString treeNameOf(const QString &ip) const;
    QString treeModelOf(const QString &ip) const;
    // Writes the target's name, address and model into the panel header and
    // the console's target line; returns the description.
    QString describeTarget(const QString &ip);

    Ui::MainWindow *ui;
    bool m_darkLook = true;
    // Since when the status bar shows its message (a failure is held briefly).
    QElapsedTimer m_statusShown;

    // Read once while the window is built; the initialisers are the values
    // used when the file or a key is missing.
    AppSettings m_settings;
    // The host's usable local networks, listed before the settings are read.
    NetLocalInfo m_netLocalInfo;

    QTimer *m_timer1s = nullptr;
    // Status bar: title and progress of a running command batch.
    QLabel *m_statusLabel = nullptr;
    QProgressBar *m_statusProgress = nullptr;
    // Status bar: the fleet at a glance, recounted once per burst of answers.
    QLabel *m_fleetSummary = nullptr;
    QTimer *m_fleetSummaryTimer = nullptr;
    QString m_shownTarget;

    DialogAboutPJ *m_dialogAboutPJ = nullptr;
    DialogConfig *m_dialogConfig = nullptr;
    QPointer<class DialogUserGuide> m_userGuide;
    QPointer<SplashWindow> m_splash;

    // Console log: what to show, the running task's lines, the log files.
    ConsoleLogRules m_consoleRules;
    // The pane's batched appends and the task logs' writer (mainwindow_utils).
    class ConsolePane *consolePane();
    class ConsolePane *m_consolePane = nullptr;
    class TaskLogWriter *m_taskLogWriter = nullptr;

    // Command catalogue and the console's view of it.
    CommandCatalogue *m_catalogue = nullptr;
    QSortFilterProxyModel *m_cmdProxy = nullptr;
    QString m_currentCategory;
    QStringList m_cmdRowFields; // last clicked table row, one text per column
    ConsoleTarget m_consoleTarget;

    // Dispatch.
    CommandDispatch *m_dispatch = nullptr;
    QString m_lastResult;

    // Start-up connection check and target search.
    IPfinder *m_ipFinder = nullptr;
    bool m_targetFound = false; // some inventory address answered during this run

    // --- Owners of the coming subsystems ---

    // --- Automation owners (mainwindow_scheduler, mainwindow_jscript) ---
    void setupScheduler();
    void setupScriptEngine();
    class ScriptHost *m_scriptHost = nullptr;
    class ScriptSound *m_scriptSound = nullptr;
    class Scheduler *m_scheduler = nullptr;
    // Discovery and inventory.
    GroupTree *m_groupTree = nullptr;
    UdpDiscovery *m_udpDiscovery = nullptr;
    TargetSearch *m_targetSearch = nullptr;
    QLabel *m_searchLabel = nullptr;
    QProgressBar *m_searchProgress = nullptr;
    // Status monitoring: table, sweeps, polling, all on / all off.
    StatusMonitor *m_status = nullptr;
    QStringList m_knownModels; // models with a catalogue file, listed once at start
    // PJLink projectors beside the op ones (mainwindow_pjlink).
    PJLinkMonitor *m_pjlink = nullptr;
    PJLinkListener *m_pjlinkListener = nullptr;
    void setupPJLink();
    void setupPJLinkPanel();
    void setupStatusMonitor();
    void startStatusPolling();
    void refreshCommandPage();
    QStringList shownCommandQueries() const;
    void handleStatusRowClick(int row);
    // Set while a status-row click makes its projector the target, so that
    // the target's own status-row selection does not come back here.
    bool m_inStatusRowClick = false;
    DialogSelectCommands *m_dialogSelectCommands = nullptr;
    // Fleet history and alerts (mainwindow_history).
    class HistoryService *m_history = nullptr;
    class AlertCenter *m_alerts = nullptr;
    class HistoryRecorder *m_historyRecorder = nullptr;
    class QSystemTrayIcon *m_tray = nullptr;
    bool m_historyIni = true;
    int m_historyRetention = 365;
    void setupHistory();
    void startHistory();
    QString projectorName(const QString &ip) const;
    void showAlertNotice(const QString &title, const QString &text);
    // Control panel.
    ControlPanel *m_controlPanel = nullptr;
};
