#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/_dialogconfig.h"
#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "app/settingsreader.h"
#include "monitor/errorcodedictionary.h"
#include "monitor/fleetsummary.h"
#include "monitor/statusmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "net/batchprogress.h"
#include "net/commanddispatch.h"
#include "net/groupipfile.h"
#include "net/grouptree.h"
#include "net/ipfinder.h"
#include "net/localipcheck.h"
#include "net/targetsearch.h"
#include "net/udpdiscovery.h"
#include "panel/controlpanel.h"
#include "ui/aboutpage.h"
#include "ui/clocktext.h"
#include "ui/darkpalette.h"
#include "ui/dialogaboutpj.h"
#include "ui/dialoguserguide.h"
#include "ui/shellfonts.h"
#include "ui/shellresources.h"
#include "ui/shellstylesheets.h"
#include "ui/splashwindow.h"
#include "ui/targetdescription.h"
#include "ui/statusmessagestyle.h"
#include "ui/windowplacement.h"
#include "ui/windowtitle.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QSysInfo>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
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
    ShellFonts::useChineseFallback(m_settings.language);
    updateWindowTitle();
    applyLook(m_settings.darkStyle);
    m_consoleRules.setDarkStyle(m_settings.darkStyle);
    m_consoleRules.setUserDataFolder(AppFolders::userDataFolder());
    ui->lineEdit_Port->setText(QString::number(m_settings.tcpPort));
    m_dispatch->setPort(quint16(m_settings.tcpPort));
    connect(m_dispatch, &CommandDispatch::sendLog, this, &MainWindow::displayLogMessage);
    connect(m_dispatch, &CommandDispatch::sendStatus, this, &MainWindow::displayStatusMessage);
    connect(m_dispatch, &CommandDispatch::sigCmdResult, this, &MainWindow::slotCmdResult);
    connect(m_dispatch, &CommandDispatch::sigBatchSessionEnded, this, &MainWindow::hideBatchProgress);
    connect(m_dispatch, &CommandDispatch::sigUpdateConnectedIP, this, &MainWindow::sigUpdateConnectedIP);
    connectBatchProgress();

    // 5. The group tree from GroupIP.csv, nothing connected yet.
    OLOG_INFO() << "Build IP Tree";
    m_groupTree = new GroupTree(ui->treeWidgetGroupIP, m_dispatch, this);
    m_groupTree->load(GroupIpFile::filePath(AppFolders::configFolder()));
    m_groupTree->resetConnectionState();
    connect(ui->treeWidgetGroupIP, &QWidget::customContextMenuRequested, this, &MainWindow::slotGroupIpContextMenu);
    connect(m_groupTree, &GroupTree::sigTargetClicked, this, &MainWindow::selectTarget);
    connect(m_groupTree, &GroupTree::sigEditRefused, this, &MainWindow::displayStatusMessage);
    connect(m_ipFinder, &IPfinder::sigFoundIP, this, &MainWindow::slotFoundIP);
    m_targetSearch = new TargetSearch(m_ipFinder, m_dispatch, this);
    connect(m_targetSearch, &TargetSearch::sigStarted, this, &MainWindow::searchStarted);
    connect(m_targetSearch, &TargetSearch::sigFinished, this, &MainWindow::searchFinished);

    // 6. Which of them listen on the command port: probed from startUp().
    m_ipFinder->setPort(quint16(m_settings.tcpPort));

    // 7. Scheduler and scripts (mainwindow_scheduler).
    OLOG_INFO() << "Create Scheduler";
    setupScheduler();

    // 8. Pages.
    OLOG_INFO() << "Create Status/Cmd Panel";
    loadDefaultCommandFile();
    m_dispatch->setCatalogue(m_catalogue);
    setupStatusMonitor();
    setupStatusHints();
    setupHistory();
    setupPJLink();
    m_dialogAboutPJ = new DialogAboutPJ(this);
    m_dialogConfig = new DialogConfig(this);
    setupPages();
    setupPeriodicTaskRow();
    initControlPanel();

    // 9. Status polling: timers armed now fire only once the loop runs.
    OLOG_INFO() << "Start Status Polling...";
    startStatusPolling();

    // 10. Discovery: the receiver now, the first two broadcasts once the
    //     window is up.
    OLOG_INFO() << "Starting UDP RX...";
    m_udpDiscovery = new UdpDiscovery(m_settings.localIP, quint16(m_settings.udpPortRx), quint16(m_settings.udpPortTx),
                                      this);
    m_udpDiscovery->startReceiver(m_settings.multicastIP);
    connect(m_udpDiscovery, &UdpDiscovery::sigReceived, this, &MainWindow::slotUdpRX);
    connect(m_udpDiscovery, &UdpDiscovery::sigReply, this, &MainWindow::UdpFoundIP);
    QTimer::singleShot(2000, this, &MainWindow::slotStartUdpBroadcast);
    QTimer::singleShot(2500, this, &MainWindow::slotStartUdpBroadcast);

    // 11. Product mark in the menu bar.
    setupMenuBarCorner();

    QTimer::singleShot(0, this, &MainWindow::startUp);
}

