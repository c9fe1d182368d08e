#include "tests/common/testenvironment.h"

#include "net/cataloguecsvparser.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

class TestCatalogueCsvParser : public QObject
{
    Q_OBJECT

private slots:
    void parseBytes_data();
    void parseBytes();
    void decodeCutsAtNulAndDropsCarriageReturns();
    void parseFileMissing();
    void parseFileKeepsHeaderRow();
    void largeFileParsesEveryRow();
    void strayQuoteInLargeFileIsLinear();
    void nulBytesInLargeFile();
    void randomBytesNeverGrowFields();
};

void TestCatalogueCsvParser::parseBytes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Rows>("expected");

    QTest::newRow("plain rows") << QByteArray("a,b,c\nd,e,f\n") << Rows{{"a", "b", "c"}, {"d", "e", "f"}};
    QTest::newRow("header is an ordinary row")
        << QByteArray("IP:Category,Function Name,OP Command,Value\nStatus,Model Name,model,\n")
        << Rows{{"IP:Category", "Function Name", "OP Command", "Value"}, {"Status", "Model Name", "model", ""}};
    QTest::newRow("quoted comma") << QByteArray("x,\"a,b\",y\n") << Rows{{"x", "a,b", "y"}};
    QTest::newRow("doubled quotes") << QByteArray("\"say \"\"hi\"\"\",z\n") << Rows{{"say \"hi\"", "z"}};
    QTest::newRow("doubled quotes unquoted field") << QByteArray("a\"\"b,c\n") << Rows{{"a\"b", "c"}};
    QTest::newRow("quoted line feed") << QByteArray("\"two\nlines\",b\n") << Rows{{"two\nlines", "b"}};
    QTest::newRow("stray quote swallows separators and line ends")
        << QByteArray("a,b\"c,d\ne,f\ng\"h,i\nj\n") << Rows{{"a", "b\"c,d\ne,f\ng\"h", "i"}, {"j"}};
    QTest::newRow("unbalanced quote at end drops the open row") << QByteArray("a,b\n\"c,d\ne,f\n") << Rows{{"a", "b"}};
    QTest::newRow("quotes stripped only when at both ends")
        << QByteArray("\"abc\"def,x\n") << Rows{{"\"abc\"def", "x"}};
    QTest::newRow("empty quoted field") << QByteArray("\"\",x\n") << Rows{{"", "x"}};
    QTest::newRow("four quotes give one") << QByteArray("\"\"\"\"\n") << Rows{{"\""}};
    QTest::newRow("carriage returns removed") << QByteArray("a,b\r\nc\r,d\r\n") << Rows{{"a", "b"}, {"c", "d"}};
    QTest::newRow("NUL ends the text") << QByteArray("a,b\nc,d\0e,f\n", 13) << Rows{{"a", "b"}, {"c", "d"}};
    QTest::newRow("NUL at the start") << QByteArray("\0a,b\n", 5) << Rows{};
    QTest::newRow("last line without line feed") << QByteArray("a,b\nc,d") << Rows{{"a", "b"}, {"c", "d"}};
    QTest::newRow("last line ending in comma") << QByteArray("a,b,") << Rows{{"a", "b", ""}};
    QTest::newRow("last char is a quote") << QByteArray("a,\"b\"") << Rows{{"a", "b"}};
    QTest::newRow("empty fields") << QByteArray(",,\na,,b\n") << Rows{{"", "", ""}, {"a", "", "b"}};
    QTest::newRow("blank line is a row of one empty field") << QByteArray("a\n\nb\n") << Rows{{"a"}, {""}, {"b"}};
    QTest::newRow("missing fields keep their short rows")
        << QByteArray("Status,Model Name\nPower\n") << Rows{{"Status", "Model Name"}, {"Power"}};
    QTest::newRow("8-bit text") << QByteArray("\xe9t\xe9,\xb0"
                                              "C\n")
                                << Rows{{QString::fromLatin1("\xe9t\xe9"), QString::fromLatin1("\xb0"
                                                                                               "C")}};
    QTest::newRow("empty input") << QByteArray() << Rows{};
}

void TestCatalogueCsvParser::parseBytes()
{
    QFETCH(QByteArray, input);
    QFETCH(Rows, expected);
    QCOMPARE(CatalogueCsvParser::parseBytes(input), expected);
}

void TestCatalogueCsvParser::decodeCutsAtNulAndDropsCarriageReturns()
{
    QCOMPARE(CatalogueCsvParser::decode(QByteArray("a\r\nb\rc\0d\re", 10)), QStringLiteral("a\nbc"));
    QCOMPARE(CatalogueCsvParser::decode(QByteArray("\xff\x80")), QString::fromLatin1("\xff\x80"));
}

void TestCatalogueCsvParser::parseFileMissing()
{
    int rows = 0;
    QVERIFY(!CatalogueCsvParser::parseFile(TestEnvironment::root() + "/nothing/here.csv",
                                           [&rows](QStringList &&) { ++rows; }));
    QCOMPARE(rows, 0);
}

