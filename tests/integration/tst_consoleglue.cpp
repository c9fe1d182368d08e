#include "net/commandconsolerules.h"
#include "net/consoletarget.h"
#include "net/groupipaddresses.h"
#include "net/ipfinder.h"
#include "net/powerstate.h"

#include "tests/common/testenvironment.h"

#include <QTemporaryDir>
#include <QtTest>

// The widget-free rules behind the main window's console and start-up check:
// the inventory addresses, the console's command texts, the target's model
// questions and the search range.
class TestConsoleGlue : public QObject
{
    Q_OBJECT

private slots:
    void groupIpAddresses_data();
    void groupIpAddresses();
    void groupIpAddressesFromFile();

    void catalogueRow_data();
    void catalogueRow();
    void typedCommands_data();
    void typedCommands();
    void categoryView();
    void panelKeys_data();
    void panelKeys();

    void targetAsksModelOnce();
    void targetWithKnownModel();
    void categoryAsksWhileRowsMissing();

    void candidateRange_data();
    void candidateRange();
};

void TestConsoleGlue::groupIpAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("addresses");

    const QString header = QStringLiteral("Group, Select, IP, Name\n");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("header only") << header << QStringList();
    QTest::newRow("header is never a record")
        << QStringLiteral(" ,1,10.0.0.1,Header\nHall,1\n ,1,10.0.0.2,P") << QStringList{"10.0.0.2"};
    QTest::newRow("groups in file order")
        << header + "Hall A,1\n ,1,10.0.0.1,P1\n ,0,10.0.0.2,P2\nHall B,0\n ,1,10.0.0.3,P3\n"
        << QStringList{"10.0.0.1", "10.0.0.2", "10.0.0.3"};
    QTest::newRow("crlf and blank lines")
        << header + "Hall,1\r\n\r\n ,1,10.0.0.1,P1\r\n   \n ,1,10.0.0.2,P2" << QStringList{"10.0.0.1", "10.0.0.2"};
    QTest::newRow("found group left out")
        << header + "Hall,1\n ,1,10.0.0.1,P\nFound,1\n ,1,10.0.0.9,\nBack,1\n ,1,10.0.0.2,Q"
        << QStringList{"10.0.0.1", "10.0.0.2"};
    QTest::newRow("found is case-sensitive") << header + "found,1\n ,1,10.0.0.4,P" << QStringList{"10.0.0.4"};
    QTest::newRow("rows before any group")
        << header + " ,1,10.0.0.1,P\nHall,1\n ,1,10.0.0.2,Q" << QStringList{"10.0.0.2"};
    QTest::newRow("records without address")
        << header + "Hall,1\n ,1\n ,1,,Nameless\n ,1,10.0.0.3" << QStringList{"10.0.0.3"};
    QTest::newRow("name with comma") << header + "Hall,1\n ,1,10.0.0.5,Left, right" << QStringList{"10.0.0.5"};
}

void TestConsoleGlue::groupIpAddresses()
{
    QFETCH(QString, text);
    QFETCH(QStringList, addresses);
    QCOMPARE(GroupIpAddresses::fromText(text), addresses);
}

void TestConsoleGlue::groupIpAddressesFromFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(GroupIpAddresses::filePath(dir.path()), dir.path() + "/GroupIP.csv");
    QVERIFY(GroupIpAddresses::fromFile(GroupIpAddresses::filePath(dir.path())).isEmpty());

    // Latin-1 names and bytes after a NUL do not disturb the addresses.
    QFile file(GroupIpAddresses::filePath(dir.path()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Group, Select, IP, Name\nS\xe4le,1\n ,1,10.1.1.1,B\xfchne\n ,1,10.1.1.2,X");
    file.write(QByteArray("\0\n ,1,10.1.1.3,Y", 16));
    file.close();
    QCOMPARE(GroupIpAddresses::fromFile(file.fileName()), (QStringList{"10.1.1.1", "10.1.1.2"}));
}

void TestConsoleGlue::catalogueRow_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");

    QTest::newRow("query") << QStringList{"10.0.0.1:Status", "Model Name", "model", "", "?"} << "Status"
                           << "op model ?"
                           << "(Model Name)";
    QTest::newRow("action") << QStringList{"10.0.0.1:Power", "Power On", "power.on", "", ""} << "Power"
                            << "op power.on"
                            << "(Power On)";
    QTest::newRow("short row") << QStringList{"10.0.0.1:Power", "Power Off", "power.off"} << "Power"
                               << "op power.off"
                               << "(Power Off)";
    QTest::newRow("keypad") << QStringList{"10.0.0.1:IR controller", "IR Menu", "ky menu", "", ""} << "IR controller"
                            << "ky menu"
                            << "";
    QTest::newRow("keypad with query flag")
        << QStringList{"10.0.0.1:IR controller", "IR Odd", "ky odd", "", "?"} << "IR controller"
        << "ky odd ?"
        << "";
}

