// Line building, level filter, destinations and the logger itself.
#include "app/orvlog/OrvLog.h"

#include "recordingdestination.h"
#include "stderrcapture.h"
#include "tests/common/testenvironment.h"

#include <QRegularExpression>
#include <QThread>
#include <QtTest>

using namespace OrvLogging;

namespace {

// Counts how often it is streamed, to prove that dropped lines build nothing.
struct StreamCounter
{
    int *calls;
};

QDebug operator<<(QDebug debug, const StreamCounter &counter)
{
    ++*counter.calls;
    return debug << "counted";
}

int evaluations = 0;

int countedValue()
{
    ++evaluations;
    return 7;
}

QString origin(int line)
{
    return QStringLiteral(__FILE__) + QLatin1Char('@') + QString::number(line);
}

const QRegularExpression LinePattern(QStringLiteral("^(.{5}) (\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d) (.*)$"),
                                     QRegularExpression::DotMatchesEverythingOption);

} // namespace

class TestOrvLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void levelTexts_data();
    void levelTexts();
    void lineLayout();
    void everyMacroCarriesItsLevel();
    void itemsAreQuotedLikeDebugOutput_data();
    void itemsAreQuotedLikeDebugOutput();
    void filterDropsLowerLevelsUnbuilt();
    void filterAtEveryThreshold();
    void offLevelSilencesEverything();
    void macroIsOneStatement();
    void destinationsInOrderAdded();
    void removedDestinationGetsNothing();
    void concurrentWritersAreSerialised();
    void debugOutputGoesToErrorStream();

private:
    QSharedPointer<RecordingDestination> mRecorder;
};

void TestOrvLog::initTestCase()
{
    // Before any test touches it: the logger starts at INFO.
    QCOMPARE(Logger::instance().loggingLevel(), InfoLevel);
    QCOMPARE(version(), QStringLiteral("2.1"));
}

void TestOrvLog::init()
{
    mRecorder = QSharedPointer<RecordingDestination>::create();
    Logger::instance().setLoggingLevel(TraceLevel);
    Logger::instance().addDestination(mRecorder);
}

void TestOrvLog::cleanup()
{
    Logger::instance().removeDestination(mRecorder);
    mRecorder.reset();
    Logger::instance().setLoggingLevel(InfoLevel);
}

void TestOrvLog::levelTexts_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::newRow("trace") << int(TraceLevel) << "TRACE";
    QTest::newRow("debug") << int(DebugLevel) << "DEBUG";
    QTest::newRow("info") << int(InfoLevel) << "INFO ";
    QTest::newRow("warn") << int(WarnLevel) << "WARN ";
    QTest::newRow("error") << int(ErrorLevel) << "ERROR";
    QTest::newRow("fatal") << int(FatalLevel) << "FATAL";
    QTest::newRow("off") << int(OffLevel) << "";
}

void TestOrvLog::levelTexts()
{
    QFETCH(int, level);
    QFETCH(QString, text);
    QCOMPARE(levelText(Level(level)), text);
    if (Level(level) == OffLevel)
        return;

    Logger::instance().write(QStringLiteral("payload"), Level(level));
    QCOMPARE(mRecorder->lines().size(), 1);
    QCOMPARE(mRecorder->lines().first().left(6), text + QLatin1Char(' '));
    QCOMPARE(mRecorder->levels().first(), Level(level));
}

void TestOrvLog::lineLayout()
{
    const QTime before = QTime::currentTime();
    // clang-format off
    OLOG_INFO() << "Found Config Path:" << QStringLiteral("/home/op/.config/Orvanto"); const int line = __LINE__;
    // clang-format on
    const QTime after = QTime::currentTime();

    QCOMPARE(mRecorder->lines().size(), 1);
    const QString written = mRecorder->lines().first();
    const QRegularExpressionMatch match = LinePattern.match(written);
    QVERIFY2(match.hasMatch(), qPrintable(written));
    QCOMPARE(match.captured(1), QStringLiteral("INFO "));
    QVERIFY(written.startsWith(QStringLiteral("INFO  "))); // two blanks after INFO

    const QTime stamp = QTime::fromString(match.captured(2), QStringLiteral("hh:mm:ss.zzz"));
    QVERIFY(stamp.isValid());
    if (after >= before) // not across midnight
        QVERIFY(stamp >= before && stamp <= after);

    QCOMPARE(match.captured(3), origin(line) + QStringLiteral(" Found Config Path: \"/home/op/.config/Orvanto\" "));
}

void TestOrvLog::everyMacroCarriesItsLevel()
{
    OLOG_TRACE() << 1;
    OLOG_DEBUG() << 2;
    OLOG_INFO() << 3;
    OLOG_WARN() << 4;
    OLOG_ERROR() << 5;
    OLOG_FATAL() << 6;

    const QStringList lines = mRecorder->lines();
    QCOMPARE(lines.size(), 6);
    const QStringList expected = {"TRACE", "DEBUG", "INFO ", "WARN ", "ERROR", "FATAL"};
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(lines.at(i).left(5), expected.at(i));
        QVERIFY2(lines.at(i).endsWith(QStringLiteral(" %1 ").arg(i + 1)), qPrintable(lines.at(i)));
        QCOMPARE(mRecorder->levels().at(i), Level(i));
    }
}

