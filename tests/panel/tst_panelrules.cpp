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
#include "tests/common/testfiles.h"

#include <QDir>
#include <QtTest>

namespace {

// The dispatch's single-send rule on a clock the test moves, with the resender in front of it.
struct FakeProjector
{
    explicit FakeProjector(int intervalMs) { resender.setIntervalMs(intervalMs); }
    bool send(const QString &ip, const QString &command)
    {
        ++attempts;
        if (debounce.admit(ip, command) == SingleSendDebounce::Verdict::Drop) {
            resender.noteDropped(ip, command);
            return false;
        }
        received << command;
        return true;
    }
    bool set(const QString &command) { return resender.send(QStringLiteral("10.0.0.1"), command); }

    int now = 1000;
    int attempts = 0;
    QStringList received;
    SingleSendDebounce debounce{[this] { return now; }};
    LatestValueResender resender{[this](const QString &ip, const QString &c) { return send(ip, c); }};
};

} // namespace

// The control panel's widget-free rules: the widget-command table, option
// matching, the passcode texts, the geometry step buttons, the setting-file
// format and the latest-value resend.
class TestPanelRules : public QObject
{
    Q_OBJECT

private slots:
    void builtInTableHasEveryLine()
    {
        // Every line names a widget of its own.
        WidgetCommandMap map;
        map.parseBuiltIn();
        QCOMPARE(map.size(), WidgetCommandTable::lineCount());
        QCOMPARE(map.size(), 221);
    }

