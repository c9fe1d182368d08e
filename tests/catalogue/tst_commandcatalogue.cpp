#include "tests/common/testenvironment.h"

#include "net/commandcatalogue.h"
#include "tests/common/logcapture.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

const char kHeader[] = "IP:Category,Function Name,OP Command,Value,Query,Min,Max,Names...\r\n";

// A laser model: the op words of the common reference.
const char kLaserCatalogue[] =
    "Status,Model Name,model,,?\r\n"
    "Status,Serial Number,ser.no,,?\r\n"
    "Status,Projector Status,status,,?,0,4,Standby,Warming Up,Light On,Cooling Down,Fault\r\n"
    "Power,Power On,power.on,,\r\n"
    "Power,Power Off,power.off,,\r\n"
    ",Orphan,orphan,,?\r\n"
    "Picture,Brightness,bright,,?,0,100\r\n"
    "Picture,Gamma,gamma,,?,0,3,Film,Video,Bright,CRT\r\n"
    "Picture,Odd,odd,,?,0,9,A,B\r\n"
    "Picture,Weird,weird,,?,x,many,Only\r\n"
    "Control,Blank,blank,,?,0,1,Off,On\r\n"
    "Control,Freeze,freeze,,,0,1,Off,On\r\n"
    "\r\n"
    "Feature,Light Source Life,light.life,20000,\r\n";

// A lamp model: other op words for some functions, other value names.
const char kLampCatalogue[] = "Status,Model Name,model,,?\n"
                              "Status,Serial Number,sn,,?\n"
                              "Status,Projector Status,status,,?,0,4,Standby,Warming,Lamp On,Cooling,Error\n"
                              "Power,Power On,pwr.on,,\n"
                              "Power,Power Off,pwr.off,,\n"
                              "Picture,Brightness,bright,,?,0,100\n"
                              "Picture,Gamma,gamma,,?,0,2,Standard,Film,Graphics\n"
                              "Control,Blank,blank,,?,0,1,Off,On\n"
                              "Feature,Light Source Life,lamp.life,3000,";

const char kDefaultFile[] = "IP:Category,Function Name,OP Command,Value,Query,Min,Max,Names...\n"
                            "Status,Model Name,model,,?\n"
                            "Power,Power On,power.on,,\n"
                            "Status,Error Code,errcode,,?\n";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

int bruteFindRow(const CommandCatalogue &model, const QString &text, int column, const QString &ip)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.fieldText(row, 0).contains(ip) &&
            model.fieldText(row, column).compare(text, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

// What an answer value becomes, read straight from the cells.
QString bruteValueText(const CommandCatalogue &model, int row, const QString &value)
{
    if (!model.fieldText(row, 4).contains('?') || model.fieldText(row, 7).isEmpty() || value == "NA")
        return value;
    bool isNumber = false;
    const int index = value.toInt(&isNumber);
    if (!isNumber || index < 0 || index > model.fieldText(row, 6).toInt() || 7 + index >= model.columnCount())
        return value;
    return value + " [" + model.fieldText(row, 7 + index) + "]";
}

} // namespace

class TestCommandCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void loadCommandFileKeepsHeaderRow();
    void loadCommandFileMissingLeavesEmptyCatalogue();
    void loadCommandFileReplacesContent();

    void loadForIpOncePerIp();
    void loadForIpContainment();
    void loadForIpMissingFile();
    void loadForIpRunsHookPerLine();
    void loadForIpBadInput();
    void loadCommandFileBadInput();

    void nameLookups_data();
    void nameLookups();
    void queryCommandByIp_data();
    void queryCommandByIp();
    void cmdName2opReferences_data();
    void cmdName2opReferences();
    void cmdOp2Name();
    void lookupLogLines();
    void lookupCatalogue_data();
    void lookupCatalogue();

    void catalogueOptions();

    void updateValue_data();
    void updateValue();
    void updateValueTouchesOnlyFirstRowOfItsIp();
    void updateValueOnDefaultRowsWithEmptyIp();
    void updateValueFollowsEditedFields();

    void indexFollowsEveryChange();
    void modelTester();

private:
    void loadFleet(CommandCatalogue &model);

    QTemporaryDir mDir;
    QString mPlugins;
};

void TestCommandCatalogue::init()
{
    QVERIFY(mDir.isValid());
    mPlugins = mDir.filePath("pluginPJ");
    QDir().mkpath(mPlugins);
    writeFile(mPlugins + "/KX9L.csv", QByteArray(kHeader) + kLaserCatalogue);
    writeFile(mPlugins + "/KX9B.csv", QByteArray("IP:Category,Function Name\n") + kLampCatalogue);
    writeFile(mPlugins + "/default.csv", kDefaultFile);
}

void TestCommandCatalogue::loadFleet(CommandCatalogue &model)
{
    QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
    QVERIFY(model.loadCatalogueForIP("10.0.0.10", "KX9L", mPlugins));
    QVERIFY(model.loadCatalogueForIP("10.0.0.2", "KX9B", mPlugins));
}

