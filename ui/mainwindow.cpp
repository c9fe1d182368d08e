#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/_dialogconfig.h"
#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "net/batchprogress.h"
#include "net/commanddispatch.h"
#include "net/groupipaddresses.h"
#include "net/ipfinder.h"
#include "panel/controlpanel.h"
#include "ui/aboutpage.h"
#include "ui/clocktext.h"
#include "ui/darkpalette.h"
#include "ui/dialogaboutpj.h"
#include "ui/shellfonts.h"
#include "ui/shellresources.h"
#include "ui/shellstylesheets.h"
#include "ui/splashwindow.h"
#include "ui/statusmessagestyle.h"
#include "ui/windowplacement.h"
#include "ui/windowtitle.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QSysInfo>
#include <QTime>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int SplashMs = 7500;
constexpr int ClockPointSize = 16;
constexpr int ClockButtonWidth = 96;
constexpr int CommandPointSize = 10;

const char *const FaviconPath = ":/images/Orvanto_Favicon.png";
const char *const SplashPath = ":/html/OrvantoLogoGreen.png";

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    // Nothing in here may run the event loop (no modal box, no nested loop,
    // no processEvents, no blocking wait): a socket, timer or posted event
    // would otherwise reach a window that is only half built. What has to
    // wait on the operator or the network runs from startUp(), queued below
    // for the event loop's first turn.
    ShellResources::ensureLoaded();
    // 1. Settings hold their defaults (member initialisers) until the INI
    //    file is read; the form comes before anything that touches it.
    m_ipFinder = new IPfinder(this);
    m_dispatch = new CommandDispatch(this);
    ui->setupUi(this);
    logLocalNetworks();

    // 2. Window, splash, fonts, status bar, splitters.
    OLOG_INFO() << "Start UI";
    setupWindowGeometry();
    showSplash();
    setupFonts();
    setupStatusBarWidgets();
    setupSplitters();

    // 3. The clock.
    OLOG_INFO() << "Start Timer1s";
    m_timer1s = new QTimer(this);
    m_timer1s->setObjectName(QStringLiteral("timer1s"));
    connect(m_timer1s, &QTimer::timeout, this, &MainWindow::showTime);
    m_timer1s->start(1000);
    showTime();

    // 4. Settings, title and look.
    OLOG_INFO() << "Read INI";
    readINI();
    updateWindowTitle();
    applyLook(m_settings.darkStyle);
    m_consoleRules.setDarkStyle(m_settings.darkStyle);
    m_consoleRules.setUserDataFolder(AppFolders::userDataFolder());
    ui->lineEdit_Port->setText(m_settings.tcpPortText);
    m_dispatch->setPort(quint16(m_settings.tcpPort));
    connect(m_dispatch, &CommandDispatch::sendLog, this, &MainWindow::displayLogMessage);
    connect(m_dispatch, &CommandDispatch::sendStatus, this, &MainWindow::displayStatusMessage);
    connect(m_dispatch, &CommandDispatch::sigCmdResult, this, &MainWindow::slotCmdResult);
    connect(m_dispatch, &CommandDispatch::sigBatchSessionEnded, this, &MainWindow::hideBatchProgress);
    connect(m_dispatch, &CommandDispatch::sigUpdateConnectedIP, this, &MainWindow::sigUpdateConnectedIP);
    connectBatchProgress();

    // 5. The inventory: the addresses the start-up check probes.
    OLOG_INFO() << "Build IP Tree";
    m_inventoryIPs = GroupIpAddresses::fromFile(GroupIpAddresses::filePath(AppFolders::configFolder()));
    connect(m_ipFinder, &IPfinder::sigFoundIP, this, &MainWindow::slotFoundIP);

    // 6. Which of them listen on the command port: probed from startUp().
    m_ipFinder->setPort(quint16(m_settings.tcpPort));

    // 8. Pages.
    OLOG_INFO() << "Create Status/Cmd Panel";
    loadDefaultCommandFile();
    m_dispatch->setCatalogue(m_catalogue);
    m_dialogAboutPJ = new DialogAboutPJ(this);
    m_dialogConfig = new DialogConfig(this);
    setupPages();
    setupPeriodicTaskRow();
    initControlPanel();

    // 11. Product mark in the menu bar.
    setupMenuBarCorner();

    QTimer::singleShot(0, this, &MainWindow::startUp);
}

