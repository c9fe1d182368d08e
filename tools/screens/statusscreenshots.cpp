// Pictures of the status page for a person to look at: a mixed fleet with
// every lamp picture, all three bar colours, a lamp past its life, an
// unknown life, a projector that is not connected and a decoded error code,
// in the dark and the light look.
//   status_screenshots OUTDIR [zh_CN]   (under Xvfb inside the network sandbox)
#include "tools/screens/screenshotsupport.h"
#include "monitor/statusmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTranslator>

namespace {

void fillFleet(MainWindow &window)
{
    TableModelStatus *model = window.statusMonitor()->model();
    const QStringList rows[] = {
        {"10.0.0.11", "KX4410Q", "KXQ1234567", "0", "0000", "9000", "20000", "HDMI1", "No Signal"},
        {"10.0.0.12", "KX4410Q", "KXQ2345678", "1", "0000", "15800", "20000", "HDMI1", "No Signal"},
        {"10.0.0.13", "KX4410Q", "KXQ3456789", "2", "0000", "18600", "20000", "SDI", "1920x1080@50Hz"},
        {"10.0.0.14", "KX2800L", "KXL4567890", "3", "0000", "2950", "3000", "VGA", "No Signal"},
        {"10.0.0.15", "KX2800L", "KXL5678901", "4", "0612", "3300", "3000", "HDMI2", "No Signal"},
        {"10.0.0.16", "Alien", "", "7", "", "500", "", "", ""},
        {"10.0.0.17", "", "", "", "", "", "", "", ""},
    };
    QStringList addresses;
    for (const QStringList &row : rows)
        addresses.append(row.first());
    model->resetAddresses(addresses);
    for (int r = 0; r < addresses.size(); ++r)
        for (int c = 1; c < rows[r].size(); ++c)
            model->setCell(r, c, rows[r].at(c));
    model->slotUpdateConnectedIP(addresses.mid(0, 6));
    window.findChild<QLineEdit *>(QStringLiteral("lineEditErrCode"))->setText(QStringLiteral("0612"));
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en_US");
    QDir().mkpath(outDir);
    QTranslator translator;
    installTranslation(translator, language);

    ModalCloser closer;
    MainWindow window;
    window.statusMonitor()->stopPolling();
    window.show();
    QTest::qWait(500);
    fillFleet(window);
    for (bool dark : {true, false}) {
        window.applyLook(dark);
        window.findChild<QAction *>(QStringLiteral("actionStatus"))->trigger();
        // The label colour follows the look from the next change on.
        auto *code = window.findChild<QLineEdit *>(QStringLiteral("lineEditErrCode"));
        code->setText(QStringLiteral("0000"));
        code->setText(QStringLiteral("0612"));
        QTest::qWait(800);
        const QString path = QStringLiteral("%1/status_%2_%3.png")
                                 .arg(outDir, dark ? QStringLiteral("dark") : QStringLiteral("light"), language);
        if (window.grab().save(path))
            qInfo("wrote %s", qPrintable(path));
    }
    return 0;
}
