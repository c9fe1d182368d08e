// Pictures of the ten control-panel tabs filled from a simulated projector,
// at 1280 x 800, for a person to look at:
//   scripts/sandbox.sh run build/tools/panel_screenshots OUTDIR dark|light [zh_CN]
#include "tools/screens/screenshotsupport.h"
#include "panel/paneltabs.h"
#include "tests/common/testenvironment.h"
#include "tests/panel/panelfixture.h"

#include <QDir>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString outDir = args.value(1, QStringLiteral("screenshots"));
    const bool dark = args.value(2) != QLatin1String("light");
    const QString language = args.value(3);
    QTranslator translator;
    installTranslation(translator, language);
    QDir().mkpath(outDir);
    PanelFixture fixture;
    if (!fixture.start(dark)) {
        qCritical("cannot start: %s", fixture.errorText());
        return 1;
    }
    fixture.answerPasscodeWith(QStringLiteral("9071"));
    for (int index = 0; index < PanelTabs::Count; ++index) {
        fixture.clickTab(index);
        QTest::qWait(800);
        const QString name = PanelTabs::at(index).page.mid(3).toLower();
        const QString look = QLatin1String(dark ? "dark" : "light") + (language.isEmpty() ? QString() : "_" + language);
        const QString path = QStringLiteral("%1/panel_%2_%3_%4.png")
                                 .arg(outDir, look)
                                 .arg(index)
                                 .arg(name);
        if (fixture.window()->grab().save(path))
            qInfo("wrote %s", qPrintable(path));
    }
    return 0;
}