void TestCommandCatalogue::loadCommandFileKeepsHeaderRow()
{
    CommandCatalogue model;
    QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.fieldText(0, CommandCatalogue::CategoryColumn), QStringLiteral("IP:Category"));
    QCOMPARE(model.fieldText(0, 7), QStringLiteral("Names..."));
    QCOMPARE(model.fieldText(2, CommandCatalogue::OpCommandColumn), QStringLiteral("power.on"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("IP:Category"));
    QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Value"));
    // Default rows keep the bare category.
    QCOMPARE(model.fieldText(3, CommandCatalogue::CategoryColumn), QStringLiteral("Status"));
    QVERIFY(!(model.flags(model.index(1, 1)) & Qt::ItemIsEditable));
}

void TestCommandCatalogue::loadCommandFileMissingLeavesEmptyCatalogue()
{
    CommandCatalogue model;
    QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
    QVERIFY(!model.loadCommandFile(mPlugins + "/nothere.csv"));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Function Name"));
    LogCapture log;
    QVERIFY(model.cmdName2opByIP("Model Name", "").isNull());
    QCOMPARE(log.matching({"cmdName2opByIP", "FuncName Not Found!", "\"Model Name\""}).size(), 1);
    QCOMPARE(model.queryCommandByIP("", "Model Name"), QStringLiteral("op model ?"));
}

void TestCommandCatalogue::loadCommandFileReplacesContent()
{
    CommandCatalogue model;
    QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
    QCOMPARE(model.cmdName2opByIP("Error Code", ""), QStringLiteral("errcode"));
    writeFile(mPlugins + "/other.csv", "IP:Category,Function Name,OP Command\nStatus,Lamp Hours,lamp.hours\n");
    QVERIFY(model.loadCommandFile(mPlugins + "/other.csv"));
    QCOMPARE(model.rowCount(), 2);
    QVERIFY(model.cmdName2opByIP("Error Code", "").isNull());
    QCOMPARE(model.cmdName2opByIP("lamp hours", ""), QStringLiteral("lamp.hours"));
}

void TestCommandCatalogue::loadForIpOncePerIp()
{
    CommandCatalogue model;
    QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
    QVERIFY(!model.hasRowsForIP("10.0.0.10"));
    QVERIFY(model.loadCatalogueForIP("10.0.0.10", "KX9L", mPlugins));
    // 14 lines after the header, one with an empty category and one blank.
    QCOMPARE(model.rowCount(), 4 + 12);
    QCOMPARE(model.fieldText(4, 0), QStringLiteral("10.0.0.10:Status"));
    QCOMPARE(model.fieldText(4, 1), QStringLiteral("Model Name"));
    // Split at every comma, line end stripped from the last field.
    QCOMPARE(model.fieldText(6, 11), QStringLiteral("Fault"));
    QCOMPARE(model.columnCount(), 12);
    QCOMPARE(model.fieldText(model.rowCount() - 1, 3), QStringLiteral("20000"));
    QCOMPARE(model.fieldText(model.rowCount() - 1, 4), QStringLiteral(""));
    QVERIFY(model.hasRowsForIP("10.0.0.10"));
    QVERIFY(model.cmdName2opByIP("Orphan", "10.0.0.10").isNull());

    QVERIFY(!model.loadCatalogueForIP("10.0.0.10", "KX9L", mPlugins));
    QVERIFY(!model.loadCatalogueForIP("10.0.0.10", "KX9B", mPlugins));
    QCOMPARE(model.rowCount(), 16);

    // The lamp file's header is shorter and its last line has no line end.
    QVERIFY(model.loadCatalogueForIP("10.0.0.2", "KX9B", mPlugins));
    QCOMPARE(model.rowCount(), 16 + 9);
    QCOMPARE(model.fieldText(model.rowCount() - 1, 0), QStringLiteral("10.0.0.2:Feature"));
    QCOMPARE(model.fieldText(model.rowCount() - 1, 3), QStringLiteral("3000"));
}

