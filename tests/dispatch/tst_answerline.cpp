#include "net/answerline.h"
#include "net/powerstate.h"

#include "tests/common/testenvironment.h"

#include <QtTest>

class TestAnswerLine : public QObject
{
    Q_OBJECT
private slots:
    void parsing_data();
    void parsing();
    void resultKeptVerbatim();
    void largeAnswer();
    void manyEquals();
    void textFromWire_data();
    void textFromWire();
    void powerStateFromParts_data();
    void powerStateFromParts();
};

void TestAnswerLine::parsing_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("partCount");
    QTest::addColumn<bool>("keyValue");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("opAnswer");
    QTest::addColumn<QString>("opWord");
    QTest::addColumn<bool>("model");
    QTest::addColumn<bool>("serial");
    QTest::addColumn<bool>("opModel");

    QTest::newRow("model answer with CR LF") << "OP MODEL=KX4410Q\r\n"
                                             << 2 << true << "OP MODEL"
                                             << "KX4410Q" << true << "MODEL" << true << false << true;
    QTest::newRow("serial number") << "OP SER.NO=A1B2C3\r\n"
                                   << 2 << true << "OP SER.NO"
                                   << "A1B2C3" << true << "SER.NO" << false << true << false;
    QTest::newRow("lower-case op prefix still an op answer") << "op bright=50" << 2 << true << "op bright"
                                                             << "50" << true << "bright" << false << false << false;
    QTest::newRow("mixed-case prefix, upper-case model") << "Op MODEL=X1" << 2 << true << "Op MODEL"
                                                         << "X1" << true << "MODEL" << true << false << true;
    QTest::newRow("lower-case model is not the model") << "OP model=KX4410Q" << 2 << true << "OP model"
                                                       << "KX4410Q" << true << "model" << false << false << false;
    QTest::newRow("lower-case serial number is not the serial number")
        << "OP ser.no=abc" << 2 << true << "OP ser.no"
        << "abc" << true << "ser.no" << false << false << false;
    QTest::newRow("model key without op prefix") << "MODEL=KX4410Q" << 2 << true << "MODEL"
                                                 << "KX4410Q" << false << QString() << true << false << false;
    QTest::newRow("prefix needs its blank") << "OPMODEL=KX" << 2 << true << "OPMODEL"
                                            << "KX" << false << QString() << true << false << false;
    QTest::newRow("value mentioning MODEL does not make a model key")
        << "OP SER.NO=MODEL123" << 2 << true << "OP SER.NO"
        << "MODEL123" << true << "SER.NO" << false << true << false;
    QTest::newRow("white space simplified on both sides") << "  OP   BRIGHT \t =  50 \r\n"
                                                          << 2 << true << "OP BRIGHT"
                                                          << "50" << true << "BRIGHT" << false << false << false;
    QTest::newRow("inner blanks of the value collapse") << "OP INPUT=HDMI \t 1\r\n"
                                                        << 2 << true << "OP INPUT"
                                                        << "HDMI 1" << true << "INPUT" << false << false << false;
    QTest::newRow("empty value") << "OP BRIGHT=" << 2 << true << "OP BRIGHT"
                                 << "" << true << "BRIGHT" << false << false << false;
    QTest::newRow("no equals sign") << "OP BRIGHT\r\n"
                                    << 1 << false << ""
                                    << "" << false << QString() << false << false << false;
    QTest::newRow("model answer without equals sign changes nothing")
        << "OP MODEL KX4410Q" << 1 << false << ""
        << "" << false << QString() << false << false << false;
    QTest::newRow("empty text") << "" << 1 << false << ""
                                << "" << false << QString() << false << false << false;
    QTest::newRow("second part is the value") << "OP LENS=1=2" << 3 << true << "OP LENS"
                                              << "1" << true << "LENS" << false << false << false;
    QTest::newRow("only equals signs") << "===" << 4 << true << ""
                                       << "" << false << QString() << false << false << false;
    QTest::newRow("text after a NUL is ignored")
        << QString::fromLatin1("OP STATUS=2\0MODEL=junk", 22) << 2 << true << "OP STATUS"
        << "2" << true << "STATUS" << false << false << false;
    QTest::newRow("NUL first leaves nothing") << QString::fromLatin1("\0OP MODEL=X", 11) << 1 << false << ""
                                              << "" << false << QString() << false << false << false;
    QTest::newRow("key carrying both names") << "OP MODEL SER.NO=Q" << 2 << true << "OP MODEL SER.NO"
                                             << "Q" << true << "MODEL SER.NO" << true << true << true;
    QTest::newRow("op prefix on a blank key") << "OP =5" << 2 << true << "OP"
                                              << "5" << false << QString() << false << false << false;
}

