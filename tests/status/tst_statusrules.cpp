#include "monitor/errorcodedictionary.h"
#include "monitor/fleetsummary.h"
#include "monitor/lamphoursbar.h"
#include "monitor/powerswitchrule.h"
#include "net/answerline.h"
#include "net/powerstate.h"
#include "monitor/statusexport.h"
#include "monitor/tablemodelstatus.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"
#include "ui/shellresources.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QImage>
#include <QtTest>

// The widget-free rules of status monitoring.
class TestStatusRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ShellResources::ensureLoaded(); }
    void decodesEveryCategory_data();
    void decodesEveryCategory();
    void labelColourFollowsCodeAndLook_data();
    void labelColourFollowsCodeAndLook();

    void modelPassesTesterAndFindsExactAddress();
    void modelFlagsAndLamps();
    void tableReadsAtAGlance();
    void lampBarShape_data();
    void lampBarShape();

    void powerSwitchDecision_data();
    void powerSwitchDecision();
    void powerStateFromAnswer_data();
    void powerStateFromAnswer();

    void exportLinesAndFile();
};

void TestStatusRules::decodesEveryCategory_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *code, const QString &text) { QTest::newRow(code) << QString(code) << text; };
    row("0000", "NoError  ");
    row("0173", "Formatter/DMD RGB PMD Fail");
    row("0612", "System FAN (1~16) 2 Fan Locked(Rotate Error)");
    row("07F3", "Blower(17~32) 32 Fan Speed Error (too high or too low)");
    row("1020", "Thermal Sensor  "); // unit 2 is not listed, error 0: both stay empty
    row("27F1", "Expand GPIO 16 Init Fail");
    row("3900", "  ");
    row("07f3", "Blower(17~32) 32 Fan Speed Error (too high or too low)");
    row("zz12", "NoError  ");
    row("06", "System FAN (1~16) 1 ");
    row("", "NoError  ");
    row("0612FFFF", "System FAN (1~16) 2 Fan Locked(Rotate Error)");
}

void TestStatusRules::decodesEveryCategory()
{
    QFETCH(QString, code);
    QFETCH(QString, text);
    QCOMPARE(ErrorCodeDictionary::decodeErrorCode(code), text);
}

void TestStatusRules::labelColourFollowsCodeAndLook_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("colour");
    QTest::newRow("empty") << "" << true << "grey";
    QTest::newRow("00 prefix") << "0012" << false << "grey";
    QTest::newRow("fault dark") << "0612" << true << "gold";
    QTest::newRow("fault light") << "0612" << false << "magenta";
}

void TestStatusRules::labelColourFollowsCodeAndLook()
{
    QFETCH(QString, code);
    QFETCH(bool, dark);
    QFETCH(QString, colour);
    QCOMPARE(ErrorCodeDictionary::labelStyleSheet(code, dark), "QLabel{color:" + colour + ";font-weight:bold}");
}

void TestStatusRules::modelPassesTesterAndFindsExactAddress()
{
    TableModelStatus model(TableModelStatus::defaultHeaders(),
                           {"header", " 10.0.0.11 , KX4410Q,,SN1 ", "", "10.0.0.1", "10.0.0.1,second"});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.cell(0, 2), "SN1"); // empty parts are dropped

    // Exact match, the first of two rows of one address.
    QCOMPARE(model.rowOfAddress("10.0.0.1"), 1);
    QCOMPARE(model.rowOfAddress("10.0.0.11"), 0);
    QCOMPARE(model.rowOfAddress("0.0.1"), -1);

    // The index follows edits and structural changes.
    QVERIFY(model.insertRows(0, 2));
    QVERIFY(model.setData(model.index(0, 0), "10.0.0.9"));
    QCOMPARE(model.rowOfAddress("10.0.0.1"), 3);
    QCOMPARE(model.rowOfAddress("10.0.0.9"), 0);
    QVERIFY(model.removeRows(0, 3));
    QCOMPARE(model.rowOfAddress("10.0.0.1"), 0);
    QCOMPARE(model.rowOfAddress("10.0.0.11"), -1);
    model.resetAddresses({"10.0.0.5", "10.0.0.6"});
    QCOMPARE(model.rowOfAddress("10.0.0.6"), 1);
    QCOMPARE(model.cell(1, TableModelStatus::ModelColumn), QString());
}