void TestOrvLog::itemsAreQuotedLikeDebugOutput_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tail");
    QTest::newRow("literal") << "literal"
                             << "no quotes here ";
    QTest::newRow("string") << "string"
                            << "\"C:/Program Files/Orvanto\" ";
    QTest::newRow("empty string") << "empty"
                                  << "\"\" ";
    QTest::newRow("bytes") << "bytes"
                           << "\"op model ?\" ";
    QTest::newRow("list") << "list"
                          << "(\"GroupA\", \"GroupB\") ";
    QTest::newRow("numbers") << "numbers"
                             << "port 7000 size 524288 ";
    QTest::newRow("mixed") << "mixed"
                           << "IP: \"127.0.0.2\" answers: 3 ";
}

void TestOrvLog::itemsAreQuotedLikeDebugOutput()
{
    QFETCH(QString, kind);
    QFETCH(QString, tail);

    // clang-format off
    int line = 0;
    if (kind == QLatin1String("literal")) {
        OLOG_INFO() << "no quotes here"; line = __LINE__;
    } else if (kind == QLatin1String("string")) {
        OLOG_INFO() << QStringLiteral("C:/Program Files/Orvanto"); line = __LINE__;
    } else if (kind == QLatin1String("empty")) {
        OLOG_INFO() << QString(); line = __LINE__;
    } else if (kind == QLatin1String("bytes")) {
        OLOG_INFO() << QByteArray("op model ?"); line = __LINE__;
    } else if (kind == QLatin1String("list")) {
        OLOG_INFO() << QStringList{QStringLiteral("GroupA"), QStringLiteral("GroupB")}; line = __LINE__;
    } else if (kind == QLatin1String("numbers")) {
        OLOG_INFO() << "port" << quint16(7000) << "size" << qint64(524288); line = __LINE__;
    } else {
        OLOG_INFO() << "IP:" << QStringLiteral("127.0.0.2") << "answers:" << 3; line = __LINE__;
    }
    // clang-format on

    QCOMPARE(mRecorder->lines().size(), 1);
    const QRegularExpressionMatch match = LinePattern.match(mRecorder->lines().first());
    QVERIFY(match.hasMatch());
    QCOMPARE(match.captured(3), origin(line) + QLatin1Char(' ') + tail);
}

void TestOrvLog::filterDropsLowerLevelsUnbuilt()
{
    Logger::instance().setLoggingLevel(InfoLevel);
    int streamed = 0;
    evaluations = 0;

    OLOG_DEBUG() << "hidden" << StreamCounter{&streamed} << countedValue();
    OLOG_TRACE() << StreamCounter{&streamed} << countedValue();
    QCOMPARE(streamed, 0);
    QCOMPARE(evaluations, 0);
    QVERIFY(mRecorder->lines().isEmpty());

    OLOG_INFO() << "shown" << StreamCounter{&streamed} << countedValue();
    QCOMPARE(streamed, 1);
    QCOMPARE(evaluations, 1);
    QCOMPARE(mRecorder->lines().size(), 1);
    QVERIFY(mRecorder->lines().first().endsWith(QStringLiteral(" shown counted 7 ")));

    // A direct write below the level is dropped as well.
    Logger::instance().write(QStringLiteral("direct"), DebugLevel);
    QCOMPARE(mRecorder->lines().size(), 1);
}

void TestOrvLog::filterAtEveryThreshold()
{
    for (int threshold = TraceLevel; threshold <= FatalLevel; ++threshold) {
        Logger::instance().setLoggingLevel(Level(threshold));
        QCOMPARE(Logger::instance().loggingLevel(), Level(threshold));
        const int before = mRecorder->lines().size();
        OLOG_TRACE() << "t";
        OLOG_DEBUG() << "d";
        OLOG_INFO() << "i";
        OLOG_WARN() << "w";
        OLOG_ERROR() << "e";
        OLOG_FATAL() << "f";
        // Levels threshold..FATAL pass: that is 6 - threshold lines.
        QCOMPARE(mRecorder->lines().size() - before, 6 - threshold);
        const QList<Level> levels = mRecorder->levels().mid(before);
        for (int i = 0; i < levels.size(); ++i)
            QCOMPARE(levels.at(i), Level(threshold + i));
    }
}

void TestOrvLog::offLevelSilencesEverything()
{
    Logger::instance().setLoggingLevel(OffLevel);
    int streamed = 0;
    OLOG_FATAL() << StreamCounter{&streamed};
    OLOG_ERROR() << StreamCounter{&streamed};
    QCOMPARE(streamed, 0);
    QVERIFY(mRecorder->lines().isEmpty());
}