void TestAnswerLine::parsing()
{
    QFETCH(QString, result);
    QFETCH(int, partCount);
    QFETCH(bool, keyValue);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, opAnswer);
    QFETCH(QString, opWord);
    QFETCH(bool, model);
    QFETCH(bool, serial);
    QFETCH(bool, opModel);

    const AnswerLine line(result);
    QCOMPARE(line.parts().size(), partCount);
    QCOMPARE(line.hasKeyValue(), keyValue);
    QCOMPARE(line.key(), key);
    QCOMPARE(line.value(), value);
    QCOMPARE(line.isOpAnswer(), opAnswer);
    QCOMPARE(line.opWord(), opWord);
    QCOMPARE(line.opWord().isNull(), !opAnswer);
    QCOMPARE(line.carriesModel(), model);
    QCOMPARE(line.carriesSerialNumber(), serial);
    QCOMPARE(line.opCarriesModel(), opModel);
    QCOMPARE(AnswerLine::splitAnswer(result), line.parts());
}

void TestAnswerLine::resultKeptVerbatim()
{
    const QString raw = QStringLiteral("  OP MODEL=KX4410Q\r\n");
    const AnswerLine line(raw);
    QCOMPARE(line.result(), raw);
    // The raw parts keep their line end; only key and value are cleaned up.
    QCOMPARE(line.parts(), QStringList({QStringLiteral("  OP MODEL"), QStringLiteral("KX4410Q\r\n")}));
}

void TestAnswerLine::largeAnswer()
{
    const QString payload(100 * 1024, QLatin1Char('x'));
    const AnswerLine line(QStringLiteral("OP DUMP=") + payload + QStringLiteral("\r\n"));
    QVERIFY(line.isOpAnswer());
    QCOMPARE(line.opWord(), QStringLiteral("DUMP"));
    QCOMPARE(line.value().size(), payload.size());
    QCOMPARE(line.value(), payload);
}

void TestAnswerLine::manyEquals()
{
    QStringList pieces{QStringLiteral("OP GAMMA")};
    pieces.reserve(50001);
    for (int i = 0; i < 50000; ++i)
        pieces << QStringLiteral("v") + QString::number(i % 10);
    const QString text = pieces.join(QLatin1Char('='));
    const AnswerLine line(text);
    QCOMPARE(line.parts().size(), 50001);
    QCOMPARE(line.key(), QStringLiteral("OP GAMMA"));
    QCOMPARE(line.value(), QStringLiteral("v0"));
    QCOMPARE(line.parts().last(), QStringLiteral("v9"));
}

void TestAnswerLine::textFromWire_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain answer") << QByteArray("OP MODEL=KX4410Q\r\n") << QStringLiteral("OP MODEL=KX4410Q\r\n");
    QTest::newRow("ends at NUL") << QByteArray("OP STATUS=2\0\0garbage", 20) << QStringLiteral("OP STATUS=2");
    QTest::newRow("NUL first") << QByteArray("\0OP", 3) << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("Latin-1 bytes") << QByteArray("OP NAME=Caf\xe9\xb5") << QStringLiteral("OP NAME=Caf\u00e9\u00b5");
}

void TestAnswerLine::textFromWire()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(AnswerLine::textFromWire(bytes), text);
}

void TestAnswerLine::powerStateFromParts_data()
{
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<int>("code");

    QTest::newRow("standby") << QStringList{"OP STATUS", "0\r\n"} << int(PowerState::Standby);
    QTest::newRow("on") << QStringList{"OP STATUS", "2"} << int(PowerState::On);
    QTest::newRow("blanks around") << QStringList{"OP STATUS", "  3 \r\n"} << int(PowerState::CoolingDown);
    QTest::newRow("error code") << QStringList{"OP STATUS", "4"} << int(PowerState::Error);
    QTest::newRow("above the known codes") << QStringList{"OP STATUS", "12"} << 12;
    QTest::newRow("not a number counts as standby") << QStringList{"OP STATUS", "abc"} << 0;
    QTest::newRow("hexadecimal is not decimal") << QStringList{"OP STATUS", "0x2"} << 0;
    QTest::newRow("empty value") << QStringList{"OP STATUS", ""} << 0;
    QTest::newRow("second part only") << QStringList{"OP STATUS", "1", "9"} << int(PowerState::WarmingUp);
    QTest::newRow("one part") << QStringList{"OP STATUS\r\n"} << int(PowerState::NoAnswer);
    QTest::newRow("silent peer") << QStringList{QString()} << int(PowerState::NoAnswer);
    QTest::newRow("unreachable") << QStringList() << int(PowerState::NoAnswer);
}

void TestAnswerLine::powerStateFromParts()
{
    QFETCH(QStringList, parts);
    QFETCH(int, code);
    QCOMPARE(PowerState::fromAnswerParts(parts), code);
}

ORV_TEST_GUILESS_MAIN(TestAnswerLine)
#include "tst_answerline.moc"