void TestCommandCatalogue::loadForIpContainment()
{
    {
        CommandCatalogue model;
        QVERIFY(model.loadCatalogueForIP("10.0.0.10", "KX9L", mPlugins));
        const int rows = model.rowCount();
        // 10.0.0.1 is contained in "10.0.0.10:...": it counts as loaded, and its
        // lookups find the other projector's rows.
        QVERIFY(model.hasRowsForIP("10.0.0.1"));
        QVERIFY(!model.loadCatalogueForIP("10.0.0.1", "KX9B", mPlugins));
        QCOMPARE(model.rowCount(), rows);
        QCOMPARE(model.cmdName2opByIP("Power On", "10.0.0.1"), QStringLiteral("power.on"));
    }
    {
        CommandCatalogue model;
        QVERIFY(model.loadCatalogueForIP("10.0.0.1", "KX9B", mPlugins));
        QVERIFY(!model.hasRowsForIP("10.0.0.10"));
        QVERIFY(model.loadCatalogueForIP("10.0.0.10", "KX9L", mPlugins));
        QCOMPARE(model.cmdName2opByIP("Power On", "10.0.0.10"), QStringLiteral("power.on"));
        // The shorter address matches both; its own rows come first.
        QCOMPARE(model.cmdName2opByIP("Power On", "10.0.0.1"), QStringLiteral("pwr.on"));
        QCOMPARE(model.cmdName2opByIP("Power On", "10.0.0.1:Power"), QStringLiteral("pwr.on"));
        QVERIFY(model.cmdName2opByIP("Power On", "10.0.0.1:power").isNull());
    }
}

void TestCommandCatalogue::loadForIpMissingFile()
{
    CommandCatalogue model;
    LogCapture log(OrvLogging::WarnLevel);
    QVERIFY(!model.loadCatalogueForIP("10.0.0.7", "NoSuchModel", mPlugins));
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.hasRowsForIP("10.0.0.7"));
    QCOMPARE(log.matching({"loadCatalogueForIP", "NoSuchModel.csv", "10.0.0.7"}).size(), 1);
    QVERIFY(model.loadCatalogueForIP("10.0.0.7", "KX9L", mPlugins));
}

void TestCommandCatalogue::loadForIpRunsHookPerLine()
{
    CommandCatalogue model;
    QVector<int> seenRows;
    QVERIFY(model.loadCatalogueForIP("10.0.0.3", "KX9L", mPlugins,
                                     [&model, &seenRows] { seenRows.append(model.rowCount()); }));
    // Every line after the header, skipped ones included; rows loaded so far
    // are visible to whatever runs in between.
    QCOMPARE(seenRows.size(), 14);
    QCOMPARE(seenRows.first(), 1);
    QCOMPARE(seenRows.last(), 12);
}

void TestCommandCatalogue::loadForIpBadInput()
{
    // Quotes are not special here, a NUL ends its line, short lines give
    // short rows, and a very long line is just a row.
    QByteArray bytes(kHeader);
    bytes += "Picture,\"Quoted, name\",quoted\r\n";
    bytes += QByteArray("Status,Nul Name,nul.op\0,junk,more\r\n", 35);
    bytes += "Status\r\n";
    bytes += "Status,Short\n";
    bytes += "Picture,Long,long,,?,0,99999";
    for (int i = 0; i < 3000; ++i)
        bytes += ",N" + QByteArray::number(i);
    bytes += "\r\n\r\n\n,,,\n";
    writeFile(mPlugins + "/BAD.csv", bytes);

    CommandCatalogue model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.loadCatalogueForIP("10.0.0.40", "BAD", mPlugins));
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.rowTexts(0).mid(0, 4), (QStringList{"10.0.0.40:Picture", "\"Quoted", " name\"", "quoted"}));
    QCOMPARE(model.cmdName2opByIP("\"Quoted", "10.0.0.40"), QStringLiteral(" name\""));
    QCOMPARE(model.cmdName2opByIP("Nul Name", "10.0.0.40"), QStringLiteral("nul.op"));
    QCOMPARE(model.fieldText(1, 3), QStringLiteral(""));
    QCOMPARE(model.fieldText(2, 0), QStringLiteral("10.0.0.40:Status"));
    QCOMPARE(model.fieldText(2, 1), QStringLiteral(""));
    QCOMPARE(model.cmdName2opByIP("Short", "10.0.0.40"), QStringLiteral(""));
    QVERIFY(model.cmdOp2Name("short", "10.0.0.40").isNull());
    QCOMPARE(model.columnCount(), 7 + 3000);
    QCOMPARE(model.catalogueOptions("long", 2, "10.0.0.40").size(), 3000);
    QVERIFY(model.updateCatalogueValue("10.0.0.40", "long", "2999"));
    QCOMPARE(model.fieldText(4, 3), QStringLiteral("2999 [N2999]"));
    QVERIFY(model.updateCatalogueValue("10.0.0.40", "long", "3000"));
    QCOMPARE(model.fieldText(4, 3), QStringLiteral("3000"));
    // A value cell the line did not have is made on the first answer.
    QVERIFY(!model.item(1, 3));
    QVERIFY(model.updateCatalogueValue("10.0.0.40", "nul.op", "1"));
    QCOMPARE(model.fieldText(1, 3), QStringLiteral("1"));
    QVERIFY(!(model.flags(model.index(1, 3)) & Qt::ItemIsEditable));
    QCOMPARE(model.cmdOp2Name("nul.op", "10.0.0.40"), QStringLiteral("Nul Name"));
}

