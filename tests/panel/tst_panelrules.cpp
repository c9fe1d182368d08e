#include "net/singlesenddebounce.h"
#include "panel/geometrystep.h"
#include "panel/latestvalueresender.h"
#include "panel/optionmatch.h"
#include "panel/paneltabs.h"
#include "panel/passcoderule.h"
#include "panel/settingfile.h"
#include "panel/widgetcommandmap.h"
#include "panel/widgetcommandtable.h"
#include "tests/common/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The control panel's widget-free rules: the widget-command table, option
// matching, the passcode texts, the geometry step buttons, the setting-file
// format and the latest-value resend.
class TestPanelRules : public QObject
{
    Q_OBJECT

private slots:
    void builtInTableHasEveryLine();
    void builtInTableLookups_data();
    void builtInTableLookups();
    void tableParsingRules();

    void optionMatch_data();
    void optionMatch();

    void passcodeTextsEscapeTheEntry();
    void tabIconsAndLocks();

    void geometryStepButtons_data();
    void geometryStepButtons();

    void settingFileWritesCrOnlyAndRoundTrips();
    void settingFileReadsTolerantly_data();
    void settingFileReadsTolerantly();
    void settingFileCutsHugeFiles();
    void settingFileWriteFailureLeavesOldFile();

    void resendSendsNewestAfterInterval();
    void resendSkipsValueAlreadySent();
    void actionsAreNeverResent();
    void retriesKeepTheirInterval();
};

void TestPanelRules::builtInTableHasEveryLine()
{
    const QString text = QString::fromLatin1(WidgetCommandTable::text());
    QCOMPARE(text.count(QLatin1Char('\n')), 221);
    QCOMPARE(WidgetCommandTable::lineCount(), 221);
    WidgetCommandMap map;
    map.parseBuiltIn();
    // Every object name appears once.
    QCOMPARE(map.size(), 221);
}

void TestPanelRules::builtInTableLookups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reference");
    QTest::newRow("first line") << "pushbuttonPowerOn" << "(Power On)";
    QTest::newRow("function name kept") << "textModelName_Info" << "(Model Name)";
    QTest::newRow("leading underscore") << "_textSoftwareVerMotor_Info" << "motor.ver";
    QTest::newRow("slider") << "sliderBrightness" << "bright";
    QTest::newRow("empty reference") << "pushbuttonRename" << "";
    QTest::newRow("second column end") << "pushbuttonLensLock" << "";
    QTest::newRow("white hue is red gain") << "sliderHSG_WhiteHue_2" << "hsg.wr.gain";
    QTest::newRow("edge blend gain all") << "sliderEB_GainAll" << "eb.all";
    QTest::newRow("lens memory") << "textLensMemory10" << "lens.mem.10";
    QTest::newRow("last line") << "textErrcode" << "error.code";
    QTest::newRow("unknown") << "sliderNothing" << "";
}

void TestPanelRules::builtInTableLookups()
{
    QFETCH(QString, name);
    QFETCH(QString, reference);
    WidgetCommandMap map;
    map.parseBuiltIn();
    QCOMPARE(map.reference(name), reference);
}

void TestPanelRules::tableParsingRules()
{
    WidgetCommandMap map;
    map.parse(QStringLiteral("sliderBrightness,          bright\n\n"
                             " \tcomboboxGamma ,\t gamma  \n"
                             "pushbuttonPowerOn, (Power On)\n"
                             "pushbuttonClear,\n"
                             "sliderBrightness, bright2, extra\n"));
    QCOMPARE(map.reference(QStringLiteral("comboboxGamma")), QStringLiteral("gamma"));
    QCOMPARE(map.reference(QStringLiteral("pushbuttonPowerOn")), QStringLiteral("(Power On)"));
    QVERIFY(map.contains(QStringLiteral("pushbuttonClear")));
    QCOMPARE(map.reference(QStringLiteral("pushbuttonClear")), QString());
    // A later line replaces an earlier one; parts past the second are ignored.
    QCOMPARE(map.reference(QStringLiteral("sliderBrightness")), QStringLiteral("bright2"));
    QCOMPARE(map.size(), 4);
}

void TestPanelRules::optionMatch_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("index");
    const QStringList offOn{"Off", "On"};
    QTest::newRow("on") << offOn << "1 [On]" << 1;
    QTest::newRow("off") << offOn << "0 [Off]" << 0;
    QTest::newRow("prefix of a later option") << QStringList{"Cool", "Cooler"} << "1 [Cooler]" << 1;
    QTest::newRow("bare name") << QStringList{"HDMI1", "HDMI2", "VGA"} << "VGA" << 2;
    QTest::newRow("no match") << offOn << "NA" << -1;
    QTest::newRow("empty answer") << offOn << "" << -1;
    QTest::newRow("no options") << QStringList{} << "1 [On]" << -1;
}

void TestPanelRules::optionMatch()
{
    QFETCH(QStringList, options);
    QFETCH(QString, answer);
    QFETCH(int, index);
    QCOMPARE(OptionMatch::indexOf(options, answer), index);
}

