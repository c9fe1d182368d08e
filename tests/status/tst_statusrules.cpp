#include "monitor/errorcodedictionary.h"
#include "monitor/lamphoursbar.h"
#include "monitor/powerswitchrule.h"
#include "monitor/statusanswermap.h"
#include "monitor/statusexport.h"
#include "monitor/tablemodelstatus.h"
#include "tests/common/testenvironment.h"
#include "ui/shellresources.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QFile>
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
    void modelFlagsAlignmentAndLamps();

    void answerKeysFillTheirColumns();
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
    row("0407", "Laser  COlor Sensor Not Connect");
    row("0612", "System FAN (1~16) 2 Fan Locked(Rotate Error)");
    row("07F3", "Blower(17~32) 32 Fan Speed Error (too high or too low)");
    row("0815", "Color Wheel Phospher wheel Env Check Fail");
    row("1044", "Thermal Sensor Inlet2 Thermal Sensor Low Temperature");
    // CCUE: "1020" is unit 2 (not listed) and error 0, so both stay empty.
    row("1020", "Thermal Sensor  ");
    row("1002", "Thermal Sensor  Over Temperature");
    row("1151", "Inter Lock Cover Door Open");
    row("1271", "Thermal Break Thermal Stat4 Thermal break be triggered");
    row("1402", "EEPROM System EEPROM Checksum Error");
    row("2011", "MCU Host MCU SPI Port 0 Fail");
    row("2103", "Scaler  Load OSD Fail");
    row("2221", "Digital Receiver 3 Init Fail");
    row("2302", "ADC Decoder 1 Communication Fail");
    row("2652", "TMDS Transmitter  Communication Fail");
    row("27F1", "Expand GPIO 16 Init Fail");
    row("2842", "Warping Chip 5 Communication Fail");
    row("2901", "FAN Driver 1 Init Fail");
    row("3012", "Motor Board System View Communication Fail");
    row("3101", "RJ45 Board  Init Fail");
    row("3302", "Pressure Sensor  Communication Fail");
    row("3401", "G Sensor  Init Fail");
    row("3523", "Laser Bank 3 Not Connect");
    row("3692", "Laser Diode 10 Over Temperature");
    row("3704", "Pump Water Pump Speed to high");
    row("3801", "LCU (Standby MCU)  I2C Fail");
    // Edge cases: unknown categories, unlisted digits, unreadable input.
    row("3900", "  ");
    row("0200", "  ");
    row("FF11", "  ");
    row("0199", "Formatter/DMD  ");
    row("07f3", "Blower(17~32) 32 Fan Speed Error (too high or too low)");
    row("zz12", "NoError  ");
    row("-112", "NoError  ");
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
    QTest::newRow("blank mask") << "    " << false << "grey";
    QTest::newRow("no error") << "0000" << true << "grey";
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
    QCOMPARE(model.cell(0, 1), "KX4410Q");
    QCOMPARE(model.cell(0, 2), "SN1"); // empty parts are dropped

    // Exact match, the first of two rows of one address.
    QCOMPARE(model.rowOfAddress("10.0.0.1"), 1);
    QCOMPARE(model.rowOfAddress("10.0.0.11"), 0);
    QCOMPARE(model.rowOfAddress("0.0.1"), -1);
    QCOMPARE(model.rowOfAddress(""), -1);

    // The index follows edits and structural changes.
    QVERIFY(model.insertRows(0, 2));
    QCOMPARE(model.rowOfAddress("10.0.0.1"), 3);
    QVERIFY(model.setData(model.index(0, 0), "10.0.0.9"));
    QCOMPARE(model.rowOfAddress("10.0.0.1"), 3);
    QCOMPARE(model.rowOfAddress("10.0.0.9"), 0);
    QVERIFY(model.removeRows(0, 3));
    QCOMPARE(model.rowOfAddress("10.0.0.1"), 0);
    QCOMPARE(model.rowOfAddress("10.0.0.11"), -1);
    QVERIFY(!model.setData(model.index(0, 1), "x", Qt::DisplayRole));
    QVERIFY(model.insertColumns(1, 1));
    QVERIFY(model.removeColumns(1, 1));
    QCOMPARE(model.columnCount(), int(TableModelStatus::ColumnCount));

    model.resetAddresses({"10.0.0.5", "10.0.0.6"});
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.rowOfAddress("10.0.0.6"), 1);
    QCOMPARE(model.cell(1, TableModelStatus::ModelColumn), QString());
}