void MainWindow::startUp()
{
    // The window is whole from here on: boxes, nested loops and sockets may
    // run. The order is the one of the build steps they belong to.
    if (!m_settings.fallbacks.isEmpty())
        displayStatusMessage(SettingsReader::fallbackStatusMessage(m_settings.fallbacks));
    startHistory();
    checkLocalIP();
    checkConnectableIPs(m_groupTree->allAddresses());
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
    switch (LocalIpCheck::check(m_settings.localIP, m_netLocalInfo.addresses())) {
    case LocalIpCheck::Verdict::Found:
        OLOG_INFO() << "Current & Configured localIP:" << m_settings.localIP;
        return;
    case LocalIpCheck::Verdict::NoNetwork:
        OLOG_WARN() << "No local network found; LocalIP stays" << m_settings.localIP;
        displayStatusMessage(tr("No local network found: discovery stays on %1").arg(m_settings.localIP));
        return;
    case LocalIpCheck::Verdict::Missing:
        break;
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
    setGeometry(WindowPlacement::mainWindow(screen->availableGeometry(), minimumSizeHint()));
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
    // Function names are shown in full: "(LAN Firmware Version)" is a long
    // one that the field used to cut.
    ui->lineEdit_OpName->setMinimumWidth(
        ui->lineEdit_OpName->fontMetrics().horizontalAdvance(QStringLiteral("(LAN Firmware Version)")) + 16);
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

    m_searchLabel = new QLabel(statusBar());
    m_searchLabel->setObjectName(QStringLiteral("labelSearch"));
    m_searchProgress = new QProgressBar(statusBar());
    m_searchProgress->setObjectName(QStringLiteral("progressBarSearch"));
    m_searchProgress->setRange(0, 100);
    m_searchProgress->setAlignment(Qt::AlignCenter);
    m_searchProgress->setMaximumHeight(18);
    statusBar()->addPermanentWidget(m_searchLabel, 0);
    statusBar()->addPermanentWidget(m_searchProgress, 1);
    m_searchLabel->hide();
    m_searchProgress->hide();
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
    QProgressBar *pollBar = m_status->createPollBar(table);
    // A countdown, not an alarm: the same calm blue as the scheduler's.
    pollBar->setStyleSheet(QStringLiteral(
        "QProgressBar{font-weight:bold;background-color:transparent;border:2px solid #606060;border-radius:6px;"
        "margin:3px;}QProgressBar::chunk{background-color:#3a78b0;}"));
    table->setCellWidget(0, 3, pollBar);
    if (QTableWidgetItem *header = table->horizontalHeaderItem(3))
        header->setToolTip(tr("time until the next run"));
    table->verticalHeader()->setDefaultSectionSize(28);
}

void MainWindow::setupPages()
{
    // The console sends on the configured port: the field shows it and
    // cannot be typed into, so no edit can be silently ignored.
    ui->lineEdit_Port->setReadOnly(true);
    ui->horizontalLayoutTarget->addStretch(1);
    ui->lineEdit_OpCmd->setMinimumWidth(100);
    ui->lineEdit_Port->setStatusTip(tr("Port of every command (TcpPort, set in Config)"));
    // The pages in toolbar order, one key each, as operators of a busy hall
    // switch between them without the mouse.
    const QList<QAction *> pages{ui->actionSchedule, ui->actionStatus, ui->actionControlPanel, ui->actionCmd};
    for (int i = 0; i < pages.size(); ++i)
        pages.at(i)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
    showPage(PageStatus, ui->actionStatus);
    fitSchedulerColumns();
    ui->plainTextConsole->setReadOnly(true);
    ui->plainTextConsole->ensureCursorVisible();
    ui->plainTextConsole->setCenterOnScroll(false);
}

void MainWindow::fitSchedulerColumns()
{
    // Narrow enough that the countdown column stays in view without a
    // horizontal scroll bar on a 1280 x 800 screen; the day check boxes
    // and "hh:mm" need no more.
    const int widths[] = {130, 60, 104, 34, 34, 34, 34, 34, 34, 34, 72};
    QTableView *view = ui->tableViewScheduler;
    if (!view->model())
        return;
    for (int column = 0; column < int(sizeof widths / sizeof widths[0]); ++column)
        view->setColumnWidth(column, widths[column]);
    view->horizontalHeader()->setMinimumSectionSize(30);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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

    m_darkLook = dark;
    m_consoleRules.setDarkStyle(dark);
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

    ui->centralWidget->setStyleSheet(ShellStyleSheets::centralWidget(dark));
    ui->mainToolBar->setStyleSheet(ShellStyleSheets::toolBar() + ShellStyleSheets::toolButtons(dark));
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

    if (m_status && ui->tableWidgetPeriodScheduler->isVisible())
        m_status->showCountdown();
    // No processEvents here: the clock runs inside the questions' local
    // loops too, and processing everything from it would hand the operator's
    // held-back keys and clicks to the window while a caller waits.
}

void MainWindow::displayStatusMessage(const QString &text)
{
    if (StatusMessageStyle::keepsShown(statusBar()->currentMessage(),
                                       m_statusShown.isValid() ? m_statusShown.elapsed() : -1, text))
        return;
    const StatusMessageStyle style = StatusMessageStyle::forText(text, m_darkLook);
    // Setting a style sheet re-polishes the whole bar: a fleet's sessions
    // report thousands of messages of the same look.
    if (statusBar()->styleSheet() != style.styleSheet())
        statusBar()->setStyleSheet(style.styleSheet());
    statusBar()->showMessage(text, style.timeoutMs());
    m_statusShown.start();
}

void MainWindow::showConsoleRefusal(const QString &text)
{
    // The operator just acted: the answer to that beats any held failure.
    m_statusShown.invalidate();
    displayStatusMessage(text);
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
    showTarget(currentTargetIp());
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

void MainWindow::on_actionUserGuide_triggered()
{
    // Beside the window, not modal: the operator follows it while working.
    if (!m_userGuide)
        m_userGuide = new DialogUserGuide(m_settings.language, this);
    m_userGuide->show();
    m_userGuide->raise();
    m_userGuide->activateWindow();
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

void MainWindow::setupStatusHints()
{
    TableModelStatus *model = m_status->model();
    model->setNameLookup([this](const QString &ip) { return treeNameOf(ip); });
    model->setErrorDecoder(&ErrorCodeDictionary::decodeErrorCode);

    m_fleetSummary = new QLabel(statusBar());
    m_fleetSummary->setObjectName(QStringLiteral("labelFleetSummary"));
    m_fleetSummary->setToolTip(tr("Projectors of the status table by state"));
    statusBar()->addPermanentWidget(m_fleetSummary, 0);
    // A sweep of 2,000 projectors brings 16,000 answers: count once after a
    // burst, not once per answer.
    m_fleetSummaryTimer = new QTimer(this);
    m_fleetSummaryTimer->setSingleShot(true);
    m_fleetSummaryTimer->setInterval(250);
    connect(m_fleetSummaryTimer, &QTimer::timeout, this, &MainWindow::updateFleetSummary);
    auto later = [this] { m_fleetSummaryTimer->start(); };
    connect(model, &QAbstractItemModel::dataChanged, m_fleetSummaryTimer, later);
    connect(model, &QAbstractItemModel::modelReset, m_fleetSummaryTimer, later);
    connect(model, &QAbstractItemModel::rowsInserted, m_fleetSummaryTimer, later);
    connect(model, &QAbstractItemModel::rowsRemoved, m_fleetSummaryTimer, later);
    updateFleetSummary();
    ui->labelPanelTarget->setStyleSheet(QStringLiteral("QLabel{font-weight:bold;padding:2px 4px}"));
    ui->labelConsoleTarget->setStyleSheet(QStringLiteral("QLabel{font-weight:bold}"));
    const QString none = TargetDescription::compose(QString(), QString(), QString());
    ui->labelPanelTarget->setText(TargetDescription::panelHeader(none));
    ui->labelConsoleTarget->setText(none);
}

void MainWindow::updateFleetSummary()
{
    m_fleetSummary->setText(FleetSummary::count(*m_status->model()).text());
    // The target's model often answers after it was picked: name it then.
    if (!m_shownTarget.isEmpty())
        describeTarget(m_shownTarget);
}

QString MainWindow::treeNameOf(const QString &ip) const
{
    const QList<QTreeWidgetItem *> items =
        ui->treeWidgetGroupIP->findItems(ip, Qt::MatchExactly | Qt::MatchRecursive, GroupTree::ColumnIP);
    return items.isEmpty() ? QString() : items.first()->text(GroupTree::ColumnName);
}

QString MainWindow::treeModelOf(const QString &ip) const
{
    const QList<QTreeWidgetItem *> items =
        ui->treeWidgetGroupIP->findItems(ip, Qt::MatchExactly | Qt::MatchRecursive, GroupTree::ColumnIP);
    return items.isEmpty() ? QString() : items.first()->text(GroupTree::ColumnModel);
}

QString MainWindow::describeTarget(const QString &ip)
{
    QString model = m_consoleTarget.modelOf(ip);
    if (model.isEmpty())
        model = treeModelOf(ip);
    const QString description = TargetDescription::compose(treeNameOf(ip), ip, model);
    ui->labelPanelTarget->setText(TargetDescription::panelHeader(description));
    ui->labelConsoleTarget->setText(description);
    return description;
}

void MainWindow::showTarget(const QString &ip)
{
    const QString description = describeTarget(ip);
    m_status->model()->setTargetAddress(ip);

    // The tree marks the target in bold, also while another row is current.
    const int columns = ui->treeWidgetGroupIP->columnCount();
    for (const QString &address : {m_shownTarget, ip}) {
        if (address.isEmpty())
            continue;
        const QList<QTreeWidgetItem *> items = ui->treeWidgetGroupIP->findItems(
            address, Qt::MatchExactly | Qt::MatchRecursive, GroupTree::ColumnIP);
        for (QTreeWidgetItem *item : items) {
            for (int column = 0; column < columns; ++column) {
                QFont font = item->font(column);
                font.setBold(address == ip);
                item->setFont(column, font);
            }
        }
    }
    if (ip != m_shownTarget && !ip.isEmpty())
        displayStatusMessage(TargetDescription::retargetMessage(description));
    m_shownTarget = ip;
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