void TestCatalogueCsvParser::parseFileKeepsHeaderRow()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("default.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("IP:Category,Function Name,OP Command,Value,Query,Min,Max,Names...\r\n"
               "Status,Model Name,model,,?\r\n"
               "Power,Power On,power.on,,\r\n");
    file.close();
    Rows rows;
    QVERIFY(CatalogueCsvParser::parseFile(file.fileName(), [&rows](QStringList &&row) { rows.append(row); }));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).first(), QStringLiteral("IP:Category"));
    QCOMPARE(rows.at(0).last(), QStringLiteral("Names..."));
    QCOMPARE(rows.at(1), (QStringList{"Status", "Model Name", "model", "", "?"}));
    QCOMPARE(rows.at(2), (QStringList{"Power", "Power On", "power.on", "", ""}));
}

// About 10 MB of ordinary catalogue lines.
static QByteArray largeCatalogue(int *lineCount)
{
    QByteArray bytes;
    bytes.reserve(10 * 1024 * 1024 + 256);
    int lines = 0;
    while (bytes.size() < 10 * 1024 * 1024) {
        bytes += "Picture,Function ";
        bytes += QByteArray::number(lines);
        bytes += ",op.";
        bytes += QByteArray::number(lines);
        bytes += ",,?,0,3,\"Off, really\",On,Auto,\"Say \"\"x\"\"\"\r\n";
        ++lines;
    }
    *lineCount = lines;
    return bytes;
}

void TestCatalogueCsvParser::largeFileParsesEveryRow()
{
    int lines = 0;
    const QByteArray bytes = largeCatalogue(&lines);
    int rows = 0;
    bool shapesOk = true;
    QStringList last;
    CatalogueCsvParser::parse(CatalogueCsvParser::decode(bytes), [&](QStringList &&row) {
        shapesOk = shapesOk && row.size() == 11;
        ++rows;
        last = std::move(row);
    });
    QVERIFY(shapesOk);
    QCOMPARE(rows, lines);
    QCOMPARE(last.at(1), QStringLiteral("Function %1").arg(lines - 1));
    QCOMPARE(last.at(7), QStringLiteral("Off, really"));
    QCOMPARE(last.at(10), QStringLiteral("Say \"x\""));
}

void TestCatalogueCsvParser::strayQuoteInLargeFileIsLinear()
{
    // One stray quote near the top swallows every following separator. The
    // field then spans nearly the whole text; counting its quotes again at
    // every swallowed comma would take hours on 10 MB.
    QByteArray bytes("a,b\"c,");
    const QByteArray filler("xxxxxxxxxxxxxxx,yyyyyyyyyyyyyyyyyyyyyyyyy,zzzzzzzzzzzzzzzzz\n");
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += filler;
    const int openEnd = bytes.size();
    Rows rows;
    CatalogueCsvParser::parse(CatalogueCsvParser::decode(bytes), [&rows](QStringList &&row) { rows.append(row); });
    QVERIFY(rows.isEmpty()); // never closed: the open row is dropped

    bytes += "q\"end,tail\n";
    rows.clear();
    CatalogueCsvParser::parse(CatalogueCsvParser::decode(bytes), [&rows](QStringList &&row) { rows.append(row); });
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().size(), 3);
    QCOMPARE(rows.first().at(0), QStringLiteral("a"));
    const QString &swallowed = rows.first().at(1);
    // The field is a piece of the input, never larger.
    QCOMPARE(swallowed.size(), openEnd - 2 + 5);
    QVERIFY(swallowed.startsWith(QLatin1String("b\"c,xxx")));
    QVERIFY(swallowed.endsWith(QLatin1String("\nq\"end")));
    QCOMPARE(rows.first().at(2), QStringLiteral("tail"));
}

void TestCatalogueCsvParser::nulBytesInLargeFile()
{
    int lines = 0;
    QByteArray bytes = largeCatalogue(&lines);
    const int cut = bytes.size() / 2;
    bytes[cut] = '\0';
    const QString text = CatalogueCsvParser::decode(bytes);
    QVERIFY(text.size() < cut);
    QVERIFY(!text.contains(QChar(0)));
    int rows = 0;
    CatalogueCsvParser::parse(text, [&rows](QStringList &&) { ++rows; });
    QVERIFY(rows > 0);
    QVERIFY(rows < lines);
}

void TestCatalogueCsvParser::randomBytesNeverGrowFields()
{
    // Broken input of every kind must parse without crashing, and the rows
    // can hold no more characters than the text had.
    QRandomGenerator random(20240611);
    const char alphabet[] = {'a', 'b', ',', '\n', '\r', '"', '"', '\0', ' ', '\xe9'};
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        const int size = random.bounded(1, 400);
        for (int i = 0; i < size; ++i)
            bytes += alphabet[random.bounded(int(sizeof alphabet))];
        const QString text = CatalogueCsvParser::decode(bytes);
        qsizetype characters = 0;
        CatalogueCsvParser::parse(text, [&characters](QStringList &&row) {
            for (const QString &field : row)
                characters += field.size();
        });
        QVERIFY2(characters <= text.size(), bytes.toHex().constData());
    }
}

ORV_TEST_GUILESS_MAIN(TestCatalogueCsvParser)
#include "tst_cataloguecsvparser.moc"