void MainWindow::startUp()
{
    // The window is whole from here on: boxes, nested loops and sockets may
    // run. The order is the one of the build steps they belong to.
    checkLocalIP();
    checkConnectableIPs(m_inventoryIPs);
    // The model list is shown once at start so the operator sees which
    // projectors this installation can drive.
    m_dialogAboutPJ->exec();
}

MainWindow::~MainWindow()
{
    OLOG_INFO() << "Bye-Bye!";
    delete m_splash; // still up when the window goes within the first seconds
    delete ui;
}

void MainWindow::logLocalNetworks()
{
    for (int i = 0; i < m_netLocalInfo.count(); ++i)
        OLOG_INFO() << qUtf8Printable(QStringLiteral("Found Local Network: %1 @%2 [%3]")
                                          .arg(m_netLocalInfo.names().value(i), m_netLocalInfo.addresses().value(i),
                                               m_netLocalInfo.hardwareAddresses().value(i)));
}

void MainWindow::checkLocalIP()
{
    // Discovery sends from the configured address; one the machine does not
    // have is reported once and then used as configured.
    if (m_netLocalInfo.addresses().contains(m_settings.localIP)) {
        OLOG_INFO() << "Current & Configured localIP:" << m_settings.localIP;
        return;
    }
    QMessageBox::critical(this, m_settings.localIP, tr("Configured LocalIP NOT Found! \nApply change and try again!"),
                          QMessageBox::Ok);
    OLOG_ERROR() << "Configured LocalIP NOT found!";
}

void MainWindow::setupWindowGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    setGeometry(WindowPlacement::mainWindow(screen->availableGeometry()));
}

void MainWindow::showSplash()
{
    m_splash = new SplashWindow(QPixmap(QString::fromLatin1(SplashPath)));
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    m_splash->setStyleSheet(ShellStyleSheets::splash());
    m_splash->showMessage(tr("Start"), Qt::AlignTop | Qt::AlignHCenter, Qt::black);
    m_splash->show();
    QTimer::singleShot(SplashMs, m_splash.data(), &QWidget::close);
    // Painted at once without letting any other event through.
    m_splash->repaint();
}

void MainWindow::setupFonts()
{
    const ShellFonts fonts = ShellFonts::load();
    ui->actionTime->setFont(fonts.clockFont(ClockPointSize));
    // The toolbar's buttons are icon sized; the clock shows text and needs
    // room for "00:00" in the segment face.
    if (QWidget *timeButton = ui->mainToolBar->widgetForAction(ui->actionTime)) {
        timeButton->setObjectName(QStringLiteral("toolButtonTime"));
        timeButton->setStyleSheet(QStringLiteral("QToolButton{width:%1px;}").arg(ClockButtonWidth));
    }
    ui->lineEdit_OpCmd->setFont(fonts.monoItalicFont(CommandPointSize));
}

void MainWindow::setupStatusBarWidgets()
{
    m_statusLabel = new QLabel(statusBar());
    m_statusLabel->setObjectName(QStringLiteral("labelStatusProgress"));
    m_statusProgress = new QProgressBar(statusBar());
    m_statusProgress->setObjectName(QStringLiteral("progressBarStatus"));
    m_statusProgress->setAlignment(Qt::AlignCenter);
    m_statusProgress->setMaximumHeight(18);
    statusBar()->addPermanentWidget(m_statusLabel, 0);
    statusBar()->addPermanentWidget(m_statusProgress, 1);
    m_statusLabel->hide();
    m_statusProgress->hide();
}

void MainWindow::setupSplitters()
{
    // The tree needs room for address and name; the console keeps about a
    // quarter of the height so answers stay visible on every page.
    const int width = qMax(this->width(), 800);
    const int height = qMax(this->height(), 600);
    ui->splitterMain->setStretchFactor(0, 1);
    ui->splitterMain->setStretchFactor(1, 3);
    ui->splitterMain->setSizes({width * 24 / 100, width * 76 / 100});
    ui->splitterRight->setStretchFactor(0, 3);
    ui->splitterRight->setStretchFactor(1, 1);
    ui->splitterRight->setSizes({height * 70 / 100, height * 30 / 100});
    ui->splitterScheduler->setStretchFactor(0, 4);
    ui->splitterScheduler->setStretchFactor(1, 1);
    ui->splitterScheduler->setSizes({height * 50 / 100, height * 14 / 100});
}