void TestConsoleGlue::catalogueRow()
{
    QFETCH(QStringList, row);
    QFETCH(QString, category);
    QFETCH(QString, command);
    QFETCH(QString, name);
    const CommandConsoleRules::Prepared prepared = CommandConsoleRules::fromCatalogueRow(row, category);
    QCOMPARE(prepared.command, command);
    QCOMPARE(prepared.functionName, name);
}

void TestConsoleGlue::typedCommands_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("op");

    QTest::newRow("query") << "op bright ?"
                           << "bright";
    QTest::newRow("action") << "op power.on"
                            << "power.on";
    QTest::newRow("bare word") << "bright"
                               << "bright";
    QTest::newRow("upper case prefix kept") << "OP bright"
                                            << "OP bright";
    QTest::newRow("setting kept whole") << "op bright = 5"
                                        << "bright = 5";
    QTest::newRow("empty") << ""
                           << "";
}

void TestConsoleGlue::typedCommands()
{
    QFETCH(QString, typed);
    QFETCH(QString, op);
    QCOMPARE(CommandConsoleRules::opWordOfCommand(typed), op);
}

void TestConsoleGlue::categoryView()
{
    QCOMPARE(CommandConsoleRules::panelButtonName(), QStringLiteral("panel"));
    QCOMPARE(CommandConsoleRules::categoryFilter("10.0.0.1", "Lens"), QStringLiteral("10.0.0.1:Lens"));
    QCOMPARE(CommandConsoleRules::categoryFilter("", "Lens"), QStringLiteral(":Lens"));
    QVERIFY(CommandConsoleRules::isFeatureCategory("Feature"));
    QVERIFY(CommandConsoleRules::isFeatureCategory("Extra Feature Set"));
    QVERIFY(!CommandConsoleRules::isFeatureCategory("feature"));
    QVERIFY(CommandConsoleRules::hiddenInFeature("Light Source Life"));
    QVERIFY(!CommandConsoleRules::hiddenInFeature("lifetime"));

    QCOMPARE(CommandConsoleRules::commandForOp("bright"), QStringLiteral("op bright"));
    QVERIFY(!CommandConsoleRules::commandForOp(QString()).isNull());
    QVERIFY(CommandConsoleRules::commandForOp(QString()).isEmpty());
    QCOMPARE(CommandConsoleRules::functionNameField("Brightness"), QStringLiteral("(Brightness)"));
    QCOMPARE(CommandConsoleRules::functionNameField(QString()), QStringLiteral("?"));
    QCOMPARE(CommandConsoleRules::functionNameField(QLatin1String("")), QStringLiteral("()"));
}

void TestConsoleGlue::panelKeys_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<int>("power");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<QString>("command");

    QTest::newRow("plain op") << "input.sel = 1" << int(PowerState::NoAnswer) << false << "op input.sel = 1";
    QTest::newRow("keypad") << "ky menu" << int(PowerState::NoAnswer) << false << "ky menu";
    QTest::newRow("toggle while on") << "status" << int(PowerState::On) << true << "op power.off";
    QTest::newRow("toggle in standby") << "status" << int(PowerState::Standby) << true << "op power.on";
    QTest::newRow("toggle warming up") << "status" << int(PowerState::WarmingUp) << true << "op power.on";
    QTest::newRow("toggle unreachable") << "status" << int(PowerState::NoAnswer) << true << "op power.on";
    QTest::newRow("toggle not asked") << "status" << int(PowerState::SendingDisabled) << true << "op power.on";
    QTest::newRow("unknown key") << QString() << int(PowerState::On) << false << QString();
}

void TestConsoleGlue::panelKeys()
{
    QFETCH(QString, catalogue);
    QFETCH(int, power);
    QFETCH(bool, toggle);
    QFETCH(QString, command);
    QCOMPARE(CommandConsoleRules::isPowerToggle(catalogue), toggle);
    const QString result = CommandConsoleRules::panelKeyCommand(catalogue, power);
    QCOMPARE(result, command);
    QCOMPARE(result.isNull(), command.isNull());
}

