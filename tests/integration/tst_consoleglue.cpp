#include "net/commandconsolerules.h"
#include "net/consoletarget.h"
#include "net/ipfinder.h"
#include "net/powerstate.h"

#include "tests/common/testenvironment.h"

#include <QtTest>

// The widget-free rules behind the main window's console and start-up check:
// command texts, model questions and the search range.
class TestConsoleGlue : public QObject
{
    Q_OBJECT

private slots:
    void consoleRules_data();
    void consoleRules();
    void consoleTarget();
    void filterAndRange();
};

// What the console sends and shows for a catalogue row picked in a category
// ("row": command and name fields), a panel key at a power state ("key") and
// a typed command ("typed": its op word).
void TestConsoleGlue::consoleRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<int>("power");
    QTest::addColumn<QStringList>("expected");
    const int on = PowerState::On, warming = PowerState::WarmingUp;
    QTest::newRow("query row") << "row" << QStringList{"x:Status", "Model Name", "model", "", "?"} << 0
                               << QStringList{"op model ?", "(Model Name)"};
    QTest::newRow("action, short row") << "row" << QStringList{"x:Power", "Power Off", "power.off"} << 0
                                       << QStringList{"op power.off", "(Power Off)"};
    QTest::newRow("keypad row") << "row" << QStringList{"x:IR controller", "IR Menu", "ky menu", "", "?"} << 0
                                << QStringList{"ky menu ?", ""};
    QTest::newRow("plain key") << "key" << QStringList{"input.sel = 1"} << on << QStringList{"op input.sel = 1"};
    QTest::newRow("keypad key") << "key" << QStringList{"ky menu"} << on << QStringList{"ky menu"};
    QTest::newRow("toggle while on") << "key" << QStringList{"status"} << on << QStringList{"op power.off"};
    QTest::newRow("toggle warming up") << "key" << QStringList{"status"} << warming << QStringList{"op power.on"};
    QTest::newRow("unknown key") << "key" << QStringList{QString()} << on << QStringList{QString()};
    QTest::newRow("typed query") << "typed" << QStringList{"op bright ?"} << 0 << QStringList{"bright"};
    QTest::newRow("typed setting") << "typed" << QStringList{"op bright = 5"} << 0 << QStringList{"bright = 5"};
    QTest::newRow("typed upper case") << "typed" << QStringList{"OP bright"} << 0 << QStringList{"OP bright"};
}

void TestConsoleGlue::consoleRules()
{
    QFETCH(QString, rule);
    QFETCH(QStringList, input);
    QFETCH(int, power);
    QFETCH(QStringList, expected);
    QStringList result;
    if (rule == "row") {
        const auto prepared = CommandConsoleRules::fromCatalogueRow(input, input.first().section(':', 1));
        result = QStringList{prepared.command, prepared.functionName};
    } else if (rule == "key") {
        QCOMPARE(CommandConsoleRules::isPowerToggle(input.first()), input.first() == "status");
        result = QStringList{CommandConsoleRules::panelKeyCommand(input.first(), power)};
        QCOMPARE(result.first().isNull(), expected.first().isNull());
    } else {
        result = QStringList{CommandConsoleRules::opWordOfCommand(input.first())};
    }
    QCOMPARE(result, expected);
}

void TestConsoleGlue::consoleTarget()
{
    ConsoleTarget target;
    QCOMPARE(target.pick(QString(), false), ConsoleTarget::Action::Nothing);
    QCOMPARE(target.pick("10.0.0.1", false), ConsoleTarget::Action::AskModel);
    // Another projector's answer (a status sweep) is recorded but does not
    // move the console; a second answer (the next sweep) leaves it alone.
    QVERIFY(!target.modelAnswered("10.0.0.2", "KX2800L"));
    QCOMPARE(target.awaitedIp(), QString("10.0.0.1"));
    QVERIFY(target.modelAnswered("10.0.0.1", "KX4410Q"));
    QVERIFY(target.awaitedIp().isEmpty());
    QVERIFY(!target.modelAnswered("10.0.0.1", "KX4410Q"));
    QCOMPARE(target.modelOf("10.0.0.1"), QString("KX4410Q"));

    QCOMPARE(target.pick("10.0.0.2", true), ConsoleTarget::Action::ShowCategories);
    // Rows loaded without a model answer seen here, or a known model whose
    // rows are missing: ask.
    QCOMPARE(target.pick("10.0.0.3", true), ConsoleTarget::Action::AskModel);
    QCOMPARE(target.pick("10.0.0.1", false), ConsoleTarget::Action::AskModel);
    // Picking another target drops the wait for the previous one.
    QCOMPARE(target.pick("10.0.0.2", true), ConsoleTarget::Action::ShowCategories);
    QVERIFY(!target.modelAnswered("10.0.0.1", "KX4410Q"));

    QCOMPARE(target.categoryShown("10.0.0.1", true), ConsoleTarget::Action::Nothing);
    QCOMPARE(target.categoryShown("10.0.0.5", false), ConsoleTarget::Action::AskModel);
    QVERIFY(target.modelAnswered("10.0.0.5", "KX4410Q"));
}

// The command table's filter and the Feature category; the start-up search range.
void TestConsoleGlue::filterAndRange()
{
    const QRegularExpression lens = CommandConsoleRules::categoryFilter("10.0.0.2", "Lens");
    QVERIFY(lens.match("10.0.0.2:Lens").hasMatch() && lens.match("10.0.0.2:Lens Memory").hasMatch());
    QVERIFY(!lens.match("110.0.0.2:Lens").hasMatch() && !lens.match("10.0.0.2:Picture").hasMatch());
    QVERIFY(!CommandConsoleRules::categoryFilter("10.0.0.2", "").match("10x0.0.2:Lens").hasMatch());
    QVERIFY(CommandConsoleRules::isFeatureCategory("Extra Feature Set") && !CommandConsoleRules::isFeatureCategory("feature"));
    QVERIFY(CommandConsoleRules::hiddenInFeature("Light Source Life") && !CommandConsoleRules::hiddenInFeature("lifetime"));

    QCOMPARE(IPfinder::candidateRange("192.168.1.40", 2), (QStringList{"192.168.1.1", "192.168.1.2"}));
    QVERIFY(IPfinder::candidateRange("192.168.1.40", -4).isEmpty());
    // Large totals run past 254.
    QCOMPARE(IPfinder::candidateRange("10.0.0.7", 300).value(299), QString("10.0.0.300"));
}

ORV_TEST_GUILESS_MAIN(TestConsoleGlue)
#include "tst_consoleglue.moc"