void MainWindow::setupPeriodicTaskRow()
{
    QTableWidget *table = ui->tableWidgetPeriodScheduler;
    table->setItem(0, 0, new QTableWidgetItem(tr("Selected")));
    table->setItem(0, 1, new QTableWidgetItem(tr("Status Polling Task")));
    auto *period = new QTableWidgetItem(QString::number(m_settings.statusPoll));
    period->setTextAlignment(Qt::AlignCenter);
    table->setItem(0, 2, period);
    m_statusPollBar = new QProgressBar(table);
    m_statusPollBar->setObjectName(QStringLiteral("progressBarStatusPoll"));
    m_statusPollBar->setRange(0, m_settings.statusPoll * 60);
    m_statusPollBar->setValue(0);
    m_statusPollBar->setTextVisible(true);
    m_statusPollBar->setAlignment(Qt::AlignCenter);
    m_statusPollBar->setFormat(ClockText::countdown(0));
    m_statusPollBar->setStyleSheet(QStringLiteral("QProgressBar{font-weight:bold;background-color:#F06060;"
                                                  "border:2px solid #606060;border-radius:6px;margin:3px;}"));
    table->setCellWidget(0, 3, m_statusPollBar);
    table->verticalHeader()->setDefaultSectionSize(28);
}

void MainWindow::setupPages()
{
    // The category buttons sit on the page itself, not on a filled panel.
    ui->scrollAreaCategories->viewport()->setAutoFillBackground(false);
    ui->scrollAreaCategoriesContents->setAutoFillBackground(false);
    showPage(PageStatus, ui->actionStatus);
    ui->plainTextConsole->setReadOnly(true);
    ui->plainTextConsole->ensureCursorVisible();
    ui->plainTextConsole->setCenterOnScroll(false);
}

