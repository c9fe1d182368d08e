#include "tests/common/testenvironment.h"

#include "net/cataloguecategories.h"
#include "net/cataloguecsvparser.h"
#include "net/cataloguefiles.h"
#include "net/commandcatalogue.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

namespace {

const char kHeader[] = "IP:Category,Function Name,OP Command,Value,Query,Min,Max,Names...";

// Functions every catalogue must offer: the status sweep, the power commands
// and the rated life the status table draws its bars against.
const QStringList kRequiredNames{"Error Code",        "Projector Status", "Serial Number", "Model Name",
                                 "Signal Format",     "Active Source",    "Input Select",  "Total Hours",
                                 "Light Source Life", "Power On",         "Power Off"};

// The control panel's op words (its widget table and the commands its tabs
// build themselves), and the answer keys the status page listens to.
QStringList panelOpWords()
{
    QStringList ops{"input.sel",
                    "aspect",
                    "auto.src",
                    "blank",
                    "sw.ver",
                    "motor.ver",
                    "f336.ver",
                    "act.source",
                    "signal",
                    "h.refresh",
                    "v.refresh",
                    "pixel.clock",
                    "total.hours",
                    "color.space",
                    "pip.mode",
                    "pip.input",
                    "pip.position",
                    "pic.mode",
                    "bright",
                    "contrast",
                    "saturat",
                    "tint",
                    "sharp",
                    "color.temp",
                    "gamma",
                    "nr",
                    "dblack",
                    "red.offset",
                    "green.offset",
                    "blue.offset",
                    "red.gain",
                    "green.gain",
                    "blue.gain",
                    "hsg.wr.gain",
                    "hsg.wg.gain",
                    "hsg.wb.gain",
                    "hsg.reset",
                    "lens.type",
                    "pattern",
                    "lens.center",
                    "3d.format",
                    "3d.swap",
                    "3d.dlplink",
                    "3d.darktime",
                    "3d.syncref",
                    "3d.syncdelay",
                    "lang",
                    "auto.powoff",
                    "auto.powon",
                    "no.signal",
                    "startup.logo",
                    "screen.format",
                    "trig.1",
                    "ir.enable",
                    "osd.trans",
                    "osd.timer",
                    "osd.msgbox",
                    "osd.menupos",
                    "orientation",
                    "cooling.condition",
                    "altitude",
                    "laser.mode",
                    "laser.power",
                    "net.ipaddr",
                    "net.subnet",
                    "net.gateway",
                    "net.dns",
                    "fact.reset",
                    "eb.stat",
                    "eb.adl",
                    "eb.top",
                    "eb.bottom",
                    "eb.left",
                    "eb.right",
                    "eb.blu.top",
                    "eb.blu.bottom",
                    "eb.blu.left",
                    "eb.blu.right",
                    "eb.red",
                    "eb.green",
                    "eb.blue",
                    "eb.all",
                    "eb.reset",
                    "h.keystone",
                    "v.keystone",
                    "rotation",
                    "h.pin.barrel",
                    "v.pin.barrel",
                    "blanking.top",
                    "blanking.bottom",
                    "blanking.left",
                    "blanking.right",
                    "active.warp",
                    "ti",
                    "tc",
                    "water.pump",
                    "error.code",
                    "errcode",
                    "lens.load",
                    "lens.save",
                    "lens.clear",
                    "model",
                    "ser.no",
                    "status"};
    for (const char *colour : {"r", "g", "b", "c", "m", "y"}) {
        for (const char *kind : {"gain", "sat", "hue"})
            ops.append(QStringLiteral("hsg.%1.%2").arg(colour, kind));
    }
    for (const char *motion :
         {"lens.up", "lens.down", "lens.left", "lens.right", "zoom.in", "zoom.out", "focus.near", "focus.far"}) {
        ops << motion << QStringLiteral("%1.2").arg(motion) << QStringLiteral("%1.3").arg(motion);
    }
    for (int n = 1; n <= 10; ++n)
        ops.append(QStringLiteral("lens.mem.%1").arg(n));
    for (const char *corner : {"ul", "ur", "ll", "lr"})
        ops << QStringLiteral("4corner.%1x").arg(corner) << QStringLiteral("4corner.%1y").arg(corner);
    for (int n = 1; n <= 20; ++n)
        ops.append(QStringLiteral("fan%1").arg(n));
    return ops;
}

QString pluginFolder()
{
    return CatalogueFiles::pluginFolder(TestEnvironment::sourceDir());
}

QStringList shippedModels()
{
    return CatalogueFiles::knownModels(pluginFolder());
}

} // namespace

class TestShippedCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void fileFormat_data();
    void fileFormat();
    void requiredFunctions_data();
    void requiredFunctions();
    void enumeratedValuesSelectTheirOwnEntry_data();
    void enumeratedValuesSelectTheirOwnEntry();
    void panelPictures_data();
    void panelPictures();

    void fullCatalogueCoversThePanel();
    void radioButtonValues();
    void featureAndKeypadCategories();
    void modelsDifferPerProjector();
    void categoriesOfFiles();
    void fileHelpers();
};

void TestShippedCatalogues::initTestCase()
{
    QVERIFY2(!TestEnvironment::sourceDir().isEmpty(), "ORV_SOURCE_DIR is not set");
    const QStringList models = shippedModels();
    QVERIFY(models.contains("default"));
    QVERIFY(models.contains("KX4410Q"));
    QVERIFY(models.size() >= 3);
}

void TestShippedCatalogues::fileFormat_data()
{
    QTest::addColumn<QString>("model");
    for (const QString &model : shippedModels())
        QTest::newRow(qPrintable(model)) << model;
}

void TestShippedCatalogues::fileFormat()
{
    QFETCH(QString, model);
    const QString path = CatalogueFiles::cataloguePath(pluginFolder(), model);
    QList<QStringList> rows;
    QVERIFY(CatalogueCsvParser::parseFile(path, [&rows](QStringList &&row) { rows.append(row); }));
    QVERIFY(rows.size() > 10);
    QCOMPARE(rows.first().join(','), QString(kHeader));

    // Without quoting the two readers (default file, per-IP) see the same fields.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.contains('"'));
    QVERIFY(!bytes.contains('\0'));

    QSet<QString> names;
    QSet<QString> ops;
    for (int i = 1; i < rows.size(); ++i) {
        const QStringList &row = rows.at(i);
        const QString where = QStringLiteral("%1 line %2: %3").arg(model).arg(i + 1).arg(row.join(','));
        QVERIFY2(row.size() >= 5, qPrintable(where));
        QVERIFY2(!row.at(0).isEmpty() && !row.at(1).isEmpty() && !row.at(2).isEmpty(), qPrintable(where));
        QVERIFY2(row.at(4).isEmpty() || row.at(4) == "?", qPrintable(where));
        for (const QString &field : row)
            QVERIFY2(field == field.trimmed(), qPrintable(where));
        // Whole-text, case-insensitive lookups need unique names and op words.
        QVERIFY2(!names.contains(row.at(1).toLower()), qPrintable(where));
        QVERIFY2(!ops.contains(row.at(2).toLower()), qPrintable(where));
        names.insert(row.at(1).toLower());
        ops.insert(row.at(2).toLower());
        if (row.size() > 5) {
            bool minOk = false;
            bool maxOk = false;
            const int min = row.at(5).toInt(&minOk);
            const int max = row.at(6).toInt(&maxOk);
            QVERIFY2(minOk && maxOk && min <= max, qPrintable(where));
            if (row.size() > 7) {
                // An enumerated command: names of the values 0 ... max, none empty.
                QCOMPARE(min, 0);
                QVERIFY2(row.size() == 8 + max, qPrintable(where));
                for (int v = 7; v < row.size(); ++v)
                    QVERIFY2(!row.at(v).isEmpty(), qPrintable(where));
            }
        }
        if (row.at(0) == "IR controller")
            QVERIFY2(row.at(2).startsWith("ky "), qPrintable(where));
    }
}

void TestShippedCatalogues::requiredFunctions_data()
{
    fileFormat_data();
}