void TestStatusRules::modelFlagsAlignmentAndLamps()
{
    TableModelStatus model(TableModelStatus::defaultHeaders(), {"h", "10.0.0.1", "10.0.0.2"});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.flags(model.index(0, 0)), Qt::NoItemFlags);
    model.slotUpdateConnectedIP({"10.0.0.2", "10.0.0.10"});
    QCOMPARE(model.flags(model.index(0, 3)), Qt::NoItemFlags);
    QVERIFY(model.flags(model.index(1, 3)) & Qt::ItemIsSelectable);
    QVERIFY(model.flags(model.index(1, 3)) & Qt::ItemIsEnabled);

    QCOMPARE(model.data(model.index(0, TableModelStatus::HoursColumn), Qt::TextAlignmentRole).toInt(), 134);
    QCOMPARE(model.data(model.index(0, TableModelStatus::SignalColumn), Qt::TextAlignmentRole).toInt(), 132);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), "IP Address");
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());

    // Lamp pictures: dark lamp for 0 and 3, lit for 1 and 2, dark lamp and
    // warning sign for 4, nothing otherwise.
    const auto lamp = [&](const QString &code) {
        model.setCell(0, TableModelStatus::StatusColumn, code);
        return model.data(model.index(0, TableModelStatus::StatusColumn), Qt::DecorationRole);
    };
    const QImage standby = lamp("0").value<QPixmap>().toImage();
    QCOMPARE(standby.size(), QSize(48, 24));
    QCOMPARE(lamp("3").value<QPixmap>().toImage(), standby);
    const QImage lit = lamp("2").value<QPixmap>().toImage();
    QVERIFY(lit != standby);
    QCOMPARE(lamp("1").value<QPixmap>().toImage(), lit);
    const QImage fault = lamp("4").value<QPixmap>().toImage();
    QCOMPARE(standby.pixelColor(36, 12).alpha(), 0);
    QVERIFY(fault.pixelColor(36, 12).alpha() > 0); // the warning sign beside the lamp
    QVERIFY(!lamp("7").isValid());
    QVERIFY(!lamp("on").isValid());
    QVERIFY(!lamp("").isValid());
    QVERIFY(!model.data(model.index(0, TableModelStatus::ErrorCodeColumn), Qt::DecorationRole).isValid());
}

void TestStatusRules::answerKeysFillTheirColumns()
{
    QCOMPARE(StatusAnswerMap::columnForKey("OP MODEL"), int(TableModelStatus::ModelColumn));
    QCOMPARE(StatusAnswerMap::columnForKey("OP SER.NO"), int(TableModelStatus::SerialColumn));
    QCOMPARE(StatusAnswerMap::columnForKey("OP STATUS"), int(TableModelStatus::StatusColumn));
    QCOMPARE(StatusAnswerMap::columnForKey("OP ERRCODE"), int(TableModelStatus::ErrorCodeColumn));
    QCOMPARE(StatusAnswerMap::columnForKey("OP TOTAL.HOURS"), int(TableModelStatus::HoursColumn));
    QCOMPARE(StatusAnswerMap::columnForKey("OP ACT.SOURCE"), int(TableModelStatus::InputColumn));
    QCOMPARE(StatusAnswerMap::columnForKey("OP SIGNAL"), int(TableModelStatus::SignalColumn));
    QCOMPARE(StatusAnswerMap::columnForKey("OP INPUT.SEL"), -1);
    QCOMPARE(StatusAnswerMap::columnForKey("op model"), -1);
    QCOMPARE(StatusAnswerMap::sweepFunctionNames(),
             QStringList({"Error Code", "Projector Status", "Serial Number", "Model Name", "Signal Format",
                          "Active Source", "Input Select", "Total Hours"}));
}

void TestStatusRules::lampBarShape_data()
{
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("life");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("value");
    QTest::newRow("unknown life") << "500"
                                  << "" << true << 0 << 0;
    QTest::newRow("zero life") << "500"
                               << "0" << true << 0 << 0;
    QTest::newRow("under 1 %") << "199"
                               << "20000" << true << 0 << 0;
    QTest::newRow("50 %") << "10000"
                          << "20000" << false << int(LampHoursBar::Colour::Green) << 10000;
    QTest::newRow("75 % exactly") << "15000"
                                  << "20000" << false << int(LampHoursBar::Colour::Green) << 15000;
    QTest::newRow("80 %") << "2400"
                          << "3000" << false << int(LampHoursBar::Colour::Brown) << 2400;
    QTest::newRow("90 % exactly") << "2700"
                                  << "3000" << false << int(LampHoursBar::Colour::Brown) << 2700;
    QTest::newRow("91 %") << "2730"
                          << "3000" << false << int(LampHoursBar::Colour::Red) << 2730;
    QTest::newRow("past life: full") << "4500"
                                     << "3000" << false << int(LampHoursBar::Colour::Red) << 3000;
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
    QTest::newRow("fault") << "OP STATUS=4" << 4;
    QTest::newRow("not a number") << "OP STATUS=NA" << -1;
    QTest::newRow("empty value") << "OP STATUS=" << -1;
    QTest::newRow("no equals") << "garbage" << -1;
    QTest::newRow("nothing") << "" << -1;
}

void TestStatusRules::powerStateFromAnswer()
{
    QFETCH(QString, answer);
    QFETCH(int, code);
    QCOMPARE(PowerSwitchRule::codeFromAnswer(answer), code);
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
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("IP Address,ModelName,SerialNumber,Status,Err,Lamp Hours,Input,Signal,\r\n"
                                        "10.0.0.1,KX4410Q,SN,2,0000,500,HDMI1,x,\r\n"));
    file.close();
    // A folder that cannot be written reports failure.
    QVERIFY(!StatusExport::write(folder + "/missing/dir/x_status.txt", lines));
}

ORV_TEST_MAIN(TestStatusRules)
#include "tst_statusrules.moc"