    void builtInTableLookups_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reference");
        QTest::newRow("first line") << "pushbuttonPowerOn" << "(Power On)";
        QTest::newRow("leading underscore") << "_textSoftwareVerMotor_Info" << "motor.ver";
        QTest::newRow("empty reference") << "pushbuttonRename" << "";
        QTest::newRow("last line") << "textErrcode" << "error.code";
    }

    void builtInTableLookups()
    {
        QFETCH(QString, name);
        QFETCH(QString, reference);
        WidgetCommandMap map;
        map.parseBuiltIn();
        QCOMPARE(map.reference(name), reference);
    }

    void tableParsingRules()
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

    void optionMatch_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("index");
        const QStringList offOn{"Off", "On"};
        QTest::newRow("on") << offOn << "1 [On]" << 1;
        QTest::newRow("prefix of a later option") << QStringList{"Cool", "Cooler"} << "1 [Cooler]" << 1;
        QTest::newRow("bare name") << QStringList{"HDMI1", "HDMI2", "VGA"} << "VGA" << 2;
        QTest::newRow("no match") << offOn << "NA" << -1;
        QTest::newRow("no options") << QStringList{} << "1 [On]" << -1;
    }

    void optionMatch()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, answer);
        QFETCH(int, index);
        QCOMPARE(OptionMatch::indexOf(options, answer), index);
    }

    void passcodeTextsEscapeTheEntry()
    {
        QVERIFY(PasscodeRule::accepts(QStringLiteral("9071")));
        QVERIFY(!PasscodeRule::accepts(QStringLiteral("9071 ")));
        QVERIFY(!PasscodeRule::accepts(QStringLiteral("****")));
        QCOMPARE(PasscodeRule::rejectedText(QStringLiteral("<img src=x>&")),
                 QStringLiteral("Password Rejected: <b><u>&lt;img src=x&gt;&amp;</u></b>"));
    }

    void tabIconsAndLocks()
    {
        QString icons;
        for (const PanelTab &tab : PanelTabs::all()) {
            icons += tab.iconPath().mid(9, 1);
            QCOMPARE(tab.locked, tab.index >= PanelTabs::Install);
        }
        QCOMPARE(icons, QStringLiteral("BMMMMYYYYR"));
        QVERIFY(!PanelTabs::at(PanelTabs::Picture).requests(QStringLiteral("label_sliderBrightness")));
    }

    void geometryStepButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("direction");
        QTest::newRow("corner") << "pushbtnCBRV0" << "sliderCornerBottomRightV" << -1;
        QTest::newRow("blanking") << "pushbtnBL1" << "sliderBlankingLeft" << 1;
        QTest::newRow("bad digit") << "pushbtnKH2" << "" << 0;
        QTest::newRow("reset button") << "pushbuttonKeystoneReset" << "" << 0;
    }

    void geometryStepButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, slider);
        QFETCH(int, direction);
        int found = 0;
        QCOMPARE(GeometryStep::sliderFor(button, &found), slider);
        QCOMPARE(found, direction);
    }

    void settingFileWritesCrOnlyAndRoundTrips()
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

    void settingFileReadsTolerantly_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("rejected");
        QTest::newRow("CR LF") << QByteArray("sliderA = 1\r\nsliderB = 2\r\n")
                               << QStringList{"sliderA", "sliderB"} << 0;
        QTest::newRow("LF alone separates nothing") << QByteArray("sliderA = 1\nsliderB = 2\r") << QStringList{} << 1;
        QTest::newRow("not a number") << QByteArray("sliderA = x\rsliderB=2") << QStringList{"sliderB"} << 1;
        QTest::newRow("NUL inside") << QByteArray("sliderA = 1\rslid\0erB = 2\rsliderC = 3\r", 36)
                                    << QStringList{"sliderA", "sliderC"} << 1;
    }

    void settingFileReadsTolerantly()
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

    void settingFileCutsHugeFiles()
    {
        const QString path = QDir(TestEnvironment::root()).filePath("huge.setting");
        QVERIFY(TestFiles::write(path, "sliderA = 1\r" + QByteArray(SettingFile::MaxBytes * 2, 'x')));
        const SettingFile::ReadResult result = SettingFile::read(path);
        QCOMPARE(result.entries.size(), 1);
        QVERIFY(result.rejected.last().contains(QStringLiteral("cut")));
        QVERIFY(result.rejected.first().size() < 80);
    }

    void settingFileWriteFailureLeavesOldFile()
    {
        // A folder stands where the file should go: nothing may replace it.
        const QString path = QDir(TestEnvironment::root()).filePath("taken.setting");
        QVERIFY(QDir().mkpath(path));
        QString error;
        QVERIFY(!SettingFile::write(path, {{"sliderA", 2}}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(path).isDir());
    }

    void resendSendsNewestAfterInterval()
    {
        FakeProjector projector(30);
        QVERIFY(projector.set("op bright = 10"));
        for (int v = 11; v <= 20; ++v) {
            projector.now += 20;
            QVERIFY(!projector.set(QStringLiteral("op bright = %1").arg(v)));
        }
        QVERIFY(!projector.set("op contrast = 5"));
        QCOMPARE(projector.resender.pendingCount(), 2);
        projector.now += 400;
        QTRY_COMPARE(projector.received.size(), 2);
        // The first resend goes out; the second is dropped by the rule again and
        // follows once the interval has passed once more.
        projector.now += 400;
        QTRY_COMPARE(projector.received.size(), 3);
        QCOMPARE(projector.resender.pendingCount(), 0);
        QVERIFY(projector.received.contains("op bright = 20"));
        QVERIFY(projector.received.contains("op contrast = 5"));
    }

    void resendSkipsValueSentAndActions()
    {
        FakeProjector projector(20);
        QVERIFY(projector.set("op bright = 10"));
        projector.now += 50;
        QVERIFY(!projector.set("op bright = 12"));
        projector.now += 50;
        QVERIFY(!projector.set("op bright = 10")); // back where the projector is
        QVERIFY(!projector.set("op hsg.reset"));
        projector.now += 400;
        QTest::qWait(100);
        QCOMPARE(projector.received, QStringList{"op bright = 10"});
        QCOMPARE(projector.resender.pendingCount(), 0);
    }

    void resendMemoryExpires()
    {
        // Set back to the value sent a while ago: someone else may have
        // changed it meanwhile, so it goes out again.
        FakeProjector projector(30);
        QVERIFY(projector.set("op bright = 10"));
        QTest::qWait(LatestValueResender::MemoryMs + 100);
        projector.now += 2000;
        QVERIFY(projector.set("op contrast = 5"));
        QVERIFY(!projector.set("op bright = 10"));
        projector.now += 400;
        QTRY_COMPARE(projector.received.count("op bright = 10"), 2);
    }

    void directSendCancelsOlderPending()
    {
        FakeProjector projector(30);
        // Another path just sent to the projector: the rule drops this one.
        projector.debounce.admit(QStringLiteral("10.0.0.1"), "op other");
        QVERIFY(!projector.set("op bright = 12"));
        projector.now += 400;
        QVERIFY(projector.set("op bright = 15"));
        projector.now += 400;
        QTest::qWait(100);
        QCOMPARE(projector.received, QStringList{"op bright = 15"});
        // So does a batch that carries the same word.
        QVERIFY(projector.set("op contrast = 1"));
        QVERIFY(!projector.set("op bright = 16"));
        projector.resender.noteSentElsewhere(QStringLiteral("10.0.0.1"), {"op bright = 20"});
        projector.now += 400;
        QTest::qWait(100);
        QVERIFY(!projector.received.contains("op bright = 16"));
    }

    void retriesKeepTheirInterval()
    {
        // A projector that drops everything after its first command: the
        // remembered setting is retried once per interval, not in a tight loop.
        FakeProjector projector(50);
        QVERIFY(projector.set("op bright = 1"));
        QTest::qWait(45);
        QVERIFY(!projector.set("op bright = 2")); // waits the last few ms
        QTest::qWait(300);
        QVERIFY2(projector.attempts <= 10, qPrintable(QString::number(projector.attempts)));
        QVERIFY(projector.attempts >= 3);
    }
};

ORV_TEST_GUILESS_MAIN(TestPanelRules)
#include "tst_panelrules.moc"