void TestShippedCatalogues::requiredFunctions()
{
    QFETCH(QString, model);
    CommandCatalogue catalogue;
    QVERIFY(catalogue.loadCatalogueForIP("10.0.0.5", model, pluginFolder()));
    for (const QString &name : kRequiredNames)
        QVERIFY2(!catalogue.cmdName2opByIP(name, "10.0.0.5").isNull(), qPrintable(model + ": " + name));
    // The status sweep's answers are keyed by these op words.
    const QStringList sweepOps{"errcode", "status",     "ser.no",    "model",
                               "signal",  "act.source", "input.sel", "total.hours"};
    QStringList sweep;
    for (const QString &name : kRequiredNames.mid(0, 8))
        sweep.append(catalogue.cmdName2opByIP(name, "10.0.0.5"));
    QCOMPARE(sweep, sweepOps);
    for (const QString &name : kRequiredNames.mid(0, 8))
        QVERIFY(catalogue.queryCommandByIP("10.0.0.5", name).endsWith(" ?"));
    bool lifeOk = false;
    const int life = catalogue.lookupCatalogue(3, "Light Source Life", 1, "10.0.0.5").toInt(&lifeOk);
    QVERIFY(lifeOk);
    QVERIFY(life >= 1000);
}

void TestShippedCatalogues::enumeratedValuesSelectTheirOwnEntry_data()
{
    fileFormat_data();
}

void TestShippedCatalogues::enumeratedValuesSelectTheirOwnEntry()
{
    // The panel selects the first entry whose name occurs in the recorded
    // value ("2 [Lamp On]"); a name contained in a later one ("Cool" in
    // "Cooler") would pick the wrong entry.
    QFETCH(QString, model);
    CommandCatalogue catalogue;
    QVERIFY(catalogue.loadCatalogueForIP("10.0.0.5", model, pluginFolder()));
    int enumerated = 0;
    for (int row = 0; row < catalogue.rowCount(); ++row) {
        const QString op = catalogue.fieldText(row, CommandCatalogue::OpCommandColumn);
        if (catalogue.fieldText(row, CommandCatalogue::FirstValueNameColumn).isEmpty())
            continue;
        ++enumerated;
        const QStringList options = catalogue.catalogueOptions(op, CommandCatalogue::OpCommandColumn, "10.0.0.5");
        for (int value = 0; value < options.size(); ++value) {
            QVERIFY(catalogue.updateCatalogueValue("10.0.0.5", op, QString::number(value)));
            const QString recorded = catalogue.lookupCatalogue(3, op, 2, "10.0.0.5");
            int selected = -1;
            for (int i = 0; i < options.size() && selected < 0; ++i) {
                if (recorded.contains(options.at(i)))
                    selected = i;
            }
            QVERIFY2(selected == value, qPrintable(QStringLiteral("%1 %2: %3").arg(model, op, recorded)));
        }
    }
    QVERIFY(enumerated > 0);
}

void TestShippedCatalogues::panelPictures_data()
{
    fileFormat_data();
    QTest::newRow("Alien") << CatalogueFiles::alienName();
}

void TestShippedCatalogues::panelPictures()
{
    QFETCH(QString, model);
    const QImage picture(CatalogueFiles::panelImagePath(pluginFolder(), model));
    QVERIFY2(!picture.isNull(), qPrintable(model));
    QVERIFY(picture.width() >= 400 && picture.height() >= 200);
    QVERIFY(picture.width() > picture.height());
}

void TestShippedCatalogues::fullCatalogueCoversThePanel()
{
    CommandCatalogue catalogue;
    QVERIFY(catalogue.loadCatalogueForIP("10.0.0.5", "KX4410Q", pluginFolder()));
    QVERIFY(catalogue.rowCount() >= 250 && catalogue.rowCount() <= 350);
    for (const QString &op : panelOpWords())
        QVERIFY2(!catalogue.cmdOp2Name(op, "10.0.0.5").isNull(), qPrintable(op));
    // Sliders read their range, combo boxes their names.
    QCOMPARE(catalogue.lookupCatalogue(5, "bright", 2, "10.0.0.5"), QStringLiteral("0"));
    QCOMPARE(catalogue.lookupCatalogue(6, "bright", 2, "10.0.0.5"), QStringLiteral("100"));
    QVERIFY(catalogue.catalogueOptions("laser.mode", 2, "10.0.0.5").contains("Custom"));
    QVERIFY(catalogue.catalogueOptions("pip.mode", 2, "10.0.0.5").filter("On", Qt::CaseInsensitive).size() >= 1);
    QCOMPARE(catalogue.catalogueOptions("blank", 2, "10.0.0.5"), (QStringList{"Off", "On"}));
    // Lens memories are named, not enumerated.
    QCOMPARE(catalogue.lookupCatalogue(4, "lens.mem.10", 2, "10.0.0.5"), QStringLiteral("?"));
    QVERIFY(catalogue.lookupCatalogue(7, "lens.mem.10", 2, "10.0.0.5").isEmpty());
}

