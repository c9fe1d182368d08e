#pragma once

#include "app/appsettings.h"
#include "net/netlocalinfo.h"

#include <QAbstractSocket>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QAction;
class QLabel;
class QProgressBar;
class QSplashScreen;
class QTimer;
class DialogAboutPJ;

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

public slots:
    void showTime();
    void displayStatusMessage(const QString &text);
    void slotMySocketState(QAbstractSocket::SocketState state);
    void slotMySocketTimeout(int code);

private slots:
    void on_actionSchedule_triggered();
    void on_actionStatus_triggered();
    void on_actionControlPanel_triggered();
    void on_actionCmd_triggered();
    void on_actionAbout_triggered();
    void on_actionHelp_triggered();
    void on_actionExit_triggered();
    void on_actionOpen_Log_Location_triggered();
    void on_actionOpen_Config_Location_triggered();

private:
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

    Ui::MainWindow *ui;

    // Read once while the window is built; the initialisers are the values
    // used when the file or a key is missing.
    AppSettings m_settings;
    // The host's usable local networks, listed before the settings are read.
    NetLocalInfo m_netLocalInfo;

    QTimer *m_timer1s = nullptr;
    // Status polling: the timer is armed by the status page; the bar lives in
    // the scheduler page's periodic-task table and counts down to its next shot.
    QTimer *m_statusPollTimer = nullptr;
    QProgressBar *m_statusPollBar = nullptr;

    // Status bar: title and progress of a running command batch.
    QLabel *m_statusLabel = nullptr;
    QProgressBar *m_statusProgress = nullptr;

    DialogAboutPJ *m_dialogAboutPJ = nullptr;
    QPointer<QSplashScreen> m_splash;
};