void TestStatusRules::modelFlagsAndLamps()
{
    TableModelStatus model(TableModelStatus::defaultHeaders(), {"h", "10.0.0.1", "10.0.0.2"});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.slotUpdateConnectedIP({"10.0.0.2", "10.0.0.10"});
    QCOMPARE(model.flags(model.index(0, 3)), Qt::NoItemFlags);
    QCOMPARE(model.flags(model.index(1, 3)) & Qt::ItemIsEnabled, Qt::ItemIsEnabled);

    // Dark lamp for 0 and 3, lit for 1 and 2, dark lamp and warning sign
    // for 4, nothing otherwise.
    const auto lamp = [&](const QString &code) {
        model.setCell(0, TableModelStatus::StatusColumn, code);
        return model.data(model.index(0, TableModelStatus::StatusColumn), Qt::DecorationRole);
    };
    const QImage standby = lamp("0").value<QPixmap>().toImage();
    QCOMPARE(lamp("3").value<QPixmap>().toImage(), standby);
    const QImage lit = lamp("2").value<QPixmap>().toImage();
    QVERIFY(lit != standby);
    QCOMPARE(lamp("1").value<QPixmap>().toImage(), lit);
    QCOMPARE(standby.pixelColor(36, 12).alpha(), 0);
    QVERIFY(lamp("4").value<QPixmap>().toImage().pixelColor(36, 12).alpha() > 0);
    QVERIFY(!lamp("7").isValid());
    QVERIFY(!lamp("on").isValid());
}

void TestStatusRules::tableReadsAtAGlance()
{
    TableModelStatus model(TableModelStatus::defaultHeaders(), {"h", "10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"});
    QAbstractItemModelTester tester(&model);
    model.slotUpdateConnectedIP({"10.0.0.1", "10.0.0.2", "10.0.0.3"});
    model.setNameLookup([](const QString &ip) { return ip == "10.0.0.1" ? QString("Main Hall 1") : QString(); });
    model.setErrorDecoder(&ErrorCodeDictionary::decodeErrorCode);
    const QStringList rows[] = {{"2", "0000", "10400", "10000"}, {"4", "0612", "", ""}, {"0", "", "8000", "10000"}};
    for (int row = 0; row < 3; ++row) {
        model.setCell(row, TableModelStatus::StatusColumn, rows[row][0]);
        model.setCell(row, TableModelStatus::ErrorCodeColumn, rows[row][1]);
        model.setCell(row, TableModelStatus::HoursColumn, rows[row][2]);
        model.setCell(row, TableModelStatus::LifeColumn, rows[row][3]);
    }
    const auto tip = [&](int row, int column) { return model.index(row, column).data(Qt::ToolTipRole).toString(); };
    QCOMPARE(tip(0, 0), QString("Main Hall 1"));
    QCOMPARE(tip(1, 0), QString("10.0.0.2"));
    QCOMPARE(model.index(0, 3).data(Qt::AccessibleTextRole).toString(), QString("On"));
    QCOMPARE(tip(2, 3), QString("Standby (state 0)"));
    QCOMPARE(tip(3, 3), QString("No answer"));
    QCOMPARE(TableModelStatus::stateWord("7"), QString("No answer"));
    QCOMPARE(tip(1, 4), QString("0612: System FAN (1~16) 2 Fan Locked(Rotate Error)"));
    QCOMPARE(tip(0, 5), QString("10400 h of 10000 h rated life: 104 %\nPast its rated life: replace the light source."));
    QCOMPARE(tip(2, 5), QString("8000 h of 10000 h rated life: 80 %"));
    QVERIFY(model.index(1, 7).data(Qt::BackgroundRole).isValid()); // state 4: the whole row
    QVERIFY(!model.index(0, 7).data(Qt::BackgroundRole).isValid()); // code 0000 is no error
    QVERIFY(model.headerData(3, Qt::Horizontal, Qt::ToolTipRole).toString().contains("2 On"));

    model.setTargetAddress("10.0.0.3");
    QVERIFY(model.index(2, 1).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!model.index(0, 1).data(Qt::FontRole).isValid());

    QCOMPARE(FleetSummary::count(model).text(), QString("4 projectors: 1 on, 1 standby, 1 error, 1 no answer"));
    model.setCell(2, TableModelStatus::StatusColumn, "1");
    model.slotUpdateConnectedIP({"10.0.0.2", "10.0.0.3"});
    QCOMPARE(FleetSummary::count(model).text(),
             QString("4 projectors: 0 on, 0 standby, 1 warming up, 1 error, 2 no answer"));
}

