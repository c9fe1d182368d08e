// Pictures of the main window shell for a person to look at: every page in
// the dark and the light look, the splash screen and the modal boxes.
//   shell_screenshots OUTDIR   (run under Xvfb inside the network sandbox)
#include "tests/common/testenvironment.h"

#include "tests/common/modalcloser.h"

#include "ui/mainwindow.h"
#include "ui/splashwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void save(QWidget *widget, const QString &path)
{
    if (!widget->grab().save(path))
        qWarning("could not write %s", qPrintable(path));
    else
        qInfo("wrote %s", qPrintable(path));
}

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
    auto *console = window.findChild<QPlainTextEdit *>(QStringLiteral("plainTextConsole"));
    console->appendPlainText(QStringLiteral("--- Check Status ---@09:30:00.125"));
    console->appendPlainText(QStringLiteral(">127.0.0.2:7000 op model ?"));
    console->appendPlainText(QStringLiteral("127.0.0.2>\tOP MODEL=KX4410Q"));
    window.displayStatusMessage(QStringLiteral("12 bytes written!"));
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(outDir);

    int modalCount = 0;
    ModalCloser closer;
    closer.setInspector([&](QWidget *modal) {
        settle(200);
        save(modal,
             QStringLiteral("%1/modal%2_%3.png").arg(outDir).arg(++modalCount).arg(modal->metaObject()->className()));
    });

    MainWindow window;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *splash = qobject_cast<SplashWindow *>(top))
            save(splash, outDir + QStringLiteral("/splash.png"));
    window.show();
    fillSamples(window);
    settle(800);

    const char *pages[] = {"actionSchedule", "actionStatus", "actionControlPanel", "actionCmd"};
    for (bool dark : {true, false}) {
        window.applyLook(dark);
        window.findChild<QPushButton *>(QStringLiteral("pushButton_ScheduleOnOff"))->setChecked(!dark);
        for (int page = 0; page < 4; ++page) {
            window.findChild<QAction *>(QString::fromLatin1(pages[page]))->trigger();
            if (page == 2)
                window.findChild<QTabWidget *>(QStringLiteral("tabWidgetControlPanel"))->setCurrentIndex(2);
            settle(1200);
            save(&window, QStringLiteral("%1/%2_page%3.png")
                              .arg(outDir, dark ? QStringLiteral("dark") : QStringLiteral("light"))
                              .arg(page));
        }
    }
    window.applyLook(true);
    window.findChild<QAction *>(QStringLiteral("actionHelp"))->trigger();
    window.setLanguage(QStringLiteral("zh_CN"));
    window.findChild<QAction *>(QStringLiteral("actionHelp"))->trigger();
    window.findChild<QAction *>(QStringLiteral("actionAbout"))->trigger();
    return 0;
}
