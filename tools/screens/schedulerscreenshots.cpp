// Pictures of the scheduler page with jobs, for a person to look at: dark
// and light look, and the light look in zh_CN.
//   scheduler_screenshots OUTDIR   (inside the network sandbox, offscreen or Xvfb)
#include "tools/screens/screenshotsupport.h"
#include "app/appfolders.h"
#include "automation/cronjobsfile.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTranslator>

namespace {

void shoot(const QString &outDir, const QString &name, const QByteArray &ini)
{
    const QString config = AppFolders::configFolder();
    TestFiles::write(config + "/Orvanto.ini", ini);
    MainWindow window;
    window.resize(1500, 900);
    window.show();
    window.findChild<QAction *>("actionSchedule")->trigger();
    window.findChild<QPushButton *>("pushButton_ScheduleOnOff")->click();
    auto *table = window.findChild<QTableView *>("tableViewScheduler");
    table->selectRow(1);
    QTest::qWait(2500);
    const QString path = outDir + "/" + name + ".png";
    if (window.grab().save(path))
        qInfo("wrote %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(outDir);
    ModalCloser closer;
    const QString config = AppFolders::configFolder();
    TestFiles::write(config + "/CronJobs.csv",
              CronJobsFile::headerLine()
                  + "AllOn.js,08:30,1;2;3;4;5,1,1,1,1,1,0,0,Yes,0\r\nAllOff.js,18:00,1;2;3;4;5;6;7,1,1,1,1,1,1,1,Yes,0\r\n"
                    "StatusReport.js,00:10,*,1,1,1,1,1,1,1,No,0\r\nAllOn.js,23:40,6;7,0,0,0,0,0,1,1,No,0\r\nLampHoursCheck.js,07:45,1,1,0,0,0,0,0,0,No,0\r\n");
    shoot(outDir, "scheduler_dark", "[Default]\nStyle=Dark\nLocalIP=127.0.0.1\n");
    shoot(outDir, "scheduler_light", "[Default]\nStyle=Light\nLocalIP=127.0.0.1\n");
    QTranslator translator;
    installTranslation(translator, QStringLiteral("zh_CN"));
    shoot(outDir, "scheduler_zh_CN", "[Default]\nStyle=Dark\nLanguage=zh_CN\nLocalIP=127.0.0.1\n");
    return 0;
}