void TestCommandCatalogue::loadCommandFileBadInput()
{
    // A stray quote swallows the rest of its line and the lines after it up
    // to the next quote; a NUL ends the file.
    writeFile(mPlugins + "/broken.csv", QByteArray("IP:Category,Function Name,OP Command\n"
                                                   "Status,Model Name,model\n"
                                                   "Power,Power \"On,power.on\n"
                                                   "Power,Power Off,power.off\n"
                                                   "Status,Error\" Code,errcode\n"
                                                   "Status,Signal Format,signal\n"
                                                   "Status,Serial Number,ser.no") +
                                            QByteArray("\0", 1) + "Status,Hidden,hidden\n");
    CommandCatalogue model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.loadCommandFile(mPlugins + "/broken.csv"));
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.fieldText(2, 1),
             QStringLiteral("Power \"On,power.on\nPower,Power Off,power.off\nStatus,Error\" Code"));
    QCOMPARE(model.fieldText(2, 2), QStringLiteral("errcode"));
    QCOMPARE(model.cmdName2opByIP("Signal Format", ""), QStringLiteral("signal"));
    QCOMPARE(model.cmdName2opByIP("Serial Number", ""), QStringLiteral("ser.no"));
    QVERIFY(model.cmdName2opByIP("Power Off", "").isNull());
    QVERIFY(model.cmdName2opByIP("Hidden", "").isNull());
}

void TestCommandCatalogue::nameLookups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("op"); // null: not found

    QTest::newRow("own row") << "Power On"
                             << "10.0.0.10"
                             << "power.on";
    QTest::newRow("other model, other op") << "Power On"
                                           << "10.0.0.2"
                                           << "pwr.on";
    QTest::newRow("lower case name") << "power on"
                                     << "10.0.0.2"
                                     << "pwr.on";
    QTest::newRow("upper case name") << "POWER ON"
                                     << "10.0.0.2"
                                     << "pwr.on";
    QTest::newRow("whole text only") << "Power"
                                     << "10.0.0.2" << QString();
    QTest::newRow("trailing blank") << "Power On "
                                    << "10.0.0.2" << QString();
    QTest::newRow("ip not loaded") << "Power On"
                                   << "10.0.0.3" << QString();
    QTest::newRow("default row not an ip's") << "Error Code"
                                             << "10.0.0.10" << QString();
    QTest::newRow("empty ip: default row first") << "Power On"
                                                 << ""
                                                 << "power.on";
    QTest::newRow("empty ip: default only name") << "Error Code"
                                                 << ""
                                                 << "errcode";
    QTest::newRow("empty ip: projector row") << "Light Source Life"
                                             << ""
                                             << "light.life";
    QTest::newRow("contained address") << "Power Off"
                                       << "10.0.0.1"
                                       << "power.off";
    QTest::newRow("ip with category") << "Serial Number"
                                      << "10.0.0.2:Status"
                                      << "sn";
    QTest::newRow("containment is case-sensitive") << "Serial Number"
                                                   << "10.0.0.2:STATUS" << QString();
}

void TestCommandCatalogue::nameLookups()
{
    QFETCH(QString, name);
    QFETCH(QString, ip);
    QFETCH(QString, op);
    CommandCatalogue model;
    loadFleet(model);
    const QString found = model.cmdName2opByIP(name, ip);
    QCOMPARE(found.isNull(), op.isNull());
    QCOMPARE(found, op);
    const QString script = model.opCMDbyIP(name, ip);
    QCOMPARE(script.isNull(), op.isNull());
    if (!op.isNull())
        QCOMPARE(script, "op " + op + " ?");
    QCOMPARE(model.findRow(name, CommandCatalogue::FunctionNameColumn, ip),
             bruteFindRow(model, name, CommandCatalogue::FunctionNameColumn, ip));
}

void TestCommandCatalogue::queryCommandByIp_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("script");

    QTest::newRow("loaded model") << "10.0.0.10"
                                  << "Model Name"
                                  << "op model ?"
                                  << "op model ?";
    QTest::newRow("per-model op") << "10.0.0.2"
                                  << "Serial Number"
                                  << "op sn ?"
                                  << "op sn ?";
    QTest::newRow("model name before loading") << "10.0.0.9"
                                               << "Model Name"
                                               << "op model ?" << QString();
    QTest::newRow("fallback needs the exact name") << "10.0.0.9"
                                                   << "model name" << QString() << QString();
    QTest::newRow("other names have no fallback") << "10.0.0.9"
                                                  << "Error Code" << QString() << QString();
    QTest::newRow("ranged command") << "10.0.0.2"
                                    << "Brightness"
                                    << "op bright ?"
                                    << "op bright ?";
}

void TestCommandCatalogue::queryCommandByIp()
{
    QFETCH(QString, ip);
    QFETCH(QString, name);
    QFETCH(QString, query);
    QFETCH(QString, script);
    CommandCatalogue model;
    loadFleet(model);
    const QString built = model.queryCommandByIP(ip, name);
    QCOMPARE(built.isNull(), query.isNull());
    QCOMPARE(built, query);
    const QString scripted = model.opCMDbyIP(name, ip);
    QCOMPARE(scripted.isNull(), script.isNull());
    QCOMPARE(scripted, script);
}