void MainWindow::setupMenuBarCorner()
{
    auto *favicon = new QLabel(menuBar());
    favicon->setObjectName(QStringLiteral("labelFavicon"));
    favicon->setFixedSize(64, 50);
    favicon->setAlignment(Qt::AlignCenter);
    const QPixmap picture(QString::fromLatin1(FaviconPath));
    const qreal ratio = devicePixelRatioF();
    QPixmap scaled = picture.scaled(QSize(44, 44) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    favicon->setPixmap(scaled);
    favicon->setToolTip(AboutPage::productName() + QLatin1Char(' ') + AboutPage::productVersion());
    menuBar()->setCornerWidget(favicon);
    menuBar()->setNativeMenuBar(false);
}

void MainWindow::updateWindowTitle()
{
    setWindowTitle(WindowTitle::compose(m_netLocalInfo.addresses(), m_netLocalInfo.hardwareAddresses(),
                                        QSysInfo::prettyProductName()));
}

void MainWindow::applyLook(bool dark)
{
    // Installed once: replacing the style resets the application palette, and
    // the clock's application style sheet hides the style's name behind a
    // wrapper, so the installed style is remembered instead of asked for.
    static QPointer<QStyle> fusion;
    if (!fusion) {
        fusion = QStyleFactory::create(QStringLiteral("Fusion"));
        QApplication::setStyle(fusion);
    }

    if (dark) {
        QApplication::setPalette(DarkPalette::make());
        ui->stackedWidgetMain->setStyleSheet(ShellStyleSheets::stackedWidgetDark());
        ui->frameButtonBox->setStyleSheet(ShellStyleSheets::frameButtonBoxDark());
    } else {
        // The light look leaves the palette alone; only a dark palette that
        // this window installed earlier is taken back.
        if (DarkPalette::isDark(QApplication::palette()))
            QApplication::setPalette(QApplication::style()->standardPalette());
        ui->stackedWidgetMain->setStyleSheet(QString());
        ui->frameButtonBox->setStyleSheet(QString());
    }
    // Widgets polished before the palette changed (the menu bar is sized
    // while the window is laid out) can keep the old colours; let every
    // widget without a palette of its own take the application's again.
    const QList<QWidget *> widgets = findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        if (!widget->testAttribute(Qt::WA_SetPalette))
            widget->setPalette(QPalette());

    ui->centralWidget->setStyleSheet(ShellStyleSheets::centralWidget());
    ui->mainToolBar->setStyleSheet(ShellStyleSheets::toolBar() + ShellStyleSheets::toolButtons());
    if (m_statusLabel)
        m_statusLabel->setStyleSheet(ShellStyleSheets::statusBarLabels());
    ui->labelErrCode->setStyleSheet(ShellStyleSheets::errorCodeLabelIdle());
}

void MainWindow::setLanguage(const QString &language)
{
    m_settings.language = language;
}

void MainWindow::showPage(Page page, QAction *pageAction)
{
    if (ui->stackedWidgetMain->currentIndex() != page)
        ui->stackedWidgetMain->setCurrentIndex(page);
    for (QAction *action : {ui->actionSchedule, ui->actionStatus, ui->actionControlPanel, ui->actionCmd})
        action->setChecked(action == pageAction);
}

void MainWindow::showTime()
{
    const bool schedulerOn = ui->pushButton_ScheduleOnOff->isChecked();
    // Setting an application style sheet repolishes every widget: only do it
    // when the switch actually changed.
    const QString appSheet = ClockText::applicationStyleSheet(schedulerOn);
    if (qApp->styleSheet() != appSheet)
        qApp->setStyleSheet(appSheet);
    ui->actionTime->setText(ClockText::text(QTime::currentTime(), schedulerOn));

    if (m_statusPollBar && m_statusPollTimer && ui->tableWidgetPeriodScheduler->isVisible()) {
        const int secondsLeft = m_statusPollTimer->isActive() ? m_statusPollTimer->remainingTime() / 1000 : 0;
        m_statusPollBar->setFormat(ClockText::countdown(secondsLeft));
        m_statusPollBar->setValue(secondsLeft);
    }
    // No processEvents here: the clock runs inside the questions' local
    // loops too, and processing everything from it would hand the operator's
    // held-back keys and clicks to the window while a caller waits.
}

void MainWindow::displayStatusMessage(const QString &text)
{
    const StatusMessageStyle style = StatusMessageStyle::forText(text);
    statusBar()->setStyleSheet(style.styleSheet());
    statusBar()->showMessage(text, style.timeoutMs());
}

void MainWindow::slotMySocketState(QAbstractSocket::SocketState state)
{
    Q_UNUSED(state)
}

void MainWindow::slotMySocketTimeout(int code)
{
    Q_UNUSED(code)
}

void MainWindow::on_actionSchedule_triggered()
{
    showPage(PageScheduler, ui->actionSchedule);
}

void MainWindow::on_actionStatus_triggered()
{
    showPage(PageStatus, ui->actionStatus);
}

void MainWindow::on_actionControlPanel_triggered()
{
    showPage(PageControlPanel, ui->actionControlPanel);
    ui->tabWidgetControlPanel->setCurrentIndex(0);
    controlPanel()->setTarget(currentTargetIp());
    tabWidgetCntrlPnl_InfoInit();
}

void MainWindow::on_actionCmd_triggered()
{
    showPage(PageCommander, ui->actionCmd);
}

void MainWindow::on_actionAbout_triggered()
{
    m_dialogAboutPJ->exec();
}

void MainWindow::on_actionHelp_triggered()
{
    const QString path = AboutPage::resourcePath(m_settings.language);
    QFile page(path);
    if (!page.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "About Not Found:" << path;
        return;
    }
    const QString text =
        AboutPage::compose(QString::fromUtf8(page.readAll()), QSysInfo::prettyProductName(), m_settings.localIP,
                           AppFolders::programFolder(), AppFolders::userDataFolder(), AppFolders::configFolder());

    QMessageBox box(this);
    box.setWindowTitle(AboutPage::title(QStringLiteral(__DATE__)));
    box.setTextFormat(Qt::RichText);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void MainWindow::on_actionConfig_triggered()
{
    m_dialogConfig->exec();
}

void MainWindow::connectBatchProgress()
{
    BatchProgress *progress = m_dispatch->batchProgress();
    connect(progress, &BatchProgress::sigStarted, this, [this](int maximum, int value) {
        m_statusProgress->setRange(1, maximum);
        m_statusProgress->setValue(value);
        m_statusLabel->show();
        m_statusProgress->show();
    });
    connect(progress, &BatchProgress::sigValue, m_statusProgress, &QProgressBar::setValue);
    connect(progress, &BatchProgress::sigHide, this, &MainWindow::hideBatchProgress);
    connect(progress, &BatchProgress::sigEndStatusBar, this, &MainWindow::sigEndStatusBar);
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::on_actionOpen_Log_Location_triggered()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(AppFolders::userDataFolder()));
}

void MainWindow::on_actionOpen_Config_Location_triggered()
{
    qDebug() << "on_actionOpen_Config_Location_triggered" << AppFolders::configFolder();
    QDesktopServices::openUrl(QUrl::fromLocalFile(AppFolders::configFolder()));
}
