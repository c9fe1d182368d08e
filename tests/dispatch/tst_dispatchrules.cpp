#include "net/answerline.h"
#include "net/batchprogress.h"
#include "net/sessionpool.h"
#include "net/singlesenddebounce.h"

#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QtTest>

class TestDispatchRules : public QObject
{
    Q_OBJECT
private slots:
    void answerLine_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("partCount");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("opWord");  // null: not an "OP " answer
        QTest::addColumn<QString>("carries"); // M: model, S: serial number, O: op answer naming the model

        const auto row = [](const char *name, const QString &result, int partCount, const char *key,
                            const QString &value, const QString &opWord, const char *carries) {
            QTest::newRow(name) << result << partCount << QString(key) << value << opWord << QString(carries);
        };
        const QString no;
        const QString big(100 * 1024, QLatin1Char('x'));
        row("model answer", "OP MODEL=KX4410Q\r\n", 2, "OP MODEL", "KX4410Q", "MODEL", "MO");
        row("serial number", "OP SER.NO=A1B2C3\r\n", 2, "OP SER.NO", "A1B2C3", "SER.NO", "S");
        row("op prefix in any case", "Op MODEL=X1", 2, "Op MODEL", "X1", "MODEL", "MO");
        row("lower-case model", "op model=KX4410Q", 2, "op model", "KX4410Q", "model", "");
        row("model key without op prefix", "MODEL=KX", 2, "MODEL", "KX", no, "M");
        row("prefix needs its blank", "OPMODEL=KX", 2, "OPMODEL", "KX", no, "M");
        row("value naming MODEL", "OP SER.NO=MODEL1", 2, "OP SER.NO", "MODEL1", "SER.NO", "S");
        row("white space simplified", "  OP   INPUT \t =  HDMI \t 1 \r\n", 2, "OP INPUT", "HDMI 1", "INPUT", "");
        row("no equals sign", "OP MODEL KX4410Q\r\n", 1, "", "", no, "");
        row("second part is the value", "OP LENS=1=2", 3, "OP LENS", "1", "LENS", "");
        row("NUL cuts", QString::fromLatin1("OP STATUS=2\0MODEL=junk", 22), 2, "OP STATUS", "2", "STATUS", "");
        row("100 kB value", "OP DUMP=" + big + "\r\n", 2, "OP DUMP", big, "DUMP", "");
    }

    void answerLine()
    {
        QFETCH(QString, result);
        QFETCH(int, partCount);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, opWord);
        QFETCH(QString, carries);

        const AnswerLine line(result);
        QCOMPARE(line.parts().size(), partCount);
        QCOMPARE(line.hasKeyValue(), partCount > 1);
        QCOMPARE(line.key(), key);
        QCOMPARE(line.value(), value);
        QCOMPARE(line.isOpAnswer(), !opWord.isNull());
        QCOMPARE(line.opWord().isNull(), opWord.isNull());
        QCOMPARE(line.opWord(), opWord);
        QCOMPARE(line.carriesModel(), carries.contains('M'));
        QCOMPARE(line.carriesSerialNumber(), carries.contains('S'));
        QCOMPARE(line.opCarriesModel(), carries.contains('O'));
        QCOMPARE(AnswerLine::splitAnswer(result), line.parts());
    }

    void debounce_data()
    {
        QTest::addColumn<QVector<int>>("times");
        QTest::addColumn<QString>("ips");      // one letter per attempt: an address, "-" none
        QTest::addColumn<QString>("verdicts"); // S: sent, D: dropped, I: ignored
        QTest::addColumn<int>("difference");   // of the last attempt not ignored

        const int day = SingleSendDebounce::DayMs;
        const int noon = day / 2;
        const auto row = [](const char *name, const QVector<int> &times, const char *ips, const char *verdicts,
                            int difference) { QTest::newRow(name) << times << ips << verdicts << difference; };
        row("same address within 300 ms", {noon, noon + 299}, "aa", "SD", 299);
        row("same address exactly 300 ms later", {noon, noon + 300}, "aa", "SS", 300);
        row("other address at once", {noon, noon}, "ab", "SS", 0);
        row("across midnight, close", {day - 100, 100}, "aa", "SD", 200);
        row("across midnight, 300 ms", {day - 150, 150}, "aa", "SS", 300);
        row("invalid clock counts as midnight", {-1, 250}, "aa", "SD", 250);
        // Dropped attempts restart the interval too: a dragged slider sends only
        // its first value until it rests. Ignored ones do not.
        row("burst dropped until quiet", {5000, 5200, 5400, 5700}, "aaaa", "SDDS", 300);
        row("alternating addresses", {7000, 7050, 7100, 7150}, "abaa", "SSSD", 50);
        row("no address ignored", {10000, 10100, 10200, 10350}, "a--a", "SIIS", 350);
    }

    void debounce()
    {
        QFETCH(QVector<int>, times);
        QFETCH(QString, ips);
        QFETCH(QString, verdicts);
        QFETCH(int, difference);

        LogCapture log(OrvLogging::DebugLevel);
        int now = 0;
        SingleSendDebounce debounce([&now]() { return now; });
        for (int i = 0; i < times.size(); ++i) {
            now = times.at(i);
            const QString ip = ips.at(i) == '-' ? QString() : QStringLiteral("127.0.0.%1").arg(ips.at(i).unicode());
            int reported = -1;
            const char got = "SDI"[int(debounce.admit(ip, QStringLiteral("op bright = 1"), &reported))];
            QVERIFY2(got == verdicts.at(i), qPrintable(QStringLiteral("attempt %1 gave %2").arg(i).arg(got)));
            QCOMPARE(reported, got == 'I' ? -1 : debounce.lastDifference());
        }
        QCOMPARE(debounce.admit(QStringLiteral("127.0.0.1"), QString()), SingleSendDebounce::Verdict::Ignore);
        QCOMPARE(debounce.lastDifference(), difference);
        const QStringList skipped = log.linesWith({QStringLiteral("sendMyTcpCmd"), QStringLiteral("TimeDiff Skiped:")});
        QCOMPARE(skipped.size(), int(verdicts.count('D')));
        if (verdicts.endsWith('D'))
            QVERIFY2(skipped.last().contains(QStringLiteral(" %1").arg(difference)), qPrintable(skipped.last()));
    }

    void batchProgress()
    {
        BatchProgress progress;
        QSignalSpy started(&progress, &BatchProgress::sigStarted);
        QSignalSpy value(&progress, &BatchProgress::sigValue);
        QSignalSpy hide(&progress, &BatchProgress::sigHide);
        QSignalSpy end(&progress, &BatchProgress::sigEndStatusBar);

        // Answers without a batch only hide the progress widgets.
        progress.advance();
        QCOMPARE(hide.count(), 1);
        progress.start(3);
        QCOMPARE(started.takeFirst(), (QVariantList{3, 1}));
        progress.advance();
        progress.advance();
        QCOMPARE(end.count(), 0);
        progress.advance();
        QCOMPARE(hide.count(), 2);
        QCOMPARE(end.count(), 1);
        QCOMPARE(value.count(), 4);
        QCOMPARE(value.at(3).first().toInt(), 3);
        // A straggler after the end does not end the batch again.
        progress.advance();
        QCOMPARE(end.count(), 1);
        // A second start replaces the expectation; an empty batch ends silently.
        progress.start(5);
        progress.advance();
        progress.start(2);
        progress.advance();
        QCOMPARE(end.count(), 1);
        progress.advance();
        QCOMPARE(end.count(), 2);
        progress.start(0);
        progress.advance();
        QCOMPARE(end.count(), 2);
        // The expectation is cleared before the end is heard, so a listener may
        // start the next batch right away.
        connect(&progress, &BatchProgress::sigEndStatusBar, this, [&progress]() { progress.start(2); });
        progress.start(1);
        progress.advance();
        QCOMPARE(progress.expected(), 2);
    }

    void sessionPoolBoundsAndFrees()
    {
        SessionPool pool;
        pool.setLimit(3);
        auto *context = new QObject;
        QList<QObject *> sessions;
        int started = 0;
        for (int i = 0; i < 10; ++i)
            pool.submit(
                [&]() -> QObject * {
                    ++started;
                    // The fourth ends inside its own start, as a refused
                    // connect does: it holds nothing.
                    if (started == 4)
                        return nullptr;
                    sessions.append(new QObject);
                    return sessions.last();
                },
                i == 9 ? context : nullptr);
        // Never inside submit(): a start always has a turn of its own.
        QCOMPARE(started, 0);
        QTRY_COMPARE(started, 3);
        QCOMPARE(pool.inFlight(), 3);
        QCOMPARE(pool.waiting(), 7);
        // Gone or released, either frees the slot; twice frees nothing more.
        delete sessions.takeFirst();
        pool.release(sessions.first());
        pool.release(sessions.first());
        QTRY_COMPARE(started, 6);
        QCOMPARE(pool.inFlight(), 3);
        QCOMPARE(pool.peak(), 3);
        // A start whose context went is dropped.
        delete context;
        pool.setLimit(100);
        QTRY_COMPARE(pool.waiting(), 0);
        QCOMPARE(started, 9);
        QCOMPARE(pool.inFlight(), 6);
        qDeleteAll(sessions);
        sessions.clear();

        // The operator's sends overtake a queued sweep, in their own order.
        pool.setLimit(1);
        QStringList order;
        auto starter = [&](const QString &name) {
            return [&, name]() -> QObject * {
                order.append(name);
                sessions.append(new QObject);
                return sessions.last();
            };
        };
        for (const char *name : {"sweep1", "sweep2", "sweep3"})
            pool.submit(starter(name));
        QTRY_COMPARE(order.size(), 1);
        pool.submit(starter("console"), nullptr, SessionPool::Lane::Operator);
        pool.submit(starter("slider"), nullptr, SessionPool::Lane::Operator);
        QCOMPARE(pool.waiting(), 4);
        for (int turn = 2; turn <= 5; ++turn) {
            delete sessions.takeFirst();
            QTRY_COMPARE(order.size(), turn);
        }
        QCOMPARE(order, (QStringList{"sweep1", "console", "slider", "sweep2", "sweep3"}));
        qDeleteAll(sessions);
    }
};

ORV_TEST_GUILESS_MAIN(TestDispatchRules)
#include "tst_dispatchrules.moc"
