#include "app/appfolders.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "ui/darkpalette.h"
#include "ui/dialogaboutpj.h"
#include "ui/dialoguserguide.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTemporaryDir>

#include <memory>

// The main window's shell: how it is built, its pages, status bar, clock,
// title, looks, About box and the projector-models dialog.
class TestShellWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void constructionOrder();
    void startPageAndTitle();
    void pageSwitching_data();
    void pageSwitching();
    void statusMessages();
    void clockFollowsSchedulerSwitch();
    void darkAndLightLook();
    void aboutBox_data();
    void aboutBox();
    void modelsDialogEntries();
    void userGuideOnF1();

private:
    template <typename T = QAction> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(name);
        return found ? found : (qFatal("missing child %s", name), nullptr);
    }
    // "LEVEL message" of every line logged so far.
    QStringList messages() const
    {
        QStringList list;
        for (const LogCapture::Entry &e : m_log.entries())
            list << e.level.trimmed() + ' ' + LogCapture::text(e);
        return list;
    }

    LogCapture m_log;
    ModalCloser m_closer;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_linesWhenModelsShown;
    int m_shotsWhileBuilding = 0;
    QStringList m_unmatchedSlots;
};

void TestShellWindow::initTestCase()
{
    m_closer.setInspector([this](QWidget *modal) {
        if (qobject_cast<DialogAboutPJ *>(modal) && m_linesWhenModelsShown.isEmpty())
            m_linesWhenModelsShown = messages();
    });
    // The constructor must not run the event loop: a due timer (or anything
    // else queued) would reach a window that is only half built.
    QTimer probe;
    probe.setInterval(0);
    connect(&probe, &QTimer::timeout, this, [this] { ++m_shotsWhileBuilding; });
    probe.start();
    // Every on_<object>_<signal> slot must find its object: a slot whose
    // widget was renamed or removed would silently never run.
    static QStringList unmatchedSlots;
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (text.startsWith("QMetaObject::connectSlotsByName: No matching signal"))
            unmatchedSlots << text;
        if (previous)
            previous(type, context, text);
    });
    m_window = std::make_unique<MainWindow>();
    qInstallMessageHandler(previous);
    m_unmatchedSlots = unmatchedSlots;
    probe.stop();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestShellWindow::constructionOrder()
{
    // The sandbox has no usable network and the settings keep the default
    // local address: a fresh install, noted in the status bar, no box.
    QCOMPARE(m_shotsWhileBuilding, 0);
    QVERIFY2(m_unmatchedSlots.isEmpty(), qPrintable(m_unmatchedSlots.join('\n')));
    const QStringList all = messages();
    int last = -1;
    // The note and the connection check come once the window is whole.
    for (const char *step : {"INFO Start UI", "INFO Start Timer1s", "INFO Read INI", "INFO Build IP Tree",
                             "INFO Create Status/Cmd Panel", "WARN No local network found; LocalIP stays \"127.0.0.1\"",
                             "INFO Finding Connectable Ip at TCP port 7000"}) {
        const int at = all.indexOf(step);
        QVERIFY2(at > last, qPrintable(step + QString(" out of order in ") + all.join(" | ")));
        last = at;
    }
    QVERIFY(!all.contains("ERROR Configured LocalIP NOT found!"));
    // The one modal window: the projector models, once the check is done.
    QCOMPARE(m_closer.classNames().mid(0, 1), QStringList({"DialogAboutPJ"}));
    QVERIFY(!m_linesWhenModelsShown.isEmpty());
    QVERIFY2(m_linesWhenModelsShown.last().startsWith("INFO Found IP:"), qPrintable(m_linesWhenModelsShown.last()));
}