void TestShippedCatalogues::radioButtonValues()
{
    CommandCatalogue catalogue;
    QVERIFY(catalogue.loadCatalogueForIP("10.0.0.5", "KX4410Q", pluginFolder()));
    QCOMPARE(catalogue.catalogueOptions("input.sel", 2, "10.0.0.5"),
             (QStringList{"HDMI1", "HDMI2", "VGA", "BNC", "DVI", "SDI", "HDBaseT"}));
    QCOMPARE(catalogue.catalogueOptions("pip.position", 2, "10.0.0.5"),
             (QStringList{"PIP_TopLeft", "PIP_TopRight", "PIP_BottomLeft", "PIP_BottomRight", "PIP_PBP"}));
    QCOMPARE(catalogue.catalogueOptions("osd.menupos", 2, "10.0.0.5"),
             (QStringList{"OSD_TopLeft", "OSD_TopRight", "OSD_BottomLeft", "OSD_BottomRight", "OSD_Center"}));
    QVERIFY(catalogue.updateCatalogueValue("10.0.0.5", "input.sel", "2"));
    QCOMPARE(catalogue.lookupCatalogue(3, "input.sel", 2, "10.0.0.5"), QStringLiteral("2 [VGA]"));
    QVERIFY(catalogue.updateCatalogueValue("10.0.0.5", "pip.position", "4"));
    QCOMPARE(catalogue.lookupCatalogue(3, "pip.position", 2, "10.0.0.5"), QStringLiteral("4 [PIP_PBP]"));
}

void TestShippedCatalogues::featureAndKeypadCategories()
{
    for (const QString &model : {QStringLiteral("KX4410Q"), QStringLiteral("KX2800L")}) {
        CommandCatalogue catalogue;
        QVERIFY(catalogue.loadCatalogueForIP("10.0.0.5", model, pluginFolder()));
        int lifeRows = 0;
        int keys = 0;
        for (int row = 0; row < catalogue.rowCount(); ++row) {
            const QString category = catalogue.fieldText(row, 0);
            if (category == "10.0.0.5:Feature" && catalogue.fieldText(row, 1).contains("Life"))
                ++lifeRows;
            if (category == "10.0.0.5:IR controller")
                ++keys;
        }
        QVERIFY2(lifeRows >= 2, qPrintable(model));
        QVERIFY2(keys >= 15, qPrintable(model));
        QCOMPARE(catalogue.lookupCatalogue(2, "IR Menu", 1, "10.0.0.5"), QStringLiteral("ky menu"));
    }
}

void TestShippedCatalogues::modelsDifferPerProjector()
{
    CommandCatalogue catalogue;
    QVERIFY(catalogue.loadCommandFile(CatalogueFiles::cataloguePath(pluginFolder(), "default")));
    QVERIFY(catalogue.loadCatalogueForIP("192.168.5.21", "KX4410Q", pluginFolder()));
    QVERIFY(catalogue.loadCatalogueForIP("192.168.5.22", "KX2800L", pluginFolder()));
    QCOMPARE(catalogue.cmdName2opByIP("Power On", "192.168.5.21"), QStringLiteral("power.on"));
    QCOMPARE(catalogue.cmdName2opByIP("Power On", "192.168.5.22"), QStringLiteral("pwr.on"));
    QVERIFY(catalogue.catalogueOptions("input.sel", 2, "192.168.5.22").size() <
            catalogue.catalogueOptions("input.sel", 2, "192.168.5.21").size());
    QVERIFY(catalogue.catalogueOptions("color.temp", 2, "192.168.5.22") !=
            catalogue.catalogueOptions("color.temp", 2, "192.168.5.21"));
    QVERIFY(catalogue.lookupCatalogue(3, "Light Source Life", 1, "192.168.5.22").toInt() <
            catalogue.lookupCatalogue(3, "Light Source Life", 1, "192.168.5.21").toInt());
    // The lamp model has no laser light source and no edge blending.
    QVERIFY(catalogue.cmdOp2Name("laser.mode", "192.168.5.22").isNull());
    QVERIFY(catalogue.cmdOp2Name("eb.stat", "192.168.5.22").isNull());
    QVERIFY(!catalogue.cmdOp2Name("lamp.mode", "192.168.5.22").isNull());
    // The default file's rows belong to no projector.
    QCOMPARE(catalogue.fieldText(0, 0), QStringLiteral("IP:Category"));
    QCOMPARE(catalogue.cmdName2opByIP("Power Off", ""), QStringLiteral("power.off"));
}

