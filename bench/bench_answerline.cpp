#include "net/answerline.h"

#include "tests/common/testenvironment.h"

#include <QtTest>

// Every answer of a status sweep passes through AnswerLine on the GUI
// thread, so its cost per line matters for large fleets.
class BenchAnswerLine : public QObject
{
    Q_OBJECT
private slots:
    void typicalAnswer();
    void largeAnswer();
};

void BenchAnswerLine::typicalAnswer()
{
    const QString result = QStringLiteral("OP MODEL=KX4410Q\r\n");
    int models = 0;
    QBENCHMARK
    {
        const AnswerLine line(result);
        models += line.opCarriesModel() ? 1 : 0;
    }
    QVERIFY(models > 0);
}

void BenchAnswerLine::largeAnswer()
{
    const QString result = QStringLiteral("OP DUMP=") + QString(100 * 1024, QLatin1Char('x')) + QStringLiteral("\r\n");
    int length = 0;
    QBENCHMARK
    {
        const AnswerLine line(result);
        length = line.value().size();
    }
    QCOMPARE(length, 100 * 1024);
}

ORV_TEST_GUILESS_MAIN(BenchAnswerLine)
#include "bench_answerline.moc"