void TestCommandCatalogue::cmdName2opReferences_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("op");

    QTest::newRow("function name") << "(Power On)"
                                   << "10.0.0.2"
                                   << "pwr.on";
    QTest::newRow("function name, any case") << "(power off)"
                                             << "10.0.0.10"
                                             << "power.off";
    QTest::newRow("unknown function") << "(Lens Shift)"
                                      << "10.0.0.2" << QString();
    QTest::newRow("function of an unloaded ip") << "(Power On)"
                                                << "10.0.0.9" << QString();
    QTest::newRow("op word as it stands") << "bright"
                                          << "10.0.0.9"
                                          << "bright";
    QTest::newRow("unknown op word as it stands") << "lens.up.3"
                                                  << "10.0.0.2"
                                                  << "lens.up.3";
    QTest::newRow("only an opening parenthesis") << "(Power On"
                                                 << "10.0.0.2"
                                                 << "(Power On";
    QTest::newRow("only a closing parenthesis") << "Power On)"
                                                << "10.0.0.2"
                                                << "Power On)";
    QTest::newRow("empty reference") << ""
                                     << "10.0.0.2"
                                     << "";
    QTest::newRow("lone parenthesis") << "("
                                      << "10.0.0.2"
                                      << "(";
}

void TestCommandCatalogue::cmdName2opReferences()
{
    QFETCH(QString, reference);
    QFETCH(QString, ip);
    QFETCH(QString, op);
    CommandCatalogue model;
    loadFleet(model);
    const QString resolved = model.cmdName2op(reference, ip);
    QCOMPARE(resolved.isNull(), op.isNull());
    QCOMPARE(resolved, op);
}

void TestCommandCatalogue::cmdOp2Name()
{
    CommandCatalogue model;
    loadFleet(model);
    QCOMPARE(model.cmdOp2Name("PWR.ON", "10.0.0.2"), QStringLiteral("Power On"));
    QCOMPARE(model.cmdOp2Name("power.on", "10.0.0.10"), QStringLiteral("Power On"));
    QVERIFY(model.cmdOp2Name("power.on", "10.0.0.2").isNull());
    QVERIFY(model.cmdOp2Name("power", "10.0.0.10").isNull());
    QCOMPARE(model.cmdOp2Name("errcode", ""), QStringLiteral("Error Code"));
    QVERIFY(model.cmdOp2Name("errcode", "10.0.0.10").isNull());
}

void TestCommandCatalogue::lookupLogLines()
{
    CommandCatalogue model;
    loadFleet(model);
    LogCapture log;
    model.cmdName2opByIP("Power On", "10.0.0.2");
    model.cmdName2opByIP("Nope", "10.0.0.2");
    model.cmdOp2Name("pwr.off", "10.0.0.2");
    model.cmdOp2Name("nope", "10.0.0.2");
    model.cmdName2op("(Power Off)", "10.0.0.2");
    QCOMPARE(log.matching({"cmdName2opByIP Found \"Power On\" = \"pwr.on\""}).size(), 1);
    QCOMPARE(log.matching({"cmdName2opByIP FuncName Not Found! \"Nope\" \"10.0.0.2\""}).size(), 1);
    QCOMPARE(log.matching({"cmdOp2Name Found \"pwr.off\" = \"Power Off\""}).size(), 1);
    QCOMPARE(log.matching({"cmdOp2Name OpCmd Not Found! \"nope\" \"10.0.0.2\""}).size(), 1);
    QCOMPARE(log.matching({"cmdName2op FuncName: \"Power Off\""}).size(), 1);
    QCOMPARE(log.matching({"DEBUG", "cmdName2opByIP Found \"Power Off\" = \"pwr.off\""}).size(), 1);
    // Below the logger's level nothing is written.
    log.clear();
    OrvLogging::Logger::instance().setLoggingLevel(OrvLogging::InfoLevel);
    model.cmdName2opByIP("Power On", "10.0.0.2");
    QVERIFY(log.lines().isEmpty());
}

