#include "tests/common/testenvironment.h"

#include "capturedestination.h"
#include "tests/common/modalcloser.h"

#include "ui/dialogaboutpj.h"
#include "ui/mainwindow.h"
#include "ui/shellfonts.h"
#include "ui/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

// Receives the URLs the folder shortcuts hand to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class TestShellWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void constructionOrder();
    void startPage();
    void pageSwitching_data();
    void pageSwitching();
    void statusMessages();
    void clockFollowsSchedulerSwitch();
    void windowTitleAndGeometry();
    void darkAndLightLook();
    void fontsAndShellWidgets();
    void aboutBox_data();
    void aboutBox();
    void aboutBoxMissingLanguage();
    void modelsDialogAgain();
    void folderShortcuts();
    void exitCloses();
    void modelsDialogEntries();

private:
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("missing child %s", name);
        return found;
    }
    QAction *action(const char *name) const { return child<QAction>(name); }

    std::shared_ptr<CaptureDestination> m_capture;
    OrvLogging::DestinationPtr m_destination;
    ModalCloser *m_closer = nullptr;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_linesWhenModelsShown;
};

void TestShellWindow::initTestCase()
{
    auto *capture = new CaptureDestination;
    m_destination = OrvLogging::DestinationPtr(capture);
    OrvLogging::Logger::instance().setLoggingLevel(OrvLogging::TraceLevel);
    OrvLogging::Logger::instance().addDestination(m_destination);

    m_closer = new ModalCloser(this);
    m_closer->setInspector([this, capture](QWidget *modal) {
        if (qobject_cast<DialogAboutPJ *>(modal) && m_linesWhenModelsShown.isEmpty())
            m_linesWhenModelsShown = capture->infoMessages();
    });
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestShellWindow::cleanupTestCase()
{
    m_window.reset();
    OrvLogging::Logger::instance().removeDestination(m_destination);
}

void TestShellWindow::constructionOrder()
{
    auto *capture = static_cast<CaptureDestination *>(m_destination.data());
    const QStringList messages = capture->allMessages();
    // The sandbox has no usable network, so the configured local address
    // (127.0.0.1: loopback is never a local network) is reported missing.
    const QStringList steps{"INFO Start UI", "INFO Start Timer1s", "INFO Read INI",
                            "ERROR Configured LocalIP NOT found!", "INFO Create Status/Cmd Panel"};
    int last = -1;
    for (const QString &step : steps) {
        const int at = messages.indexOf(step);
        QVERIFY2(at > last,
                 qPrintable(step + QStringLiteral(" out of order in ") + messages.join(QLatin1String(" | "))));
        last = at;
    }
    QVERIFY(messages.filter(QStringLiteral("Found Local Network:")).isEmpty());

    // Two modal windows held construction up: the missing local address,
    // then the projector models, each after its step was announced.
    const QList<ModalCloser::Seen> seen = m_closer->seen();
    QVERIFY(seen.size() >= 2);
    QCOMPARE(seen.at(0).className, QStringLiteral("QMessageBox"));
    QCOMPARE(seen.at(0).title, QStringLiteral("127.0.0.1"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Configured LocalIP NOT Found! \nApply change and try again!"));
    QCOMPARE(seen.at(1).className, QStringLiteral("DialogAboutPJ"));
    // Between the step's announcement and the models dialog only the default
    // command catalogue is loaded.
    const int panelStep = m_linesWhenModelsShown.lastIndexOf(QStringLiteral("Create Status/Cmd Panel"));
    QVERIFY(panelStep >= 0);
    for (const QString &line : m_linesWhenModelsShown.mid(panelStep + 1))
        QVERIFY2(line.startsWith(QLatin1String("Got command CSV file:")), qPrintable(line));

    // The farewell is written by the destructor.
    {
        ModalCloser closer;
        MainWindow second;
    }
    QCOMPARE(capture->infoMessages().constLast(), QStringLiteral("Bye-Bye!"));
}

void TestShellWindow::startPage()
{
    auto *stack = child<QStackedWidget>("stackedWidgetMain");
    QVERIFY(stack);
    QCOMPARE(stack->currentIndex(), int(MainWindow::PageStatus));
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pageStatus"));
    QVERIFY(action("actionStatus")->isChecked());
    QVERIFY(!action("actionSchedule")->isChecked());
    QVERIFY(!action("actionControlPanel")->isChecked());
    QVERIFY(!action("actionCmd")->isChecked());
    QCOMPARE(stack->widget(MainWindow::PageControlPanel)->objectName(), QStringLiteral("pagePanel"));
    QCOMPARE(stack->widget(MainWindow::PageCommander)->objectName(), QStringLiteral("pageCommander"));
}

void TestShellWindow::pageSwitching_data()
{
    QTest::addColumn<QString>("actionName");
    QTest::addColumn<int>("page");
    QTest::newRow("commander") << "actionCmd" << int(MainWindow::PageCommander);
    QTest::newRow("scheduler") << "actionSchedule" << int(MainWindow::PageScheduler);
    QTest::newRow("control panel") << "actionControlPanel" << int(MainWindow::PageControlPanel);
    QTest::newRow("status") << "actionStatus" << int(MainWindow::PageStatus);
}

void TestShellWindow::pageSwitching()
{
    QFETCH(QString, actionName);
    QFETCH(int, page);
    auto *stack = child<QStackedWidget>("stackedWidgetMain");
    QAction *own = action(qPrintable(actionName));
    QSignalSpy switched(stack, &QStackedWidget::currentChanged);

    own->trigger();
    QCOMPARE(stack->currentIndex(), page);
    QCOMPARE(switched.count(), 1);
    const QStringList pageActions{"actionSchedule", "actionStatus", "actionControlPanel", "actionCmd"};
    for (const QString &name : pageActions)
        QCOMPARE(action(qPrintable(name))->isChecked(), name == actionName);

    // Choosing the page already shown keeps it, and its action stays checked
    // although the click toggled it.
    own->trigger();
    QCOMPARE(switched.count(), 1);
    QCOMPARE(stack->currentIndex(), page);
    QVERIFY(own->isChecked());
}

void TestShellWindow::statusMessages()
{
    QStatusBar *bar = m_window->statusBar();
    QElapsedTimer clock;
    clock.start();
    m_window->displayStatusMessage(QStringLiteral("12 bytes written!"));
    QCOMPARE(bar->currentMessage(), QStringLiteral("12 bytes written!"));
    QCOMPARE(bar->styleSheet(), QStringLiteral("QStatusBar{color:cyan}"));
    QTRY_VERIFY_WITH_TIMEOUT(bar->currentMessage().isEmpty(), 5000);
    // Qt's coarse timers may fire up to 5 % early; the point is that the
    // message stays for seconds, not that it is gone at once.
    QVERIFY2(clock.elapsed() >= 2500, qPrintable(QString::number(clock.elapsed())));

    m_window->displayStatusMessage(QStringLiteral("Error: Connection refused"));
    QCOMPARE(bar->styleSheet(), QStringLiteral("QStatusBar{color:orange}"));
    QTest::qWait(3300);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Error: Connection refused"));

    // The next message replaces it.
    m_window->displayStatusMessage(QStringLiteral("Status Exported!"));
    QCOMPARE(bar->currentMessage(), QStringLiteral("Status Exported!"));
    QCOMPARE(bar->styleSheet(), QStringLiteral("QStatusBar{color:cyan}"));
}

void TestShellWindow::clockFollowsSchedulerSwitch()
{
    auto *schedulerSwitch = child<QPushButton>("pushButton_ScheduleOnOff");
    QAction *time = action("actionTime");
    QCOMPARE(time->toolTip(), QStringLiteral("Current Time"));

    schedulerSwitch->setChecked(false);
    m_window->showTime();
    QCOMPARE(time->text(), QStringLiteral("00:00"));
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QToolButton{color:#606060;font-weight:bold}"));

    schedulerSwitch->setChecked(true);
    bool sawColon = false;
    bool sawBlank = false;
    QElapsedTimer clock;
    clock.start();
    while (!(sawColon && sawBlank) && clock.elapsed() < 3500) {
        const QTime before = QTime::currentTime();
        m_window->showTime();
        const QTime after = QTime::currentTime();
        if (before.second() == after.second()) {
            const QString expected = before.toString(QStringLiteral("hh:mm"));
            const QString shown = time->text();
            if (before.second() % 2 == 0) {
                QCOMPARE(shown, QString(expected).replace(QLatin1Char(':'), QLatin1Char(' ')));
                sawBlank = true;
            } else {
                QCOMPARE(shown, expected);
                sawColon = true;
            }
        }
        QTest::qWait(200);
    }
    QVERIFY(sawColon);
    QVERIFY(sawBlank);
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QToolButton{color:#20e020}"));

    // The one-second timer keeps the display going by itself.
    schedulerSwitch->setChecked(false);
    QTRY_COMPARE_WITH_TIMEOUT(time->text(), QStringLiteral("00:00"), 2500);
}

void TestShellWindow::windowTitleAndGeometry()
{
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral("Orvanto - 1.1.3.0 (") + QSysInfo::prettyProductName() + QLatin1Char(')'));
    // The offscreen screen is smaller than the window can be, so the window
    // may be held at its minimum size; otherwise it is exactly the rule's.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize minimum = m_window->minimumSizeHint();
    QCOMPARE(m_window->width(), qMax(available.width() * 8 / 10, minimum.width()));
    QCOMPARE(m_window->height(), qMax(available.height() * 9 / 10, minimum.height()));
    const QRect rule = WindowPlacement::mainWindow(QRect(0, 0, 1920, 1040));
    QCOMPARE(rule, QRect(192, 52, 1536, 936));
    QCOMPARE(WindowPlacement::mainWindow(QRect(100, 30, 1001, 700)), QRect(201, 65, 800, 630));
}

void TestShellWindow::darkAndLightLook()
{
    auto *stack = child<QStackedWidget>("stackedWidgetMain");
    auto *buttons = child<QFrame>("frameButtonBox");
    auto *central = child<QWidget>("centralWidget");
    // The clock's application style sheet wraps the style; take it off for a
    // moment to see the style underneath, then put the look back.
    const QString appSheet = qApp->styleSheet();
    qApp->setStyleSheet(QString());
    QCOMPARE(QApplication::style()->objectName(), QStringLiteral("fusion"));
    qApp->setStyleSheet(appSheet);
    m_window->applyLook(true);

    // Default settings: dark.
    QVERIFY(m_window->settings().darkStyle);
    QCOMPARE(qApp->palette().color(QPalette::Window), QColor(53, 53, 53));
    QCOMPARE(qApp->palette().color(QPalette::Base), QColor(25, 25, 25));
    QCOMPARE(qApp->palette().color(QPalette::Button), QColor(0x10, 0x35, 0x35));
    QCOMPARE(qApp->palette().color(QPalette::Highlight), QColor(64, 112, 112));
    QCOMPARE(stack->styleSheet(), QStringLiteral("QFrame{background:#383838;border:0px}"));
    QCOMPARE(buttons->styleSheet(), QStringLiteral("QFrame{background:#505050;border:0px}"));
    const QString centralSheet = central->styleSheet();
    QVERIFY(centralSheet.startsWith(QLatin1String("QPushButton{padding:4px;border:1px solid gray;border-radius:8px}")));
    QVERIFY(centralSheet.endsWith(QLatin1String("QGroupBox:disabled{color:gray}QRadioButton:disabled{color:gray}")));
    const QString toolBarSheet = child<QWidget>("mainToolBar")->styleSheet();
    QVERIFY(toolBarSheet.contains(QLatin1String("QToolBar::separator{width:48px}")));
    QVERIFY(toolBarSheet.contains(QLatin1String("QToolButton:checked{background:#808080;}")));

    m_window->applyLook(false);
    QVERIFY(qApp->palette().color(QPalette::Window) != QColor(53, 53, 53));
    QVERIFY(qApp->palette().color(QPalette::Base) != QColor(25, 25, 25));
    QVERIFY(stack->styleSheet().isEmpty());
    QVERIFY(buttons->styleSheet().isEmpty());
    QCOMPARE(central->styleSheet(), centralSheet);
    QCOMPARE(child<QWidget>("mainToolBar")->styleSheet(), toolBarSheet);

    // A light look leaves a palette it did not install alone.
    QPalette own = qApp->palette();
    own.setColor(QPalette::Window, QColor(200, 210, 220));
    QApplication::setPalette(own);
    m_window->applyLook(false);
    QCOMPARE(qApp->palette().color(QPalette::Window), QColor(200, 210, 220));

    m_window->applyLook(true);
    QCOMPARE(qApp->palette().color(QPalette::Window), QColor(53, 53, 53));
    QCOMPARE(stack->styleSheet(), QStringLiteral("QFrame{background:#383838;border:0px}"));
}

void TestShellWindow::fontsAndShellWidgets()
{
    const ShellFonts fonts = ShellFonts::load();
    const QFont clockFont = action("actionTime")->font();
    QCOMPARE(clockFont.family(), fonts.clockFamily());
    QCOMPARE(clockFont.weight(), int(QFont::Bold));
    QVERIFY(child<QWidget>("lineEdit_OpCmd")->font().italic());
    QCOMPARE(child<QWidget>("lineEdit_OpCmd")->font().family(), fonts.monoFamily());

    // Status bar: batch title and progress, hidden until a batch runs.
    auto *label = child<QLabel>("labelStatusProgress");
    auto *progress = child<QProgressBar>("progressBarStatus");
    QVERIFY(label && progress);
    QVERIFY(label->isHidden());
    QVERIFY(progress->isHidden());
    QCOMPARE(label->parentWidget(), m_window->statusBar());
    QCOMPARE(label->styleSheet(), QStringLiteral("QStatusBar QLabel{font:bold;font-family:Arial}"));

    // Console.
    auto *console = child<QPlainTextEdit>("plainTextConsole");
    QVERIFY(console->isReadOnly());
    QVERIFY(!console->centerOnScroll());
    auto *debug = child<QPushButton>("pushButton_DebugTCP");
    QVERIFY(debug->isCheckable());
    QCOMPARE(debug->toolTip(), QStringLiteral("TCP Traffic Debug"));
    QCOMPARE(child<QWidget>("pushButtonLogClear")->toolTip(), QStringLiteral("Clear Console Log"));
    QCOMPARE(child<QPushButton>("pushButtonLogSave")->text(), QStringLiteral("Save"));
    QCOMPARE(child<QWidget>("pushButtonLogSave")->toolTip(), QStringLiteral("Save Log As"));

    // Command page.
    QCOMPARE(child<QWidget>("comboboxIP")->toolTip(), QStringLiteral("Connectable IP"));
    QCOMPARE(child<QLineEdit>("lineEdit_Port")->text(), QStringLiteral("7000"));
    QCOMPARE(child<QWidget>("lineEdit_Port")->toolTip(), QStringLiteral("Default"));
    QCOMPARE(child<QWidget>("lineEdit_OpCmd")->toolTip(), QStringLiteral("Add <CR> when sending"));
    auto *send = child<QPushButton>("pushButton_SendCmd");
    QVERIFY(!send->isEnabled());
    QCOMPARE(send->toolTip(), QStringLiteral("Send command to target"));
    QCOMPARE(send->statusTip(), QStringLiteral("Send command to target"));
    QVERIFY(child<QDialogButtonBox>("buttonBox"));
    auto *cmdStack = child<QStackedWidget>("stackedWidgetCmd");
    QCOMPARE(cmdStack->count(), 2);
    QVERIFY(cmdStack->widget(1)->findChild<QWidget *>(QStringLiteral("tableViewCmd")));

    // Menu bar corner: the product mark, and a menu bar of our own.
    QMenuBar *menu = m_window->menuBar();
    QVERIFY(!menu->isNativeMenuBar());
    auto *corner = qobject_cast<QLabel *>(menu->cornerWidget());
    QVERIFY(corner);
    QCOMPARE(corner->size(), QSize(64, 50));
    QVERIFY(!corner->pixmap(Qt::ReturnByValue).isNull());

    // Periodic task row counts down to the next status poll.
    auto *pollBar = child<QProgressBar>("progressBarStatusPoll");
    QVERIFY(pollBar);
    QCOMPARE(pollBar->maximum(), m_window->settings().statusPoll * 60);
}

void TestShellWindow::aboutBox_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("marker");
    QTest::newRow("english") << "en_US"
                             << "Projector Fleet Manager";
    QTest::newRow("simplified") << "zh_CN" << QString::fromUtf8("投影机群管理器");
    QTest::newRow("traditional") << "zh_TW" << QString::fromUtf8("投影機群管理器");
}

void TestShellWindow::aboutBox()
{
    QFETCH(QString, language);
    QFETCH(QString, marker);
    m_window->setLanguage(language);
    m_closer->clear();
    action("actionHelp")->trigger();
    QCOMPARE(m_closer->seen().size(), 1);
    const ModalCloser::Seen box = m_closer->seen().constFirst();
    QCOMPARE(box.className, QStringLiteral("QMessageBox"));
    QCOMPARE(box.title, QStringLiteral("Orvanto ReleaseBuild-") + QLatin1String(__DATE__));
    QVERIFY(box.text.contains(marker));
    const QString tail =
        QStringLiteral("<br>OS: ") + QSysInfo::prettyProductName() + QStringLiteral("<br>IP: 127.0.0.1") +
        QStringLiteral("<br>App: ") + QCoreApplication::applicationDirPath() + QStringLiteral("<br>Log: ") +
        QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation).value(0) +
        QStringLiteral("<br>Config: ") + QStandardPaths::standardLocations(QStandardPaths::AppDataLocation).value(0);
    QVERIFY2(box.text.endsWith(tail), qPrintable(box.text.right(300)));
    m_window->setLanguage(QStringLiteral("en_US"));
}

void TestShellWindow::aboutBoxMissingLanguage()
{
    m_window->setLanguage(QStringLiteral("fr_FR"));
    m_closer->clear();
    QTest::ignoreMessage(QtDebugMsg, "About Not Found: \":/html/About_fr_FR.html\"");
    action("actionHelp")->trigger();
    QTest::qWait(150);
    QVERIFY(m_closer->seen().isEmpty());
    m_window->setLanguage(QStringLiteral("en_US"));
}

void TestShellWindow::modelsDialogAgain()
{
    m_closer->clear();
    action("actionAbout")->trigger();
    QCOMPARE(m_closer->classNames(), QStringList{QStringLiteral("DialogAboutPJ")});
    QCOMPARE(action("actionAbout")->text(), QStringLiteral("About"));
}

void TestShellWindow::folderShortcuts()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    action("actionOpen_Log_Location")->trigger();
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^on_actionOpen_Config_Location_triggered ")));
    action("actionOpen_Config_Location")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.at(0).toLocalFile(),
             QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation).value(0));
    QCOMPARE(catcher.urls.at(1).toLocalFile(),
             QStandardPaths::standardLocations(QStandardPaths::AppDataLocation).value(0));
}

