// Pictures of the group tree for a person to look at: groups, a "Found"
// group, connected and unconnected projectors, in both looks and in zh_CN.
//   discovery_screenshots OUTDIR   (inside the network sandbox, offscreen or Xvfb)
#include "tools/screens/screenshotsupport.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include "app/appfolders.h"
#include "net/grouptree.h"
#include "net/mytreeip.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QTranslator>
#include <QTreeWidget>

namespace {

void shoot(bool dark, const QString &path)
{
    ModalCloser closer;
    MainWindow window;
    window.applyLook(dark);
    window.show();
    settle(400);
    GroupTree *tree = window.groupTree();
    tree->udpFoundIP("127.0.0.2", "KX4410Q", "KXQ1234567", "02:50:4A:00:00:02");
    tree->udpFoundIP("127.0.0.3", "KX2800L", "KXL7654321", "02:50:4A:00:00:03");
    tree->udpFoundIP("10.77.0.2", "KX4410Q", "Brivox-0", "9E:12:4C:00:AB:01");
    tree->tree()->setCurrentItem(tree->tree()->topLevelItem(0)->child(0));
    settle(300);
    if (!tree->tree()->grab().save(path))
        qWarning("could not write %s", qPrintable(path));
    else
        qInfo("wrote %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    AppFolders::ensureFolder(AppFolders::userDataFolder());
    TestFiles::write(AppFolders::configFolder() + "/GroupIP.csv",
                     "Group, Select, IP, Name\nMain Hall,1\n ,1,127.0.0.2,Stage left\n ,0,127.0.0.4,Stage right\n"
                     "Salle é,1\n ,1,127.0.0.3,Dôme\n展厅,0\n ,1,127.0.0.5,East\n");
    shoot(true, out + "/tree_dark.png");
    shoot(false, out + "/tree_light.png");
    QTranslator translator;
    installTranslation(translator, QStringLiteral("zh_CN"));
    shoot(true, out + "/tree_dark_zh_CN.png");
    return 0;
}