void TestShippedCatalogues::categoriesOfFiles()
{
    const CatalogueCategories full =
        CatalogueCategories::categoriesOfFile(CatalogueFiles::cataloguePath(pluginFolder(), "KX4410Q"));
    QVERIFY(full.isReadable());
    QCOMPARE(full.modelName(), QStringLiteral("KX4410Q"));
    const QStringList categories = full.categories();
    QCOMPARE(categories.first(), QStringLiteral("Status"));
    QVERIFY(categories.contains("Feature"));
    QVERIFY(categories.contains("IR controller"));
    QCOMPARE(QSet<QString>(categories.begin(), categories.end()).size(), categories.size());
    QVERIFY(!categories.contains("IP:Category"));

    const CatalogueCategories missing =
        CatalogueCategories::categoriesOfFile(CatalogueFiles::cataloguePath(pluginFolder(), "KX0000"));
    QVERIFY(!missing.isReadable());
    QCOMPARE(missing.modelName(), QStringLiteral("Alien"));
    QVERIFY(missing.categories().isEmpty());

    // Order of first appearance, duplicates and empty categories dropped,
    // blank lines skipped, header never a category.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("KX-1.B.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Status,x\r\nPower,a\r\n\r\nStatus,b\r\n,c\r\nIR controller\r\nPower,d\nLens");
    file.close();
    const CatalogueCategories own = CatalogueCategories::categoriesOfFile(file.fileName());
    QCOMPARE(own.modelName(), QStringLiteral("KX-1.B"));
    QCOMPARE(own.categories(), (QStringList{"Power", "Status", "IR controller", "Lens"}));
}

void TestShippedCatalogues::fileHelpers()
{
    const QString plugins = pluginFolder();
    QCOMPARE(CatalogueFiles::pluginFolder("/opt/orvanto"), QStringLiteral("/opt/orvanto/pluginPJ"));
    QCOMPARE(CatalogueFiles::catalogueFileName("KX4410Q"), QStringLiteral("KX4410Q.csv"));
    QCOMPARE(CatalogueFiles::panelImagePath("/p", "KX4410Q"), QStringLiteral("/p/KX4410Q.png"));
    QCOMPARE(CatalogueFiles::modelOfFile("/p/KX4410Q.csv"), QStringLiteral("KX4410Q"));
    QVERIFY(CatalogueFiles::hasCatalogue(plugins, "KX2800L"));
    QVERIFY(!CatalogueFiles::hasCatalogue(plugins, ""));
    QVERIFY(!CatalogueFiles::hasCatalogue(plugins, "KX0000"));
    QCOMPARE(CatalogueFiles::displayModel(plugins, "KX2800L"), QStringLiteral("KX2800L"));
    QCOMPARE(CatalogueFiles::displayModel(plugins, "KX0000"), QStringLiteral("Alien"));
    QCOMPARE(CatalogueFiles::displayModel(plugins, ""), QStringLiteral("Alien"));
    const QStringList known = CatalogueFiles::knownModels(plugins);
    QVERIFY(known.contains("KX2800L"));
    QVERIFY(!known.contains("Alien")); // a picture only
    QVERIFY(!known.contains("README"));
    QVERIFY(CatalogueFiles::knownModels(plugins + "/nothing").isEmpty());
}

ORV_TEST_GUILESS_MAIN(TestShippedCatalogues)
#include "tst_shippedcatalogues.moc"
