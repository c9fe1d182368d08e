// Pictures of the main window shell for a person to look at: every page, the
// configuration dialog, the About box and the model list in the dark and the
// light look, the splash screen, and the console squeezed to 800 x 560.
//   shell_screenshots OUTDIR [LANGUAGE]   (under Xvfb inside the network sandbox)
// With LANGUAGE zh_CN the window runs translated, as the program would.
#include "tools/screens/screenshotsupport.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include "app/appfolders.h"
#include "ui/mainwindow.h"
#include "ui/splashwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTranslator>
#include <QTreeWidget>

namespace {

void fillSamples(MainWindow &window)
{
    // Some content so that the look of the empty shell can be judged.
    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("treeWidgetGroupIP"));
    auto *group = new QTreeWidgetItem(tree, {QStringLiteral("Hall A")});
    group->setCheckState(0, Qt::Checked);
    for (int i = 2; i < 6; ++i) {
        auto *row = new QTreeWidgetItem(group, {QString(), QStringLiteral("127.0.0.%1").arg(i),
                                                QStringLiteral("Stage %1").arg(i - 1), QStringLiteral("KX4410Q")});
        row->setCheckState(0, i == 4 ? Qt::Unchecked : Qt::Checked);
        row->setIcon(0, QIcon(i == 5 ? QStringLiteral(":/images/cloud0_32x32.png")
                                     : QStringLiteral(":/images/cloud1_32x32.png")));
    }
    tree->expandAll();
    for (const char *line : {">op model ?", "<<127.0.0.2", "<<<OP MODEL=KX4410Q",
                             "!127.0.0.9 refused: op status ? (Connection refused)",
                             ">op keystone.h = 12 op keystone.v = 4 op input.sel = 1 op bright = 50 op contrast = 50 "
                             "op lens.shift.h = 100 op lens.shift.v = -100 op lens.zoom = 30 op lens.focus = 70"})
        window.displayLogMessage(QString::fromLatin1(line));
    window.findChild<QLineEdit *>(QStringLiteral("lineEdit_OpName"))->setText(QStringLiteral("(LAN Firmware Version)"));
    window.findChild<QLineEdit *>(QStringLiteral("lineEdit_OpCmd"))->setText(QStringLiteral("op lan.ver ?"));
    window.displayStatusMessage(QStringLiteral("Error:Connection refused"));
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en_US");
    QDir().mkpath(outDir);
    AppFolders::ensureFolder(AppFolders::userDataFolder());
    TestFiles::write(AppFolders::configFolder() + QStringLiteral("/Orvanto.ini"),
                     QStringLiteral("[Default]\nCmdFile=KX4410Q.csv\nLanguage=%1\n").arg(language).toUtf8());
    QTranslator translator;
    installTranslation(translator, language);

    // What the modal windows are saved as: set before each one is opened.
    QString modalName = QStringLiteral("start");
    ModalCloser closer;
    closer.setInspector([&](QWidget *modal) {
        settle(300);
        saveShot(modal, QStringLiteral("%1/%2_%3.png").arg(outDir, modalName, modal->metaObject()->className()));
    });

    MainWindow window;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *splash = qobject_cast<SplashWindow *>(top))
            saveShot(splash, outDir + QStringLiteral("/splash.png"));
    window.show();
    fillSamples(window);
    settle(800);

    const char *pages[] = {"actionSchedule", "actionStatus", "actionControlPanel", "actionCmd"};
    for (bool dark : {true, false}) {
        const QString look = dark ? QStringLiteral("dark") : QStringLiteral("light");
        window.applyLook(dark);
        window.findChild<QPushButton *>(QStringLiteral("pushButton_ScheduleOnOff"))->setChecked(!dark);
        for (int page = 0; page < 4; ++page) {
            window.findChild<QAction *>(QString::fromLatin1(pages[page]))->trigger();
            if (page == 2)
                window.findChild<QTabWidget *>(QStringLiteral("tabWidgetControlPanel"))->setCurrentIndex(2);
            settle(1200);
            saveShot(&window, QStringLiteral("%1/%2_page%3.png").arg(outDir, look).arg(page));
        }
        for (const char *action : {"actionConfig", "actionHelp", "actionAbout"}) {
            modalName = look + QLatin1Char('_') + QLatin1String(action);
            window.findChild<QAction *>(QString::fromLatin1(action))->trigger();
        }
    }
    // The console on a small screen: toolbar overflow, wrapped categories
    // and long lines.
    window.showNormal();
    window.resize(800, 560);
    window.findChild<QAction *>(QStringLiteral("actionCmd"))->trigger();
    settle(1200);
    saveShot(&window, outDir + QStringLiteral("/light_small_console.png"));
    return 0;
}