void TestPanelRules::passcodeTextsEscapeTheEntry()
{
    QVERIFY(PasscodeRule::accepts(QStringLiteral("9071")));
    QVERIFY(!PasscodeRule::accepts(QStringLiteral("9071 ")));
    QVERIFY(!PasscodeRule::accepts(QStringLiteral("****")));
    QCOMPARE(PasscodeRule::passedText(QStringLiteral("9071")),
             QStringLiteral("Password Passed: <b><u>9071</u></b>"));
    QCOMPARE(PasscodeRule::rejectedText(QStringLiteral("<img src=x>&")),
             QStringLiteral("Password Rejected: <b><u>&lt;img src=x&gt;&amp;</u></b>"));
}

void TestPanelRules::tabIconsAndLocks()
{
    QCOMPARE(PanelTabs::all().size(), 10);
    QStringList icons;
    int locked = 0;
    for (const PanelTab &tab : PanelTabs::all()) {
        icons << tab.iconPath().mid(9, 1);
        locked += tab.locked ? 1 : 0;
        QCOMPARE(tab.locked, tab.index >= PanelTabs::Install);
    }
    QCOMPARE(icons.join(QString()), QStringLiteral("BMMMMYYYYR"));
    QCOMPARE(locked, 5);
    QCOMPARE(PanelTabs::at(PanelTabs::Picture).caption, QStringLiteral(" Picture "));
    QVERIFY(PanelTabs::at(PanelTabs::Picture).requests(QStringLiteral("sliderBrightness")));
    QVERIFY(!PanelTabs::at(PanelTabs::Picture).requests(QStringLiteral("label_sliderBrightness")));
}

void TestPanelRules::geometryStepButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("direction");
    QTest::newRow("keystone down") << "pushbtnKH0" << "sliderKeystoneH" << -1;
    QTest::newRow("keystone up") << "pushbtnKV1" << "sliderKeystoneV" << 1;
    QTest::newRow("rotation") << "pushbtnRH1" << "sliderRotationH" << 1;
    QTest::newRow("corner") << "pushbtnCBRV0" << "sliderCornerBottomRightV" << -1;
    QTest::newRow("blanking") << "pushbtnBL1" << "sliderBlankingLeft" << 1;
    QTest::newRow("bad digit") << "pushbtnKH2" << "" << 0;
    QTest::newRow("reset button") << "pushbuttonKeystoneReset" << "" << 0;
}

void TestPanelRules::geometryStepButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, slider);
    QFETCH(int, direction);
    int found = 0;
    QCOMPARE(GeometryStep::sliderFor(button, &found), slider);
    QCOMPARE(found, direction);
}

void TestPanelRules::settingFileWritesCrOnlyAndRoundTrips()
{
    const QVector<SettingFile::Entry> entries{{"sliderBrightness", 50}, {"comboboxGamma", 3}, {"sliderHue", -7}};
    QCOMPARE(SettingFile::compose(entries),
             QByteArray("sliderBrightness = 50\rcomboboxGamma = 3\rsliderHue = -7\r"));
    const QString path = QDir(TestEnvironment::root()).filePath("a.setting");
    QVERIFY(SettingFile::write(path, entries));
    const SettingFile::ReadResult back = SettingFile::read(path);
    QCOMPARE(back.entries, entries);
    QVERIFY(back.rejected.isEmpty());
}

void TestPanelRules::settingFileReadsTolerantly_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("rejected");
    QTest::newRow("CR LF") << QByteArray("sliderA = 1\r\nsliderB = 2\r\n") << QStringList{"sliderA", "sliderB"} << 0;
    QTest::newRow("LF alone separates nothing") << QByteArray("sliderA = 1\nsliderB = 2\r") << QStringList{} << 1;
    QTest::newRow("no equals") << QByteArray("sliderA 1\rsliderB = 2\r") << QStringList{"sliderB"} << 1;
    QTest::newRow("not a number") << QByteArray("sliderA = x\rsliderB=2") << QStringList{"sliderB"} << 1;
    QTest::newRow("NUL inside") << QByteArray("sliderA = 1\rslid\0erB = 2\rsliderC = 3\r", 36)
                                << QStringList{"sliderA", "sliderC"} << 1;
    QTest::newRow("binary") << QByteArray("\xff\xfe\x01\x02\rsliderA = 4\r") << QStringList{"sliderA"} << 1;
    QTest::newRow("empty") << QByteArray() << QStringList{} << 0;
}

void TestPanelRules::settingFileReadsTolerantly()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, names);
    QFETCH(int, rejected);
    const SettingFile::ReadResult result = SettingFile::parse(data);
    QStringList got;
    for (const SettingFile::Entry &entry : result.entries)
        got << entry.first;
    QCOMPARE(got, names);
    QCOMPARE(result.rejected.size(), rejected);
}