void TestCommandCatalogue::lookupCatalogue_data()
{
    QTest::addColumn<int>("resultColumn");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("searchColumn");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("result");

    QTest::newRow("rated life, laser") << 3 << "Light Source Life" << 1 << "10.0.0.10"
                                       << "20000";
    QTest::newRow("rated life, lamp") << 3 << "light source life" << 1 << "10.0.0.2"
                                      << "3000";
    QTest::newRow("by op") << 1 << "GAMMA" << 2 << "10.0.0.2"
                           << "Gamma";
    QTest::newRow("minimum") << 5 << "bright" << 2 << "10.0.0.10"
                             << "0";
    QTest::newRow("maximum") << 6 << "bright" << 2 << "10.0.0.10"
                             << "100";
    QTest::newRow("empty value is found, not null") << 3 << "Model Name" << 1 << "10.0.0.10"
                                                    << "";
    QTest::newRow("column beyond the row") << 12 << "Gamma" << 1 << "10.0.0.10"
                                           << "";
    QTest::newRow("miss") << 1 << "Nope" << 1 << "10.0.0.10" << QString();
    QTest::newRow("by query flag") << 1 << "?" << 4 << "10.0.0.10"
                                   << "Model Name";
    QTest::newRow("by category, any case") << 1 << "10.0.0.10:feature" << 0 << "10.0.0.10"
                                           << "Light Source Life";
    QTest::newRow("by value") << 2 << "3000" << 3 << ""
                              << "lamp.life";
    QTest::newRow("by value, other ip") << 2 << "3000" << 3 << "10.0.0.10" << QString();
}

void TestCommandCatalogue::lookupCatalogue()
{
    QFETCH(int, resultColumn);
    QFETCH(QString, text);
    QFETCH(int, searchColumn);
    QFETCH(QString, ip);
    QFETCH(QString, result);
    CommandCatalogue model;
    loadFleet(model);
    const QString found = model.lookupCatalogue(resultColumn, text, searchColumn, ip);
    QCOMPARE(found.isNull(), result.isNull());
    QCOMPARE(found, result);
    QCOMPARE(model.findRow(text, searchColumn, ip), bruteFindRow(model, text, searchColumn, ip));
}

void TestCommandCatalogue::catalogueOptions()
{
    CommandCatalogue model;
    loadFleet(model);
    QCOMPARE(model.catalogueOptions("gamma", 2, "10.0.0.10"), (QStringList{"Film", "Video", "Bright", "CRT"}));
    QCOMPARE(model.catalogueOptions("Gamma", 1, "10.0.0.2"), (QStringList{"Standard", "Film", "Graphics"}));
    QCOMPARE(model.catalogueOptions("blank", 2, "10.0.0.2"), (QStringList{"Off", "On"}));

    // Nothing anywhere: one null entry. Known, but not for this IP: no entry.
    const QStringList none = model.catalogueOptions("nothing", 2, "10.0.0.10");
    QCOMPARE(none.size(), 1);
    QVERIFY(none.first().isNull());
    QVERIFY(model.catalogueOptions("gamma", 2, "10.0.0.9").isEmpty());
    QVERIFY(model.catalogueOptions("freeze", 2, "10.0.0.2").isEmpty());

    // A non-numeric count names value 0 only.
    QCOMPARE(model.catalogueOptions("weird", 2, "10.0.0.10"), QStringList{"Only"});
    // A count beyond the names: empty names, but never past the catalogue's columns.
    const QStringList odd = model.catalogueOptions("odd", 2, "10.0.0.10");
    QCOMPARE(odd.mid(0, 2), (QStringList{"A", "B"}));
    QCOMPARE(odd.size(), qMin(10, model.columnCount() - 7));
    for (int i = 2; i < odd.size(); ++i)
        QVERIFY(odd.at(i).isEmpty());

    // Every row of every projector when the IP is empty, in row order.
    QCOMPARE(model.catalogueOptions("status", 2, ""),
             (QStringList{"Standby", "Warming Up", "Light On", "Cooling Down", "Fault", "Standby", "Warming", "Lamp On",
                          "Cooling", "Error"}));
    // Search by another column.
    QCOMPARE(model.catalogueOptions("10.0.0.2:Control", 0, "10.0.0.2"), (QStringList{"Off", "On"}));
    QCOMPARE(model.catalogueOptions("10.0.0.3:Control", 0, "10.0.0.2").size(), 1);
}

void TestCommandCatalogue::updateValue_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("written"); // null: no row

    QTest::newRow("named value") << "10.0.0.10"
                                 << "blank"
                                 << "1"
                                 << "1 [On]";
    QTest::newRow("value 0, op in other case") << "10.0.0.10"
                                               << "BLANK"
                                               << "0"
                                               << "0 [Off]";
    QTest::newRow("out of range") << "10.0.0.10"
                                  << "blank"
                                  << "2"
                                  << "2";
    QTest::newRow("NA") << "10.0.0.10"
                        << "blank"
                        << "NA"
                        << "NA";
    QTest::newRow("negative") << "10.0.0.10"
                              << "blank"
                              << "-1"
                              << "-1";
    QTest::newRow("not a number") << "10.0.0.10"
                                  << "blank"
                                  << "x"
                                  << "x";
    QTest::newRow("ranged command") << "10.0.0.10"
                                    << "bright"
                                    << "55"
                                    << "55";
    QTest::newRow("not queryable") << "10.0.0.10"
                                   << "freeze"
                                   << "1"
                                   << "1";
    QTest::newRow("status, laser names") << "10.0.0.10"
                                         << "status"
                                         << "2"
                                         << "2 [Light On]";
    QTest::newRow("status, lamp names") << "10.0.0.2"
                                        << "status"
                                        << "2"
                                        << "2 [Lamp On]";
    QTest::newRow("highest value") << "10.0.0.10"
                                   << "gamma"
                                   << "3"
                                   << "3 [CRT]";
    QTest::newRow("name beyond the listed names") << "10.0.0.10"
                                                  << "odd"
                                                  << "3"
                                                  << "3 []";
    QTest::newRow("text answer") << "10.0.0.2"
                                 << "model"
                                 << "KX9B"
                                 << "KX9B";
    QTest::newRow("unknown op") << "10.0.0.10"
                                << "nothing"
                                << "1" << QString();
    QTest::newRow("op of another model") << "10.0.0.10"
                                         << "pwr.on"
                                         << "1" << QString();
}