void TestShellWindow::exitCloses()
{
    ModalCloser closer;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAction *exit = window.findChild<QAction *>(QStringLiteral("actionExit"));
    exit->trigger();
    QVERIFY(!window.isVisible());
}

void TestShellWindow::modelsDialogEntries()
{
    QTemporaryDir plugins;
    QVERIFY(plugins.isValid());
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(plugins.filePath(QStringLiteral("KX4410Q.png"))));
    for (const char *name : {"KX4410Q.csv", "ZX100.csv", "readme.txt"}) {
        QFile file(plugins.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    DialogAboutPJ dialog(nullptr, plugins.path());
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("listWidget"));
    QVERIFY(list);
    QCOMPARE(list->viewMode(), QListView::IconMode);
    QVERIFY(list->iconSize().width() >= 64);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("KX4410Q"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("ZX100"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("UnKnown"));
    // The shipped picture is shown as it is; a model without one still gets an icon.
    const QImage shown = list->item(0)->icon().pixmap(QSize(40, 30)).toImage();
    QCOMPARE(shown.pixelColor(20, 15), QColor(Qt::red));
    QVERIFY(!list->item(1)->icon().isNull());
    QVERIFY(!list->item(2)->icon().isNull());

    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.styleSheet(), QStringLiteral("QPushButton{border:2px solid gray;border-radius:8px}"
                                                 "QPushButton:hover{background-color:teal}"));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(dialog.geometry().center().x() - available.center().x()) <= 1);

    // Its button closes it.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButton")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

ORV_TEST_MAIN(TestShellWindow)
#include "tst_shellwindow.moc"