void TestShellWindow::startPageAndTitle()
{
    QCOMPARE(child<QStackedWidget>("stackedWidgetMain")->currentIndex(), int(MainWindow::PageStatus));
    QVERIFY(child("actionStatus")->isChecked());
    QCOMPARE(m_window->windowTitle(), "Orvanto - 1.1.3.0 (" + QSysInfo::prettyProductName() + ')');
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
    QAction *own = child(qPrintable(actionName));
    QSignalSpy switched(stack, &QStackedWidget::currentChanged);
    own->trigger();
    QCOMPARE(stack->currentIndex(), page);
    QCOMPARE(switched.count(), 1);
    for (const char *name : {"actionSchedule", "actionStatus", "actionControlPanel", "actionCmd"})
        QCOMPARE(child(name)->isChecked(), name == actionName);
    // Choosing the page already shown keeps it, and its action stays checked
    // although the click toggled it.
    own->trigger();
    QCOMPARE(switched.count(), 1);
    QVERIFY(own->isChecked());
}

// A failed connect and its session's time-out come together: the failure
// stays in orange (how long is StatusMessageStyle's rule).
void TestShellWindow::statusMessages()
{
    QStatusBar *bar = m_window->statusBar();
    m_window->displayStatusMessage("Error:Socket operation timed out");
    m_window->displayStatusMessage("Socket Timeout!");
    QCOMPARE(bar->currentMessage(), QString("Error:Socket operation timed out"));
    QCOMPARE(bar->styleSheet(), QString("QStatusBar{color:orange}"));
}

void TestShellWindow::clockFollowsSchedulerSwitch()
{
    auto *schedulerSwitch = child<QPushButton>("pushButton_ScheduleOnOff");
    QAction *time = child("actionTime");
    schedulerSwitch->setChecked(false);
    m_window->showTime();
    QCOMPARE(time->text(), QString("00:00"));
    QCOMPARE(qApp->styleSheet(), QString("QToolButton{color:#606060;font-weight:bold}"));

    // On: the time (the blinking itself is ClockText's rule).
    schedulerSwitch->setChecked(true);
    m_window->showTime();
    QVERIFY(time->text() != "00:00");
    QCOMPARE(qApp->styleSheet(), QString("QToolButton{color:#20e020}"));

    // The one-second timer keeps the display going by itself.
    schedulerSwitch->setChecked(false);
    QTRY_COMPARE_WITH_TIMEOUT(time->text(), QString("00:00"), 2500);
}

void TestShellWindow::darkAndLightLook()
{
    auto *stack = child<QStackedWidget>("stackedWidgetMain");
    QVERIFY(m_window->settings().darkStyle); // the default
    m_window->applyLook(true);
    QVERIFY(DarkPalette::isDark(qApp->palette()));
    QCOMPARE(stack->styleSheet(), QString("QFrame{background:#383838;border:0px}"));

    m_window->applyLook(false);
    QVERIFY(!DarkPalette::isDark(qApp->palette()));
    QVERIFY(stack->styleSheet().isEmpty());

    // A light look leaves a palette it did not install alone.
    QPalette own = qApp->palette();
    own.setColor(QPalette::Window, QColor(200, 210, 220));
    QApplication::setPalette(own);
    m_window->applyLook(false);
    QCOMPARE(qApp->palette().color(QPalette::Window), QColor(200, 210, 220));
    m_window->applyLook(true);
    QVERIFY(DarkPalette::isDark(qApp->palette()));
}

void TestShellWindow::aboutBox_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("marker");
    QTest::newRow("english") << QString("en_US") << QString("Projector Fleet Manager");
    QTest::newRow("simplified") << QString("zh_CN") << QString("投影机群管理器");
    QTest::newRow("missing language: no box") << QString("fr_FR") << QString();
}