void TestPanelRules::settingFileCutsHugeFiles()
{
    const QString path = QDir(TestEnvironment::root()).filePath("huge.setting");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("sliderA = 1\r");
    file.write(QByteArray(SettingFile::MaxBytes * 2, 'x'));
    file.close();
    const SettingFile::ReadResult result = SettingFile::read(path);
    QCOMPARE(result.entries.size(), 1);
    QVERIFY(result.rejected.last().contains(QStringLiteral("cut")));
    QVERIFY(result.rejected.first().size() < 80);
}

void TestPanelRules::settingFileWriteFailureLeavesOldFile()
{
    // A folder stands where the file should go: nothing may replace it.
    const QString path = QDir(TestEnvironment::root()).filePath("taken.setting");
    QVERIFY(QDir().mkpath(path));
    QString error;
    QVERIFY(!SettingFile::write(path, {{"sliderA", 2}}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(path).isDir());
}

namespace {

// The dispatch's single-send rule on a clock the test moves.
struct FakeProjector
{
    int now = 1000;
    SingleSendDebounce debounce{[this] { return now; }};
    QStringList received;
    LatestValueResender *resender = nullptr;
    bool send(const QString &ip, const QString &command)
    {
        if (debounce.admit(ip, command) == SingleSendDebounce::Verdict::Drop) {
            resender->noteDropped(ip, command);
            return false;
        }
        received << command;
        return true;
    }
};

} // namespace

void TestPanelRules::resendSendsNewestAfterInterval()
{
    FakeProjector projector;
    LatestValueResender resender([&](const QString &ip, const QString &c) { return projector.send(ip, c); });
    projector.resender = &resender;
    resender.setIntervalMs(30);
    const QString ip = QStringLiteral("10.0.0.1");
    QVERIFY(resender.send(ip, "op bright = 10"));
    for (int v = 11; v <= 20; ++v) {
        projector.now += 20;
        QVERIFY(!resender.send(ip, QStringLiteral("op bright = %1").arg(v)));
    }
    QVERIFY(!resender.send(ip, "op contrast = 5"));
    QCOMPARE(resender.pendingCount(), 2);
    projector.now += 400;
    QTRY_COMPARE(projector.received.size(), 2);
    QCOMPARE(projector.received.at(0), QStringLiteral("op bright = 10"));
    // The first resend goes out; the second is dropped by the rule again and
    // follows once the interval has passed once more.
    projector.now += 400;
    QTRY_COMPARE(projector.received.size(), 3);
    QCOMPARE(resender.pendingCount(), 0);
    QVERIFY(projector.received.contains("op bright = 20"));
    QVERIFY(projector.received.contains("op contrast = 5"));
    QVERIFY(!projector.received.contains("op bright = 19"));
}

void TestPanelRules::resendSkipsValueAlreadySent()
{
    FakeProjector projector;
    LatestValueResender resender([&](const QString &ip, const QString &c) { return projector.send(ip, c); });
    projector.resender = &resender;
    resender.setIntervalMs(20);
    const QString ip = QStringLiteral("10.0.0.1");
    QVERIFY(resender.send(ip, "op bright = 10"));
    projector.now += 50;
    QVERIFY(!resender.send(ip, "op bright = 12"));
    projector.now += 50;
    QVERIFY(!resender.send(ip, "op bright = 10")); // back where the projector is
    projector.now += 400;
    QTest::qWait(100);
    QCOMPARE(projector.received, QStringList{"op bright = 10"});
    QCOMPARE(resender.pendingCount(), 0);
}

void TestPanelRules::actionsAreNeverResent()
{
    FakeProjector projector;
    LatestValueResender resender([&](const QString &ip, const QString &c) { return projector.send(ip, c); });
    projector.resender = &resender;
    resender.setIntervalMs(20);
    const QString ip = QStringLiteral("10.0.0.1");
    QVERIFY(resender.send(ip, "op lens.up"));
    projector.now += 10;
    QVERIFY(!resender.send(ip, "op hsg.reset"));
    QCOMPARE(resender.pendingCount(), 0);
    projector.now += 400;
    QTest::qWait(80);
    QCOMPARE(projector.received, QStringList{"op lens.up"});
}

void TestPanelRules::retriesKeepTheirInterval()
{
    // A projector that drops everything after its first command: the
    // remembered setting is retried once per interval, not in a tight loop.
    FakeProjector projector;
    int attempts = 0;
    LatestValueResender resender([&](const QString &ip, const QString &c) {
        ++attempts;
        return projector.send(ip, c);
    });
    projector.resender = &resender;
    resender.setIntervalMs(50);
    const QString ip = QStringLiteral("10.0.0.1");
    QVERIFY(resender.send(ip, "op bright = 1"));
    QTest::qWait(45);
    QVERIFY(!resender.send(ip, "op bright = 2")); // waits the last few ms
    QTest::qWait(300);
    QVERIFY2(attempts <= 10, qPrintable(QString::number(attempts)));
    QVERIFY(attempts >= 3);
}

ORV_TEST_GUILESS_MAIN(TestPanelRules)
#include "tst_panelrules.moc"