void TestConsoleGlue::targetAsksModelOnce()
{
    ConsoleTarget target;
    QCOMPARE(target.pick(QString(), false), ConsoleTarget::Action::Nothing);
    QCOMPARE(target.pick("10.0.0.1", false), ConsoleTarget::Action::AskModel);
    QCOMPARE(target.awaitedIp(), QStringLiteral("10.0.0.1"));
    QCOMPARE(target.currentIp(), QStringLiteral("10.0.0.1"));

    // Another projector's answer (a status sweep) is recorded but does not
    // move the console.
    QVERIFY(!target.modelAnswered("10.0.0.2", "KX2800L"));
    QCOMPARE(target.modelOf("10.0.0.2"), QStringLiteral("KX2800L"));
    QCOMPARE(target.awaitedIp(), QStringLiteral("10.0.0.1"));

    QVERIFY(target.modelAnswered("10.0.0.1", "KX4410Q"));
    QVERIFY(target.awaitedIp().isEmpty());
    // A second answer (the next sweep) leaves the console alone.
    QVERIFY(!target.modelAnswered("10.0.0.1", "KX4410Q"));
    QCOMPARE(target.modelOf("10.0.0.1"), QStringLiteral("KX4410Q"));
    QVERIFY(target.modelOf("10.0.0.3").isEmpty());
    QVERIFY(!target.modelAnswered(QString(), "KX4410Q"));
}

void TestConsoleGlue::targetWithKnownModel()
{
    ConsoleTarget target;
    target.modelAnswered("10.0.0.2", "KX2800L");
    QCOMPARE(target.pick("10.0.0.2", true), ConsoleTarget::Action::ShowCategories);
    QVERIFY(target.awaitedIp().isEmpty());
    // Rows loaded without a model answer seen here: ask, so the console
    // learns which buttons to show.
    QCOMPARE(target.pick("10.0.0.3", true), ConsoleTarget::Action::AskModel);
    // A model answered earlier whose rows are gone from view (not loaded):
    // ask again.
    QCOMPARE(target.pick("10.0.0.4", false), ConsoleTarget::Action::AskModel);
    // Picking another target drops the wait for the previous one.
    QCOMPARE(target.pick("10.0.0.2", true), ConsoleTarget::Action::ShowCategories);
    QVERIFY(!target.modelAnswered("10.0.0.4", "KX4410Q"));
}

void TestConsoleGlue::categoryAsksWhileRowsMissing()
{
    ConsoleTarget target;
    QCOMPARE(target.categoryShown("10.0.0.1", true), ConsoleTarget::Action::Nothing);
    QCOMPARE(target.categoryShown(QString(), false), ConsoleTarget::Action::Nothing);
    QCOMPARE(target.categoryShown("10.0.0.1", false), ConsoleTarget::Action::AskModel);
    QCOMPARE(target.categoryShown("10.0.0.1", false), ConsoleTarget::Action::AskModel);
    QCOMPARE(target.awaitedIp(), QStringLiteral("10.0.0.1"));
    QVERIFY(target.modelAnswered("10.0.0.1", "KX4410Q"));
}

void TestConsoleGlue::candidateRange_data()
{
    QTest::addColumn<QString>("local");
    QTest::addColumn<int>("total");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three") << "192.168.1.40" << 3 << QStringList{"192.168.1.1", "192.168.1.2", "192.168.1.3"};
    QTest::newRow("zero") << "192.168.1.40" << 0 << QStringList();
    QTest::newRow("negative") << "192.168.1.40" << -4 << QStringList();
    QTest::newRow("no dot") << "localhost" << 2 << QStringList{"localhost.1", "localhost.2"};
}

void TestConsoleGlue::candidateRange()
{
    QFETCH(QString, local);
    QFETCH(int, total);
    QFETCH(QStringList, expected);
    QCOMPARE(IPfinder::candidateRange(local, total), expected);

    // The defaults cover .1 to .25 in order; large totals run past 254.
    const QStringList wide = IPfinder::candidateRange("10.0.0.7", 300);
    QCOMPARE(wide.size(), 300);
    QCOMPARE(wide.at(24), QStringLiteral("10.0.0.25"));
    QCOMPARE(wide.last(), QStringLiteral("10.0.0.300"));
}

ORV_TEST_GUILESS_MAIN(TestConsoleGlue)
#include "tst_consoleglue.moc"