void TestShellWindow::aboutBox()
{
    QFETCH(QString, language);
    QFETCH(QString, marker);
    m_window->setLanguage(language);
    m_closer.clear();
    if (marker.isNull())
        QTest::ignoreMessage(QtDebugMsg, "About Not Found: \":/html/About_fr_FR.html\"");
    child("actionHelp")->trigger();
    m_window->setLanguage("en_US");
    if (marker.isNull()) {
        QTest::qWait(150);
        QVERIFY(m_closer.seen().isEmpty());
        return;
    }
    QCOMPARE(m_closer.classNames(), QStringList{"QMessageBox"});
    const ModalCloser::Seen box = m_closer.seen().constFirst();
    // The window's build date, in the compiler's "Mar  5 2024" form (the
    // test itself may be compiled on another day).
    QVERIFY2(QRegularExpression("^Orvanto ReleaseBuild-[A-Z][a-z]{2} [ 123]\\d \\d{4}$").match(box.title).hasMatch(),
             qPrintable(box.title));
    QVERIFY(box.text.contains(marker));
    const QString tail = "<br>OS: " + QSysInfo::prettyProductName() +
                         "<br>IP: 127.0.0.1<br>App: " + AppFolders::programFolder() + "<br>Log: " +
                         QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation).value(0) +
                         "<br>Config: " + QStandardPaths::standardLocations(QStandardPaths::AppDataLocation).value(0);
    QVERIFY2(box.text.endsWith(tail), qPrintable(box.text.right(300)));
}

// One entry per catalogue, by name, with its picture (or the stand-in), then
// the catch-all entry. The About action shows the dialog again.
void TestShellWindow::modelsDialogEntries()
{
    QTemporaryDir plugins;
    QVERIFY(plugins.isValid());
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(plugins.filePath("KX4410Q.png")));
    for (const char *name : {"ZX100.csv", "KX4410Q.csv", "readme.txt"}) {
        QFile file(plugins.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    DialogAboutPJ dialog(nullptr, plugins.path());
    auto *list = dialog.findChild<QListWidget *>("listWidget");
    QVERIFY(list);
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    QCOMPARE(names, QStringList({"KX4410Q", "ZX100", "UnKnown"}));
    QCOMPARE(list->item(0)->icon().pixmap(QSize(40, 30)).toImage().pixelColor(20, 15), QColor(Qt::red));
    QVERIFY(!list->item(1)->icon().isNull() && !list->item(2)->icon().isNull());

    m_closer.clear();
    child("actionAbout")->trigger();
    QCOMPARE(m_closer.classNames(), QStringList{"DialogAboutPJ"});
}

void TestShellWindow::userGuideOnF1()
{
    QAction *guide = child("actionUserGuide");
    QCOMPARE(guide->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(child("actionHelp")->shortcut().isEmpty());
    guide->trigger();
    auto *dialog = m_window->findChild<DialogUserGuide *>();
    QVERIFY(dialog && dialog->isVisible());
    auto *browser = dialog->findChild<QTextBrowser *>("textBrowserGuide");
    // Rendered from Markdown: headings are headings, not "#" lines.
    QVERIFY(browser->toHtml().contains("<h2"));
    QVERIFY(!browser->toPlainText().contains("## "));
    for (const char *topic : {"Config", "status table", "All On", "passcode: 9071", "command console",
                              "repeat period", "allcmdsByName", "waitTcpClose", "Brivox"})
        QVERIFY2(dialog->find(topic), topic);
    QVERIFY(!dialog->find("no such words in the guide"));
    dialog->close();

    // The Chinese window gets the Chinese guide; a language without one the English.
    DialogUserGuide chinese(QStringLiteral("zh_CN"));
    QVERIFY(chinese.findChild<QTextBrowser *>("textBrowserGuide")->toPlainText().startsWith(QString::fromUtf8("Orvanto 用户指南")));
    QVERIFY(chinese.find(QString::fromUtf8("历史记录")));
    QCOMPARE(DialogUserGuide::resourcePath(QStringLiteral("fr_FR")), QString::fromLatin1(DialogUserGuide::ResourcePath));
}

ORV_TEST_MAIN(TestShellWindow)
#include "tst_shellwindow.moc"