void TestStatusRules::lampBarShape_data()
{
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("life");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("value");
    const int green = int(LampHoursBar::Colour::Green), brown = int(LampHoursBar::Colour::Brown),
              red = int(LampHoursBar::Colour::Red);
    QTest::newRow("unknown life") << "500" << "" << true << 0 << 0;
    QTest::newRow("zero life") << "500" << "0" << true << 0 << 0;
    QTest::newRow("under 1 %") << "199" << "20000" << true << 0 << 0;
    QTest::newRow("75 % exactly") << "15000" << "20000" << false << green << 15000;
    QTest::newRow("90 % exactly") << "2700" << "3000" << false << brown << 2700;
    QTest::newRow("91 %") << "2730" << "3000" << false << red << 2730;
    QTest::newRow("past life: full") << "4500" << "3000" << false << red << 3000;
}

void TestStatusRules::lampBarShape()
{
    QFETCH(QString, hours);
    QFETCH(QString, life);
    QFETCH(bool, blank);
    QFETCH(int, colour);
    QFETCH(int, value);
    const LampHoursBar bar = LampHoursBar::fromCells(hours, life);
    QCOMPARE(bar.isBlank(), blank);
    if (blank)
        return;
    QCOMPARE(int(bar.colour()), colour);
    QCOMPARE(bar.value(), value);
    QCOMPARE(bar.maximum(), life.toInt());
    QCOMPARE(bar.text(), hours);
    const char *chunks[] = {"#20C020", "#806020", "#F04020"};
    QVERIFY(
        bar.styleSheet().endsWith(QString("QProgressBar::chunk{background-color:") + chunks[colour] + ";width:5px;}"));
}

void TestStatusRules::powerSwitchDecision_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("send");
    const char *onWords[] = {"Turning On:", "WarmUp:", "On:", "Cooling:", "Error:"};
    const char *offWords[] = {"Off:", "WarmUp:", "Turning Off:", "Cooling:", "Error:"};
    for (int state = 0; state <= 4; ++state) {
        QTest::addRow("on %d", state) << true << state << onWords[state] << (state == 0);
        QTest::addRow("off %d", state) << false << state << offWords[state] << (state == 2);
    }
    for (int state : {-1, -2, 5}) {
        QTest::addRow("on %d", state) << true << state << "No Answer:" << false;
        QTest::addRow("off %d", state) << false << state << "No Answer:" << false;
    }
}

void TestStatusRules::powerSwitchDecision()
{
    QFETCH(bool, on);
    QFETCH(int, state);
    QFETCH(QString, word);
    QFETCH(bool, send);
    const auto direction = on ? PowerSwitchRule::Direction::On : PowerSwitchRule::Direction::Off;
    const PowerSwitchRule::Decision decision = PowerSwitchRule::decide(direction, state);
    QCOMPARE(decision.word, word);
    QCOMPARE(decision.send, send);
}

void TestStatusRules::powerStateFromAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("code");
    QTest::newRow("standby") << "OP STATUS=0\r\n" << 0;
    QTest::newRow("on, blanks") << "OP STATUS= 2 " << 2;
    QTest::newRow("not a number") << "OP STATUS=NA" << -1;
    QTest::newRow("no equals") << "garbage" << -1;
}

void TestStatusRules::powerStateFromAnswer()
{
    QFETCH(QString, answer);
    QFETCH(int, code);
    QCOMPARE(PowerSwitchRule::codeFromAnswer(answer), code);
    // One rule: the panel's reading of the same answer agrees.
    QCOMPARE(PowerState::fromAnswerParts(AnswerLine::splitAnswer(answer)), code);
}

void TestStatusRules::exportLinesAndFile()
{
    TableModelStatus model(TableModelStatus::defaultHeaders(), {"h", "10.0.0.1,KX4410Q,SN,2,0000,500,20000,HDMI1,x"});
    const QStringList lines = StatusExport::lines(model, TableModelStatus::LifeColumn);
    QCOMPARE(lines, QStringList({"IP Address,ModelName,SerialNumber,Status,Err,Lamp Hours,Input,Signal,",
                                 "10.0.0.1,KX4410Q,SN,2,0000,500,HDMI1,x,"}));

    const QString folder = TestEnvironment::root();
    const QString path = StatusExport::filePath(folder, QDateTime(QDate(2024, 3, 5), QTime(14, 3, 7)));
    QCOMPARE(path, folder + "/240305_140307_status.txt");
    QVERIFY(StatusExport::write(path, lines));
    QCOMPARE(TestFiles::read(path), (lines.join("\r\n") + "\r\n").toUtf8());
    QVERIFY(!StatusExport::write(folder + "/missing/dir/x_status.txt", lines));
}

ORV_TEST_MAIN(TestStatusRules)
#include "tst_statusrules.moc"