void TestOrvLog::macroIsOneStatement()
{
    // The macros must behave inside unbraced if/else like any expression.
    Logger::instance().setLoggingLevel(InfoLevel);
    for (int i = 0; i < 4; ++i) {
        if (i % 2 == 0)
            OLOG_INFO() << "even" << i;
        else
            OLOG_WARN() << "odd" << i;
        if (i == 3)
            OLOG_DEBUG() << "filtered";
        else if (i == 2)
            OLOG_ERROR() << "two";
    }
    const QStringList lines = mRecorder->lines();
    QCOMPARE(lines.size(), 5);
    QVERIFY(lines.at(0).startsWith(QStringLiteral("INFO ")) && lines.at(0).endsWith(QStringLiteral("even 0 ")));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("WARN ")) && lines.at(1).endsWith(QStringLiteral("odd 1 ")));
    QVERIFY(lines.at(2).endsWith(QStringLiteral("even 2 ")));
    QVERIFY(lines.at(3).startsWith(QStringLiteral("ERROR")) && lines.at(3).endsWith(QStringLiteral("two ")));
    QVERIFY(lines.at(4).endsWith(QStringLiteral("odd 3 ")));
}

void TestOrvLog::destinationsInOrderAdded()
{
    QStringList journal;
    auto first = QSharedPointer<RecordingDestination>::create(QStringLiteral("first"), &journal);
    auto second = QSharedPointer<RecordingDestination>::create(QStringLiteral("second"), &journal);
    Logger::instance().removeDestination(mRecorder);
    Logger::instance().addDestination(second);
    Logger::instance().addDestination(first);

    OLOG_INFO() << "one";
    OLOG_WARN() << "two";

    Logger::instance().removeDestination(first);
    Logger::instance().removeDestination(second);

    QCOMPARE(journal.size(), 4);
    QVERIFY(journal.at(0).startsWith(QStringLiteral("second:INFO ")));
    QVERIFY(journal.at(1).startsWith(QStringLiteral("first:INFO ")));
    QVERIFY(journal.at(2).startsWith(QStringLiteral("second:WARN ")));
    QVERIFY(journal.at(3).startsWith(QStringLiteral("first:WARN ")));
    // Both got the very same line.
    QCOMPARE(journal.at(0).mid(7), journal.at(1).mid(6));
}

void TestOrvLog::removedDestinationGetsNothing()
{
    auto other = QSharedPointer<RecordingDestination>::create();
    Logger::instance().addDestination(other);
    OLOG_INFO() << "both";
    Logger::instance().removeDestination(other);
    OLOG_INFO() << "recorder only";
    // Removing something never added is harmless.
    Logger::instance().removeDestination(QSharedPointer<RecordingDestination>::create());
    OLOG_INFO() << "still recorder";

    QCOMPARE(other->lines().size(), 1);
    QVERIFY(other->lines().first().endsWith(QStringLiteral("both ")));
    QCOMPARE(mRecorder->lines().size(), 3);
}

void TestOrvLog::concurrentWritersAreSerialised()
{
    constexpr int ThreadCount = 4;
    constexpr int LinesPerThread = 200;
    QList<QThread *> threads;
    for (int t = 0; t < ThreadCount; ++t) {
        threads.append(QThread::create([t] {
            for (int i = 0; i < LinesPerThread; ++i)
                OLOG_INFO() << "thread" << t << "line" << i;
        }));
    }
    for (QThread *thread : qAsConst(threads))
        thread->start();
    for (QThread *thread : qAsConst(threads)) {
        QVERIFY(thread->wait(20000));
        delete thread;
    }

    QVERIFY(!mRecorder->overlapSeen());
    const QStringList lines = mRecorder->lines();
    QCOMPARE(lines.size(), ThreadCount * LinesPerThread);
    // Each thread's lines arrive whole and in its own order.
    for (int t = 0; t < ThreadCount; ++t) {
        int next = 0;
        const QString marker = QStringLiteral(" thread %1 line ").arg(t);
        for (const QString &line : lines) {
            const int at = line.indexOf(marker);
            if (at < 0)
                continue;
            QCOMPARE(line.mid(at + marker.size()), QString::number(next) + QLatin1Char(' '));
            ++next;
        }
        QCOMPARE(next, LinesPerThread);
    }
}

void TestOrvLog::debugOutputGoesToErrorStream()
{
    const DestinationPtr debug = DestinationFactory::MakeDebugOutputDestination();
    QCOMPARE(debug->type(), QStringLiteral("console"));
    QVERIFY(debug->isValid());

    Logger::instance().addDestination(debug);
    QByteArray captured;
    {
        StderrCapture capture;
        QVERIFY(capture.isActive());
        OLOG_WARN() << "to the debugger" << QStringLiteral("Grüße");
        captured = capture.stop();
    }
    Logger::instance().removeDestination(debug);

    QCOMPARE(mRecorder->lines().size(), 1);
#ifdef Q_OS_WIN
    QVERIFY(captured.isEmpty()); // goes to OutputDebugString instead
#else
    QCOMPARE(QString::fromUtf8(captured), mRecorder->lines().first() + QLatin1Char('\n'));
#endif
}

ORV_TEST_GUILESS_MAIN(TestOrvLog)
#include "tst_orvlog.moc"