void TestCommandCatalogue::updateValue()
{
    QFETCH(QString, ip);
    QFETCH(QString, op);
    QFETCH(QString, value);
    QFETCH(QString, written);
    CommandCatalogue model;
    loadFleet(model);
    QCOMPARE(model.updateCatalogueValue(ip, op, value), !written.isNull());
    if (!written.isNull())
        QCOMPARE(model.lookupCatalogue(CommandCatalogue::ValueColumn, op, CommandCatalogue::OpCommandColumn, ip),
                 written);
}

void TestCommandCatalogue::updateValueTouchesOnlyFirstRowOfItsIp()
{
    writeFile(mPlugins + "/DUP.csv", QByteArray(kHeader) + "Picture,Gamma,gamma,,?,0,1,Low,High\n"
                                                           "Advanced,Gamma Curve,gamma,,?,0,1,Soft,Hard\n");
    CommandCatalogue model;
    loadFleet(model);
    QVERIFY(model.loadCatalogueForIP("10.0.0.30", "DUP", mPlugins));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.updateCatalogueValue("10.0.0.30", "gamma", "1"));
    QCOMPARE(changed.size(), 1);
    const int first = model.findRow("Gamma", 1, "10.0.0.30");
    const int second = model.findRow("Gamma Curve", 1, "10.0.0.30");
    QCOMPARE(model.fieldText(first, 3), QStringLiteral("1 [High]"));
    QCOMPARE(model.fieldText(second, 3), QStringLiteral(""));
    // The rows of the other projectors keep their values.
    QCOMPARE(model.lookupCatalogue(3, "gamma", 2, "10.0.0.10"), QStringLiteral(""));
    QCOMPARE(model.lookupCatalogue(3, "gamma", 2, "10.0.0.2"), QStringLiteral(""));
    // A new answer replaces the old value.
    QVERIFY(model.updateCatalogueValue("10.0.0.30", "gamma", "0"));
    QCOMPARE(model.fieldText(first, 3), QStringLiteral("0 [Low]"));
}

void TestCommandCatalogue::updateValueOnDefaultRowsWithEmptyIp()
{
    CommandCatalogue model;
    loadFleet(model);
    QVERIFY(model.updateCatalogueValue("", "errcode", "0612"));
    QCOMPARE(model.fieldText(3, 3), QStringLiteral("0612"));
    // With an empty IP the first row anywhere is written: the default file's.
    QVERIFY(model.updateCatalogueValue("", "model", "KX9L"));
    QCOMPARE(model.fieldText(1, 3), QStringLiteral("KX9L"));
    QCOMPARE(model.lookupCatalogue(3, "model", 2, "10.0.0.10"), QStringLiteral(""));
}

void TestCommandCatalogue::updateValueFollowsEditedFields()
{
    CommandCatalogue model;
    loadFleet(model);
    const int row = model.findRow("blank", 2, "10.0.0.10");
    QVERIFY(row >= 0);
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "1"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("1 [On]"));
    // Value names and range edited in place.
    model.setData(model.index(row, 8), "Enabled");
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "1"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("1 [Enabled]"));
    model.setData(model.index(row, 6), "0");
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "1"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("1"));
    model.setData(model.index(row, 6), "1");
    model.setData(model.index(row, 4), "");
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "1"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("1"));
    model.setData(model.index(row, 4), "?");
    // A column put in among the value names leaves a gap; the names behind
    // it move along.
    model.insertColumn(8);
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "1"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("1 []"));
    model.setData(model.index(row, 6), "2");
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "2"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("2 [Enabled]"));
    for (int i = 0; i < 6; ++i)
        model.insertColumn(8);
    model.setData(model.index(row, 6), "8");
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "8"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("8 [Enabled]"));
    QVERIFY(model.updateCatalogueValue("10.0.0.10", "blank", "5"));
    QCOMPARE(model.fieldText(row, 3), QStringLiteral("5 []"));
    // Renaming a function or an op word is seen at once.
    model.setData(model.index(row, 2), "blank.screen");
    QVERIFY(!model.updateCatalogueValue("10.0.0.10", "blank", "1"));
    QCOMPARE(model.cmdOp2Name("Blank.Screen", "10.0.0.10"), QStringLiteral("Blank"));
    model.setData(model.index(row, 1), "Screen Blank");
    QCOMPARE(model.cmdName2opByIP("screen blank", "10.0.0.10"), QStringLiteral("blank.screen"));
    QVERIFY(model.cmdName2opByIP("Blank", "10.0.0.10").isNull());
}

