#include "tests/common/testenvironment.h"

#include "net/cataloguecsvparser.h"
#include "net/cataloguefiles.h"
#include "net/cataloguetablemodel.h"
#include "net/commandcatalogue.h"
#include "tests/common/logcapture.h"
#include "tests/common/testfiles.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

namespace {

const char kHeader[] = "IP:Category,Function Name,OP Command,Value,Query,Min,Max,Names...\r\n";

// A laser model: 13 lines, one with an empty category and one blank.
const char kLaser[] =
    "Status,Model Name,model,,?\r\nStatus,Serial Number,ser.no,,?\r\n"
    "Status,Projector Status,status,,?,0,2,Standby,Warming Up,On\r\n"
    "Power,Power On,power.on,,\r\nPower,Power Off,power.off,,\r\n,Orphan,orphan,,?\r\n"
    "Picture,Gamma,gamma,,?,0,3,Film,Video,Bright,CRT\r\nAdvanced,Gamma Curve,gamma,,?,0,1,Soft,Hard\r\n"
    "Picture,Odd,odd,,?,0,9,A,B\r\nControl,Blank,blank,,?,0,1,Off,On\r\n"
    "Control,Freeze,freeze,,,0,1,Off,On\r\n\r\nFeature,Light Source Life,light.life,20000,\r\n";

// A lamp model: other op words and value names; no line end at the end.
const char kLamp[] = "IP:Category,Function Name\nStatus,Model Name,model,,?\nStatus,Serial Number,sn,,?\n"
                     "Status,Projector Status,status,,?,0,2,Standby,Warming,Lamp On\nPower,Power On,pwr.on,,\n"
                     "Power,Power Off,pwr.off,,\nPicture,Gamma,gamma,,?,0,2,Standard,Film,Gfx\n"
                     "Control,Blank,blank,,?,0,1,Off,On\nFeature,Light Source Life,lamp.life,3000,";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY2(TestFiles::write(path, bytes), qPrintable(path));
}

// Null and empty texts are different answers.
QString shown(const QString &text)
{
    return text.isNull() ? QStringLiteral("<null>") : text;
}

// The lookup rules by a plain scan over the cells (column -1: any row of ip).
QVector<int> scanRows(const CommandCatalogue &model, const QString &text, int column, const QString &ip)
{
    QVector<int> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        if ((ip.isEmpty() || model.fieldText(row, 0).startsWith(ip + ':')) &&
            (column < 0 || model.fieldText(row, column).compare(text, Qt::CaseInsensitive) == 0))
            rows.append(row);
    }
    return rows;
}

} // namespace

class TestCommandCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void csvReader_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<Rows>("expected");

        const auto row = [](const char *name, const QByteArray &input, const Rows &expected) {
            QTest::newRow(name) << input << expected;
        };
        row("doubled quotes", "\"say \"\"hi\"\"\",a\"\"b\n", {{"say \"hi\"", "a\"b"}});
        row("quoted line feed", "\"two\nlines\",b\n", {{"two\nlines", "b"}});
        row("stray quote swallows separators and line ends", "a,b\"c,d\ne,f\ng\"h,i\nj\n",
            {{"a", "b\"c,d\ne,f\ng\"h", "i"}, {"j"}});
        row("unbalanced quote at the end drops the open row", "a,b\n\"c,d\ne,f\n", {{"a", "b"}});
        row("quotes stripped only at both ends", "\"abc\"def,\"\"\n", {{"\"abc\"def", ""}});
        row("carriage returns removed", "a,b\r\nc\r,d\r\n", {{"a", "b"}, {"c", "d"}});
        row("NUL ends the text", QByteArray("a,b\nc,d\0e,f\n", 13), {{"a", "b"}, {"c", "d"}});
        row("last line without line feed", "a,b\nc,\"d\"", {{"a", "b"}, {"c", "d"}});
        row("last line ending in a comma", "a,b,", {{"a", "b", ""}});
        row("blank line and short rows", "a,,b\n\nc\n", {{"a", "", "b"}, {""}, {"c"}});
        row("8-bit text", "\xe9t\xe9,\xb0", {{QString::fromLatin1("\xe9t\xe9"), QString::fromLatin1("\xb0")}});
    }

    void csvReader()
    {
        QFETCH(QByteArray, input);
        QFETCH(Rows, expected);
        QCOMPARE(CatalogueCsvParser::parseBytes(input), expected);
    }

    void init()
    {
        mPlugins = mDir.filePath("pluginPJ");
        QVERIFY(QDir().mkpath(mPlugins));
        writeFile(mPlugins + "/KX9L.csv", QByteArray(kHeader) + kLaser);
        writeFile(mPlugins + "/KX9B.csv", kLamp);
        writeFile(mPlugins + "/default.csv", "IP:Category,Function Name,OP Command\nStatus,Model Name,model,,?\n"
                                             "Power,Power On,power.on,,\nStatus,Error Code,errcode,,?\n");
        mFleet.reset(new CommandCatalogue);
        QVERIFY(mFleet->loadCommandFile(mPlugins + "/default.csv"));
        QVERIFY(mFleet->loadCatalogueForIP("10.0.0.20", "KX9L", mPlugins));
        QVERIFY(mFleet->loadCatalogueForIP("10.0.0.2", "KX9B", mPlugins));
    }

    void loading()
    {
        CommandCatalogue model;
        QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
        QCOMPARE(model.rowTexts(0).mid(0, 3), (QStringList{"IP:Category", "Function Name", "OP Command"}));
        QVERIFY(model.loadCatalogueForIP("10.0.0.10", "KX9L", mPlugins));
        QCOMPARE(model.rowCount(), 4 + 11); // header, empty category and blank line dropped
        QCOMPARE(model.rowTexts(4).mid(0, 3), (QStringList{"10.0.0.10:Status", "Model Name", "model"}));
        QCOMPARE(model.fieldText(6, 9), QStringLiteral("On")); // line end stripped
        // Once per IP, whatever the model; 10.0.0.1 is an address of its own.
        QVERIFY(!model.loadCatalogueForIP("10.0.0.10", "KX9B", mPlugins));
        QVERIFY(model.loadCatalogueForIP("10.0.0.1", "KX9B", mPlugins));
        QCOMPARE(model.rowCount(), 15 + 8);
        QCOMPARE(model.rowTexts(22).mid(0, 4),
                 (QStringList{"10.0.0.1:Feature", "Light Source Life", "lamp.life", "3000"}));
        // No file for the model: nothing loaded, the IP stays free.
        LogCapture log;
        QVERIFY(!model.loadCatalogueForIP("10.0.0.7", "NoSuchModel", mPlugins));
        QVERIFY(!model.hasRowsForIP("10.0.0.7"));
        QCOMPARE(log.matching({"loadCatalogueForIP", "NoSuchModel.csv", "10.0.0.7"}).size(), 1);
        // No default file: an empty catalogue, where "Model Name" still has its query.
        QVERIFY(!model.loadCommandFile(mPlugins + "/nothere.csv"));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.cmdName2opByIP("Model Name", "").isNull());
        QCOMPARE(log.matching({"cmdName2opByIP", "FuncName Not Found!", "\"Model Name\""}).size(), 1);
        QCOMPARE(model.queryCommandByIP("", "Model Name"), QStringLiteral("op model ?"));
    }

    void lookups_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("op");    // null: not found
        QTest::addColumn<QString>("query"); // queryCommandByIP

        const auto row = [](const char *tag, const char *name, const char *ip, const QString &op,
                            const QString &query) {
            QTest::newRow(tag) << QString(name) << QString(ip) << op << query;
        };
        const QString no;
        row("own row", "Power On", "10.0.0.20", "power.on", "op power.on ?");
        row("address inside another's", "Power On", "10.0.0.2", "pwr.on", "op pwr.on ?");
        row("name in any case", "POWER off", "10.0.0.2", "pwr.off", "op pwr.off ?");
        row("whole text only", "Power", "10.0.0.2", no, no);
        row("ip not loaded", "Power On", "10.0.0.3", no, no);
        row("start of an address", "Power On", "10.0.0.", no, no);
        row("default row is no ip's", "Error Code", "10.0.0.20", no, no);
        row("empty ip: default row first", "Power On", "", "power.on", "op power.on ?");
        row("empty ip: projector row", "Light Source Life", "", "light.life", "op light.life ?");
        row("model name before loading", "Model Name", "10.0.0.9", no, "op model ?");
        row("fallback needs the exact name", "model name", "10.0.0.9", no, no);
    }

    void lookups()
    {
        QFETCH(QString, name);
        QFETCH(QString, ip);
        QFETCH(QString, op);
        QFETCH(QString, query);
        QCOMPARE(shown(mFleet->cmdName2opByIP(name, ip)), shown(op));
        QCOMPARE(shown(mFleet->queryCommandByIP(ip, name)), shown(query));
        // The script-side form has no "Model Name" fallback.
        QCOMPARE(shown(mFleet->opCMDbyIP(name, ip)), shown(op.isNull() ? QString() : query));
        QCOMPARE(shown(mFleet->cmdName2op("(" + name + ")", ip)), shown(op));
        if (!op.isNull())
            QVERIFY(mFleet->cmdOp2Name(op.toUpper(), ip).compare(name, Qt::CaseInsensitive) == 0);
    }

    void catalogueOptions()
    {
        QCOMPARE(mFleet->catalogueOptions("GAMMA", 2, "10.0.0.20").join(','),
                 QStringLiteral("Film,Video,Bright,CRT,Soft,Hard"));
        QCOMPARE(mFleet->catalogueOptions("Gamma", 1, "10.0.0.2"), (QStringList{"Standard", "Film", "Gfx"}));
        // Every row of every projector when the IP is empty, in row order.
        QCOMPARE(mFleet->catalogueOptions("blank", 2, ""), (QStringList{"Off", "On", "Off", "On"}));
        // Nothing anywhere: one null entry. Known, but not for this IP: no entry.
        const QStringList none = mFleet->catalogueOptions("nothing", 2, "10.0.0.20");
        QVERIFY(none.size() == 1 && none.first().isNull());
        QVERIFY(mFleet->catalogueOptions("freeze", 2, "10.0.0.2").isEmpty());
        // A count beyond the names: empty names, never past the catalogue's columns.
        const QStringList odd = mFleet->catalogueOptions("odd", 2, "10.0.0.20");
        QCOMPARE(odd.size(), qMin(10, mFleet->columnCount() - 7));
        QCOMPARE(odd.mid(0, 3), (QStringList{"A", "B", ""}));
        // A hand-edited count at the top of the int range: still only the columns there are.
        mFleet->appendCatalogueRow({"10.0.0.20:Picture", "Huge", "huge", "", "?", "0", "2147483647", "X", "Y"});
        QCOMPARE(mFleet->catalogueOptions("huge", 2, "10.0.0.20").mid(0, 2), (QStringList{"X", "Y"}));
    }

    void updateValue_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written"); // null: no row

        const auto row = [](const char *tag, const char *ip, const char *op, const char *value,
                            const QString &written) {
            QTest::newRow(tag) << QString(ip) << QString(op) << QString(value) << written;
        };
        row("named value", "10.0.0.20", "BLANK", "1", "1 [On]");
        row("out of range", "10.0.0.20", "blank", "2", "2");
        row("NA", "10.0.0.20", "blank", "NA", "NA");
        row("names of the ip's model", "10.0.0.2", "status", "2", "2 [Lamp On]");
        row("beyond the listed names", "10.0.0.20", "odd", "3", "3 []");
        row("op of another model", "10.0.0.20", "pwr.on", "1", QString());
    }

    void updateValue()
    {
        QFETCH(QString, ip);
        QFETCH(QString, op);
        QFETCH(QString, value);
        QFETCH(QString, written);
        QStringList before;
        for (int row = 0; row < mFleet->rowCount(); ++row)
            before.append(mFleet->fieldText(row, 3));
        QCOMPARE(mFleet->updateCatalogueValue(ip, op, value), !written.isNull());
        // Exactly one cell written: the value of the first row a plain scan finds.
        const int target = scanRows(*mFleet, op, 2, ip).value(0, -1);
        for (int row = 0; row < mFleet->rowCount(); ++row)
            QCOMPARE(mFleet->fieldText(row, 3), row == target ? written : before.at(row));
    }

    void badInput()
    {
        // Per-IP files: quotes are not special, a NUL ends its line, short lines
        // give short rows; rows too long or too wide are bounded (line 5 has
        // 7 + 400 fields, lines 6 and 7 are beyond the length bound).
        QByteArray bytes = QByteArray(kHeader) + "Picture,\"Quoted, name\",quoted\r\n" +
                           QByteArray("Status,Nul Name,nul.op\0,junk\r\n", 30) +
                           "Status\r\nPicture,Long,long,,?,0,99999";
        for (int i = 0; i < 400; ++i)
            bytes += ",N" + QByteArray::number(i);
        bytes += "\r\nPicture,Wide" + QByteArray(20000, ',') + "\r\nPicture,Longer," + QByteArray(5000, 'x');
        writeFile(mPlugins + "/BAD.csv", bytes + "\r\n\r\n,,,\nStatus,Last,last\n");
        LogCapture log;
        CommandCatalogue model;
        QVERIFY(model.loadCatalogueForIP("10.0.0.40", "BAD", mPlugins));
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.cmdName2opByIP("\"Quoted", "10.0.0.40"), QStringLiteral(" name\""));
        QCOMPARE(model.cmdName2opByIP("Nul Name", "10.0.0.40"), QStringLiteral("nul.op"));
        QCOMPARE(model.cmdName2opByIP("Last", "10.0.0.40"), QStringLiteral("last"));
        QCOMPARE(model.rowTexts(2), (QStringList{"10.0.0.40:Status", "", "", ""}));
        QCOMPARE(model.columnCount(), CatalogueCsvParser::MaxFields);
        QCOMPARE(model.rowTexts(3).size(), CatalogueCsvParser::MaxFields);
        QVERIFY(model.updateCatalogueValue("10.0.0.40", "long", "255"));
        QCOMPARE(model.fieldText(3, 3), QStringLiteral("255 [N255]"));
        QVERIFY(model.updateCatalogueValue("10.0.0.40", "long", "256"));
        QCOMPARE(model.fieldText(3, 3), QStringLiteral("256"));
        // A value field the line did not have is made on the first answer.
        QVERIFY(model.updateCatalogueValue("10.0.0.40", "nul.op", "1"));
        QCOMPARE(model.fieldText(1, 3), QStringLiteral("1"));
        const QString file = mPlugins + "/BAD.csv";
        QCOMPARE(log.matching({"WARN", file, "line 5 ", "fields"}).size(), 1);
        QCOMPARE(log.matching({"WARN", file, "line 6 ", "longer than 4096"}).size(), 1);
        QCOMPARE(log.matching({"WARN", file, "line 7 ", "longer than 4096"}).size(), 1);

        // The default file's reader keeps the same bounds, and names its lines too.
        writeFile(mPlugins + "/wide.csv", "a,b\n\"x\n" + QByteArray(5000, 'y') + "\",z\nc" +
                                              QByteArray(300, ',') + "\nd,e\n");
        QVERIFY(model.loadCommandFile(mPlugins + "/wide.csv"));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.rowTexts(1).size(), CatalogueCsvParser::MaxFields);
        QCOMPARE(model.rowTexts(2), (QStringList{"d", "e"}));
        QCOMPARE(log.matching({"WARN", mPlugins + "/wide.csv", "line 2 ", "longer"}).size(), 1);
        QCOMPARE(log.matching({"WARN", mPlugins + "/wide.csv", "line 4 ", "fields"}).size(), 1);
    }

    void modelNamesNamePluginFilesOnly()
    {
        // A projector answering "OP MODEL=../x" must not get x.csv beside the plug-in folder.
        writeFile(mDir.filePath("x.csv"), QByteArray(kHeader) + kLaser);
        writeFile(mPlugins + "/sub/x.csv", QByteArray(kHeader) + kLaser);
        LogCapture log;
        CommandCatalogue model;
        const QStringList refused{"../x", "sub/x", "sub\\x", "..", "x\n", QString("x") + QChar(0), ""};
        for (const QString &name : refused) {
            QVERIFY2(!model.loadCatalogueForIP("10.0.0.50", name, mPlugins), qPrintable(name));
            QVERIFY(CatalogueFiles::catalogueFileName(name).isEmpty() &&
                    CatalogueFiles::panelImagePath(mPlugins, name).isEmpty());
        }
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(log.matching({"WARN", "Model is not a file name:", "10.0.0.50"}).size(), refused.size());
        QVERIFY(model.loadCatalogueForIP("10.0.0.50", "KX9L", mPlugins));
    }

    void sharedPerModelWithOwnValues()
    {
        // Three projectors of one model: one read of the file, three sets of values.
        CommandCatalogue model;
        for (const QString ip : {"10.0.1.1", "10.0.1.2", "10.0.1.3"})
            QVERIFY(model.loadCatalogueForIP(ip, "KX9L", mPlugins));
        QCOMPARE(model.filesRead(), 1);
        QVERIFY(model.updateCatalogueValue("10.0.1.2", "blank", "1"));
        const auto value = [&](const QString &ip) {
            return model.lookupCatalogue(3, "Blank", 1, ip);
        };
        QCOMPARE(value("10.0.1.2"), QStringLiteral("1 [On]"));
        QCOMPARE(value("10.0.1.1"), QString(""));
        QCOMPARE(value("10.0.1.3"), QString(""));
        // The file's own value stays where nothing was answered.
        QCOMPARE(model.lookupCatalogue(3, "Light Source Life", 1, "10.0.1.3"), QStringLiteral("20000"));
        QCOMPARE(model.fieldText(model.findRow("Blank", 1, "10.0.1.2"), 0), QStringLiteral("10.0.1.2:Control"));
    }

    void fileReadOffThreadKeepsEarlyAnswers()
    {
        CommandCatalogue model;
        model.setInPlaceLimit(0);
        CatalogueTableModel table(&model);
        QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
        table.setAddress("10.0.2.1");
        QVERIFY(model.loadCatalogueForIP("10.0.2.1", "KX9L", mPlugins));
        QVERIFY(model.loadCatalogueForIP("10.0.2.2", "KX9L", mPlugins));
        QVERIFY(!model.loadCatalogueForIP("10.0.2.1", "KX9B", mPlugins)); // waiting counts as loaded
        QVERIFY(model.isLoading("10.0.2.1") && !model.hasRowsForIP("10.0.2.1"));
        QCOMPARE(table.rowCount(), 0);
        // Answers that arrive while the file is read are kept, the last one wins.
        QVERIFY(!model.updateCatalogueValue("10.0.2.1", "BLANK", "0"));
        QVERIFY(!model.updateCatalogueValue("10.0.2.1", "blank", "1"));
        QVERIFY(!model.updateCatalogueValue("10.0.2.2", "status", "2"));
        QVERIFY(model.queryCommandByIP("10.0.2.1", "Error Code").isNull());
        QTRY_VERIFY(model.hasRowsForIP("10.0.2.1") && model.hasRowsForIP("10.0.2.2"));
        QCOMPARE(model.filesRead(), 1);
        QCOMPARE(model.lookupCatalogue(3, "blank", 2, "10.0.2.1"), QStringLiteral("1 [On]"));
        QCOMPARE(model.lookupCatalogue(3, "status", 2, "10.0.2.2"), QStringLiteral("2 [On]"));
        QCOMPARE(model.lookupCatalogue(3, "status", 2, "10.0.2.1"), QString(""));

        // The table shows exactly this projector's rows, and follows its answers.
        QCOMPARE(table.rowCount(), 11);
        QVERIFY(table.columnCount() >= 11);
        QCOMPARE(table.index(0, 0).data().toString(), QStringLiteral("10.0.2.1:Status"));
        QCOMPARE(table.index(10, 1).data().toString(), QStringLiteral("Light Source Life"));
        QCOMPARE(table.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Value"));
        QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
        QVERIFY(model.updateCatalogueValue("10.0.2.1", "gamma", "3"));
        QVERIFY(model.updateCatalogueValue("10.0.2.2", "gamma", "1"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex().row(), 5);
        QCOMPARE(table.index(5, 3).data().toString(), QStringLiteral("3 [CRT]"));
        table.setAddress("10.0.2.2");
        QCOMPARE(table.index(5, 3).data().toString(), QStringLiteral("1 [Video]"));
        QCOMPARE(model.rowTexts(table.catalogueRow(5)).mid(0, 3),
                 (QStringList{"10.0.2.2:Picture", "Gamma", "gamma"}));
    }

    void rowsAgreeWithPlainScan()
    {
        // Loads, hand-added rows and answers in random order, each followed by
        // lookups compared with a plain scan over every row.
        CommandCatalogue model;
        QVERIFY(model.loadCommandFile(mPlugins + "/default.csv"));
        const QStringList ips{"10.0.0.1", "10.0.0.10", "192.168.1.5", ""};
        const QStringList names{"Power On", "power on", "Gamma", "Model Name", "Blank", ""};
        const QStringList ops{"power.on", "Gamma", "pwr.on", "model", "blank", ""};
        QRandomGenerator random(7);
        const auto pick = [&random](const QStringList &list) { return list.at(random.bounded(list.size())); };
        for (int step = 0; step < 200; ++step) {
            const int action = random.bounded(6);
            if (action == 0)
                model.appendCatalogueRow({pick(ips) + ":Status", pick(names), pick(ops), "", "?", "0", "1", "Off"});
            else if (action == 1)
                model.loadCatalogueForIP(pick(ips), random.bounded(2) ? "KX9L" : "KX9B", mPlugins);
            for (int probe = 0; probe < 6; ++probe) {
                const QString ip = pick(ips);
                const int column = 1 + random.bounded(2);
                const QString text = column == 1 ? pick(names) : pick(ops);
                const QVector<int> rows = scanRows(model, text, column, ip);
                QCOMPARE(model.findRows(text, column, ip), rows);
                QCOMPARE(model.findRow(text, column, ip), rows.value(0, -1));
                QCOMPARE(model.hasRowsForIP(ip), !scanRows(model, QString(), -1, ip).isEmpty());
            }
            const QString ip = pick(ips);
            const QString op = pick(ops);
            const int target = scanRows(model, op, 2, ip).value(0, -1);
            QCOMPARE(model.updateCatalogueValue(ip, op, QString::number(step)), target >= 0);
            if (target >= 0)
                QVERIFY(model.fieldText(target, 3).startsWith(QString::number(step)));
        }
    }

private:
    QTemporaryDir mDir;
    QString mPlugins;
    // Default file, 10.0.0.20 (laser), then 10.0.0.2 (lamp): one address
    // inside the other.
    std::unique_ptr<CommandCatalogue> mFleet;
};

ORV_TEST_GUILESS_MAIN(TestCommandCatalogue)
#include "tst_commandcatalogue.moc"
