#include "tests/common/testenvironment.h"

#include "net/cataloguecategories.h"
#include "net/cataloguecsvparser.h"
#include "net/cataloguefiles.h"
#include "net/commandcatalogue.h"
#include "ui/projectormodellist.h"

#include <QImage>
#include <QSet>
#include <QTemporaryDir>

namespace {

// The status sweep (answers keyed by these op words, in order), power, and the rated life.
const QStringList kRequiredNames{"Error Code",    "Projector Status", "Serial Number",    "Model Name",
                                 "Signal Format", "Active Source",    "Input Select",     "Total Hours",
                                 "Power On",      "Power Off",        "Light Source Life"};
const QStringList kSweepOps{"errcode", "status", "ser.no", "model", "signal", "act.source", "input.sel", "total.hours"};

QString pluginFolder()
{
    return CatalogueFiles::pluginFolder(TestEnvironment::sourceDir());
}

} // namespace

class TestShippedCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void everyCatalogue_data()
    {
        QTest::addColumn<QString>("model");
        const QStringList models = CatalogueFiles::knownModels(pluginFolder());
        QVERIFY(models.contains("default") && models.contains("KX4410Q") && models.contains("KX2800L"));
        QVERIFY(!models.contains(CatalogueFiles::alienName()) && !models.contains("README")); // picture, text
        for (const QString &model : models)
            QTest::newRow(qPrintable(model)) << model;
    }

    void everyCatalogue()
    {
        QFETCH(QString, model);
        QFile file(CatalogueFiles::cataloguePath(pluginFolder(), model));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // Without quotes and NULs the two readers (default file, per-IP) see the same fields.
        QVERIFY(!bytes.contains('"') && !bytes.contains('\0'));
        const QList<QStringList> rows = CatalogueCsvParser::parseBytes(bytes);
        QCOMPARE(rows.first().join(','),
                 QStringLiteral("IP:Category,Function Name,OP Command,Value,Query,Min,Max,Names..."));
        QSet<QString> keys;
        for (const QStringList &row : rows.mid(1)) {
            const QByteArray line = row.join(',').toUtf8();
            const char *where = line.constData();
            QVERIFY2(row.size() >= 5 && !row.mid(0, 3).contains("") && (row.at(4).isEmpty() || row.at(4) == "?"),
                     where);
            // Whole-text, case-insensitive lookups need unique names and op words.
            const QSet<QString> own{"name " + row.at(1).toLower(), "op " + row.at(2).toLower()};
            QVERIFY2(!keys.intersects(own), where);
            keys += own;
            bool minOk = false, maxOk = false;
            const int min = row.value(5).toInt(&minOk), max = row.value(6).toInt(&maxOk);
            // A ranged command has both ends; an enumerated one names every value 0 ... max.
            QVERIFY2(row.size() == 5 || (minOk && maxOk && min <= max), where);
            QVERIFY2(row.size() <= 7 || (min == 0 && row.size() == 8 + max && !row.mid(7).contains("")), where);
        }

        CommandCatalogue catalogue;
        QVERIFY(catalogue.loadCatalogueForIP("10.0.0.5", model, pluginFolder()));
        for (const QString &name : kRequiredNames)
            QVERIFY2(!catalogue.cmdName2opByIP(name, "10.0.0.5").isNull(), qPrintable(name));
        for (int i = 0; i < kSweepOps.size(); ++i)
            QCOMPARE(catalogue.queryCommandByIP("10.0.0.5", kRequiredNames.at(i)), "op " + kSweepOps.at(i) + " ?");
        QVERIFY(catalogue.lookupCatalogue(3, "Light Source Life", 1, "10.0.0.5").toInt() >= 1000);
        // The panel selects the first entry whose name occurs in the recorded
        // value ("2 [Lamp On]"): a name inside a later one would pick wrongly.
        for (int row = 0; row < catalogue.rowCount(); ++row) {
            const QString op = catalogue.fieldText(row, CommandCatalogue::OpCommandColumn);
            const QStringList options = catalogue.catalogueOptions(op, CommandCatalogue::OpCommandColumn, "10.0.0.5");
            for (int value = 0; value < options.size() && !options.at(0).isEmpty(); ++value) {
                QVERIFY(catalogue.updateCatalogueValue("10.0.0.5", op, QString::number(value)));
                const QString recorded = catalogue.fieldText(row, CommandCatalogue::ValueColumn);
                int selected = 0;
                while (selected < options.size() && !recorded.contains(options.at(selected)))
                    ++selected;
                QVERIFY2(selected == value, qPrintable(op + ": " + recorded));
            }
        }
        QVERIFY(QImage(CatalogueFiles::panelImagePath(pluginFolder(), model)).width() >= 400);
    }

    void categoriesOfFiles()
    {
        // Order of first appearance, duplicates and empty categories dropped,
        // blank lines skipped, the header never a category.
        QTemporaryDir dir;
        QFile file(dir.filePath("KX-1.B.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Status,x\r\nPower,a\r\n\r\nStatus,b\r\n,c\r\nIR controller\r\nPower,d\nLens");
        file.close();
        const CatalogueCategories own = CatalogueCategories::categoriesOfFile(file.fileName());
        QCOMPARE(own.modelName(), QStringLiteral("KX-1.B"));
        // The model list goes by the same name, picture included.
        const QVector<ProjectorModelList::Entry> listed = ProjectorModelList::scan(dir.path());
        QCOMPARE(listed.first().name, own.modelName());
        QCOMPARE(listed.first().picturePath, CatalogueFiles::panelImagePath(dir.path(), own.modelName()));
        QCOMPARE(own.categories(), (QStringList{"Power", "Status", "IR controller", "Lens"}));
        const CatalogueCategories missing = CatalogueCategories::categoriesOfFile(dir.filePath("KX0000.csv"));
        QVERIFY(!missing.isReadable() && missing.categories().isEmpty());
        QCOMPARE(missing.modelName(), CatalogueFiles::alienName());
        QCOMPARE(CatalogueFiles::displayModel(pluginFolder(), "KX0000"), CatalogueFiles::alienName());
        QVERIFY(!QImage(CatalogueFiles::panelImagePath(pluginFolder(), CatalogueFiles::alienName())).isNull());
    }
};

ORV_TEST_GUILESS_MAIN(TestShippedCatalogues)
#include "tst_shippedcatalogues.moc"