void TestCommandCatalogue::indexFollowsEveryChange()
{
    // Random edits of every kind, each followed by lookups compared with a
    // plain scan over the rows.
    CommandCatalogue model;
    const QStringList ips{"10.0.0.1", "10.0.0.10", "10.0.0.100", "192.168.1.5", ""};
    const QStringList names{"Power On", "power on", "Gamma", "GAMMA", "Brightness", "Model Name", ""};
    const QStringList ops{"power.on", "pwr.on", "gamma", "Bright", "model", ""};
    const QStringList categories{"Status", "Power", "Picture"};
    QRandomGenerator random(7);
    auto pick = [&random](const QStringList &list) { return list.at(random.bounded(list.size())); };
    auto randomRow = [&] {
        const QString ip = pick(ips);
        const QString category = ip.isEmpty() ? pick(categories) : ip + ":" + pick(categories);
        return QStringList{category, pick(names), pick(ops), QString(), "?", "0", "1", "Off", "On"};
    };
    for (int step = 0; step < 600; ++step) {
        const int action = random.bounded(11);
        if (action < 5 || model.rowCount() < 3) {
            model.appendCatalogueRow(randomRow());
        } else if (action == 5) {
            QList<QStandardItem *> items;
            for (const QString &field : randomRow())
                items.append(new QStandardItem(field));
            model.insertRow(random.bounded(model.rowCount()), items);
        } else if (action == 6) {
            model.removeRows(random.bounded(model.rowCount()), 1);
        } else if (action == 7) {
            const int column = random.bounded(4);
            const QString text = column == 0 ? pick(ips) + ":Status" : column == 1 ? pick(names) : pick(ops);
            model.setData(model.index(random.bounded(model.rowCount()), column), text);
        } else if (action == 8) {
            // Hidden fields: query flag, range, value names.
            const int column = 4 + random.bounded(6);
            const QStringList texts{"?", "", "1", "2", "x", "Off", "On"};
            model.setData(model.index(random.bounded(model.rowCount()), column), pick(texts));
        } else if (action == 9 && random.bounded(2) == 0) {
            if (random.bounded(2) == 0 || model.columnCount() < 10)
                model.insertColumn(random.bounded(model.columnCount() + 1));
            else
                model.removeColumn(3 + random.bounded(model.columnCount() - 3));
        } else {
            model.sort(random.bounded(3), random.bounded(2) ? Qt::AscendingOrder : Qt::DescendingOrder);
        }
        for (int probe = 0; probe < 12; ++probe) {
            const QString ip = random.bounded(6) == 0 ? pick(ips) + ":Status" : pick(ips);
            const int column = 1 + random.bounded(2);
            const QString text = column == 1 ? pick(names) : pick(ops);
            const int expected = bruteFindRow(model, text, column, ip);
            QVERIFY2(model.findRow(text, column, ip) == expected,
                     qPrintable(QString("step %1: %2 in column %3 for '%4'").arg(step).arg(text).arg(column).arg(ip)));
            bool anyRow = false;
            for (int row = 0; row < model.rowCount(); ++row)
                anyRow = anyRow || model.fieldText(row, 0).contains(ip);
            QCOMPARE(model.hasRowsForIP(ip), anyRow);
            QVector<int> all;
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.fieldText(row, 0).contains(ip) &&
                    model.fieldText(row, column).compare(text, Qt::CaseInsensitive) == 0)
                    all.append(row);
            }
            QCOMPARE(model.findRows(text, column, ip), all);
        }
        const QString ip = pick(ips);
        const QString op = pick(ops);
        const QString value = QString::number(random.bounded(-1, 4));
        const int row = bruteFindRow(model, op, 2, ip);
        QCOMPARE(model.updateCatalogueValue(ip, op, value), row >= 0);
        if (row >= 0)
            QCOMPARE(model.fieldText(row, 3), bruteValueText(model, row, value));
    }
}

void TestCommandCatalogue::modelTester()
{
    CommandCatalogue model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    loadFleet(model);
    QVERIFY(model.loadCatalogueForIP("10.0.0.30", "KX9L", mPlugins));
    QVERIFY(model.updateCatalogueValue("10.0.0.30", "blank", "1"));
    model.removeRows(2, 3);
    model.sort(1);
    QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
    QCOMPARE(model.rowCount(), 4);
}

ORV_TEST_GUILESS_MAIN(TestCommandCatalogue)
#include "tst_commandcatalogue.moc"
