// The diagnostic log (line format, level filter, destinations, log file
// rotation) and the console-log rules (timing filter, colours, task ends).
#include "app/consolelogrules.h"
#include "app/orvlog/OrvLog.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <unistd.h>

using namespace OrvLogging;

namespace {

struct Recorder final : Destination
{
    void write(const QString &message, Level) override { lines.append(message); }
    bool isValid() override { return true; }
    QString type() const override { return QStringLiteral("recording"); }

    QStringList lines;
};

// Counts how often it is streamed: a dropped line must format nothing.
struct StreamCounter
{
    int *calls;
};

QDebug operator<<(QDebug debug, const StreamCounter &counter)
{
    ++*counter.calls;
    return debug << "counted";
}

// What the process writes to its error stream while run() runs.
QByteArray stderrOf(const std::function<void()> &run)
{
    QTemporaryFile file;
    if (!file.open())
        return "no capture file";
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(int(file.handle()), 2);
    run();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    file.seek(0);
    return file.readAll();
}

DestinationPtr rotatingFile(const QString &path, qint64 maxSize, int backups)
{
    return DestinationFactory::MakeFileDestination(path, EnableLogRotation, MaxSizeBytes(maxSize),
                                                   MaxOldLogCount(backups));
}

QString numbered(int n, int width)
{
    const QString head = QStringLiteral("line %1 ").arg(n, 4, 10, QLatin1Char('0'));
    return head + QString(width - head.size(), QLatin1Char('.'));
}

// An unusable path: a folder in the way, a missing folder.
QString blockedPath(const QTemporaryDir &dir, const QString &obstacle, const QString &name)
{
    if (obstacle == QLatin1String("folder"))
        QDir().mkpath(dir.filePath(name + QStringLiteral("/keep")));
    return dir.filePath(obstacle == QLatin1String("folder") ? name : obstacle + QLatin1Char('/') + name);
}

void addObstacles()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("folder in the way") << "folder";
    QTest::newRow("missing folder") << "missing";
}

} // namespace

class TestOrvLog : public QObject
{
    Q_OBJECT

    QString logPath() const { return mDir->filePath(QStringLiteral("OrvantoLOG.log")); }
    QString backup(int k) const { return logPath() + QLatin1Char('.') + QString::number(k); }

    QScopedPointer<QTemporaryDir> mDir;
    QSharedPointer<Recorder> mRecorder;

private slots:
    void init()
    {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        mRecorder = QSharedPointer<Recorder>::create();
        Logger::instance().setLoggingLevel(TraceLevel);
        Logger::instance().addDestination(mRecorder);
    }

    void cleanup()
    {
        Logger::instance().removeDestination(mRecorder);
        Logger::instance().setLoggingLevel(InfoLevel);
    }

    void lineFormat()
    {
        // clang-format off
        OLOG_INFO() << "Path:" << QStringLiteral("/home/op") << QString() << QByteArray("op ?") << QStringList{"A"} << 7000; const int line = __LINE__;
        // clang-format on
        QCOMPARE(mRecorder->lines.size(), 1);
        static const QRegularExpression shape(QStringLiteral("^INFO  \\d\\d:\\d\\d:\\d\\d\\.\\d{3} (.*)$"));
        const QRegularExpressionMatch match = shape.match(mRecorder->lines.first());
        QVERIFY2(match.hasMatch(), qPrintable(mRecorder->lines.first()));
        // The origin is named from the source tree's top, whichever machine built it.
        QCOMPARE(
            match.captured(1),
            QStringLiteral("tests/logging/tst_orvlog.cpp@%1 Path: \"/home/op\" \"\" \"op ?\" (\"A\") 7000 ").arg(line));
        QCOMPARE(QString::fromLatin1(sourceRelativePath("../../app/main.cpp", "/src/orv/")),
                 QStringLiteral("app/main.cpp"));

        const QStringList heads{"TRACE ", "DEBUG ", "INFO  ", "WARN  ", "ERROR ", "FATAL "};
        for (int level = TraceLevel; level <= FatalLevel; ++level) {
            Logger::instance().write(QStringLiteral("x"), Level(level));
            QVERIFY2(mRecorder->lines.last().startsWith(heads.at(level)), qPrintable(mRecorder->lines.last()));
        }
    }

    void droppedLinesAreNotBuilt()
    {
        Logger::instance().setLoggingLevel(InfoLevel);
        int streamed = 0;
        OLOG_DEBUG() << "hidden" << StreamCounter{&streamed};
        OLOG_TRACE() << StreamCounter{&streamed};
        Logger::instance().write(QStringLiteral("direct"), DebugLevel);
        QCOMPARE(streamed, 0);
        QVERIFY(mRecorder->lines.isEmpty());
        OLOG_INFO() << "shown" << StreamCounter{&streamed};
        QCOMPARE(streamed, 1);
        QVERIFY(mRecorder->lines.value(0).endsWith(QStringLiteral(" shown counted ")));

        // Each macro is one expression: an unbraced else stays with its own if.
        for (int i = 0; i < 2; ++i)
            if (i == 0)
                OLOG_DEBUG() << "filtered";
            else
                OLOG_WARN() << "odd" << i;
        QCOMPARE(mRecorder->lines.size(), 2);
        QVERIFY2(mRecorder->lines.last().endsWith(QStringLiteral(" odd 1 ")), qPrintable(mRecorder->lines.last()));
    }

    void fileIsFlushedAndAppendedOnRestart()
    {
        Logger &logger = Logger::instance();
        DestinationPtr firstRun = rotatingFile(logPath(), 524288, 2);
        logger.addDestination(firstRun);
        OLOG_INFO() << "first run" << QStringLiteral("Grüße ✓");
        // Still open: the line must already be on disk, in UTF-8.
        const QByteArray afterFirst = TestFiles::read(logPath());
        QCOMPARE(afterFirst, mRecorder->lines.first().toUtf8() + '\n');
        logger.removeDestination(firstRun);
        firstRun.reset(); // closes the file, as at the end of the process
        const DestinationPtr secondRun = rotatingFile(logPath(), 524288, 2);
        logger.addDestination(secondRun);
        OLOG_DEBUG() << "second run";
        logger.removeDestination(secondRun);
        QCOMPARE(TestFiles::read(logPath()), afterFirst + mRecorder->lines.last().toUtf8() + '\n');
        QVERIFY(!QFile::exists(backup(1)));
    }

    void rotatesBeforeTheOverflowingLine()
    {
        const QByteArray current = QByteArray(1000 - 88 - 1, 'c') + '\n';
        QVERIFY(TestFiles::write(logPath(), current));
        QVERIFY(TestFiles::write(backup(1), "previous run\n"));
        const DestinationPtr file = rotatingFile(logPath(), 1000, 2);
        file->write(QString(100, QLatin1Char('L')), InfoLevel);

        QCOMPARE(TestFiles::read(logPath()), QByteArray(100, 'L') + '\n');
        QCOMPARE(TestFiles::read(backup(1)), current);
        QCOMPARE(TestFiles::read(backup(2)), QByteArray("previous run\n"));
        QVERIFY(!QFile::exists(backup(3)));
        // Sizes count UTF-8 bytes: 50 "ü" are 100 bytes, plus 25 is over 120.
        QVERIFY(QFile::remove(logPath()));
        const DestinationPtr utf8 = rotatingFile(logPath(), 120, 1);
        utf8->write(QString(50, QChar(0x00FC)), InfoLevel);
        utf8->write(QString(25, QLatin1Char('a')), InfoLevel);
        QCOMPARE(TestFiles::read(backup(1)), QString(50, QChar(0x00FC)).toUtf8() + '\n');
        QCOMPARE(TestFiles::read(logPath()), QByteArray(25, 'a') + '\n');
    }

    void backupCount_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("kept");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("the program's two") << 2 << 2;
        QTest::newRow("above the limit") << 15 << 10;
        QTest::newRow("negative") << -3 << 0;
    }

    void backupCount()
    {
        QFETCH(int, requested);
        QFETCH(int, kept);
        // Lines longer than the maximum: each rotates first, so every file
        // holds one line and backup k the k-th line before the newest.
        const DestinationPtr file = rotatingFile(logPath(), 10, requested);
        for (int n = 1; n <= 15; ++n)
            file->write(numbered(n, 20), InfoLevel);
        for (int k = 0; k <= kept; ++k)
            QCOMPARE(TestFiles::read(k ? backup(k) : logPath()), numbered(15 - k, 20).toUtf8() + '\n');
        QCOMPARE(QDir(mDir->path()).entryList(QDir::Files).size(), kept + 1);
    }

    void rotationFailuresAreReported_data()
    {
        QTest::addColumn<int>("backups");
        QTest::addColumn<QString>("blocked"); // a folder with content stands where a backup goes
        QTest::addColumn<QString>("message");
        QTest::newRow("log to backup 1") << 1 << ".1"
                                         << "OrvLog: could not rename log %1 to %1.1";
        QTest::newRow("backup 1 to backup 2") << 2 << ".2"
                                              << "OrvLog: could not rename backup %1.1 to %1.2";
    }

    void rotationFailuresAreReported()
    {
        QFETCH(int, backups);
        QFETCH(QString, blocked);
        QFETCH(QString, message);
        QVERIFY(blocked == ".1" || TestFiles::write(backup(1), "older\n"));
        QVERIFY(QDir().mkpath(logPath() + blocked + QStringLiteral("/keep")));
        const DestinationPtr file = rotatingFile(logPath(), 10, backups);
        const QByteArray errors = stderrOf([&] {
            file->write(numbered(1, 20), InfoLevel);
            file->write(numbered(2, 20), InfoLevel);
        });
        QVERIFY2(errors.contains(message.arg(logPath()).toUtf8()), errors.constData());
        // Logging goes on in the log file itself.
        QVERIFY(TestFiles::read(logPath()).endsWith(numbered(2, 20).toUtf8() + '\n'));
    }

    void unopenableFileIsHarmless_data() { addObstacles(); }

    void unopenableFileIsHarmless()
    {
        QFETCH(QString, obstacle);
        const QString path = blockedPath(*mDir, obstacle, QStringLiteral("OrvantoLOG.log"));
        DestinationPtr broken;
        // Maximum 0: a counting destination would rotate on every line.
        const QByteArray errors = stderrOf([&] { broken = rotatingFile(path, 0, 2); });
        QVERIFY2(errors.contains("OrvLog: could not open log file " + QFile::encodeName(path)), errors.constData());
        QVERIFY(!broken->isValid());

        auto after = QSharedPointer<Recorder>::create();
        Logger::instance().addDestination(broken);
        Logger::instance().addDestination(after);
        OLOG_ERROR() << "still logged";
        OLOG_WARN() << "and again";
        Logger::instance().removeDestination(broken);
        Logger::instance().removeDestination(after);
        QCOMPARE(after->lines.size(), 2);
        // Whatever stood in the way is untouched: nothing renamed or created.
        QCOMPARE(QFileInfo::exists(path + QStringLiteral("/keep")), obstacle == QLatin1String("folder"));
        QCOMPARE(QFileInfo(path).isFile() || QFile::exists(path + QStringLiteral(".1")), false);
    }

    void consoleFilterAndColours_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("showTcp");
        QTest::addColumn<QColor>("dark"); // invalid: not shown
        QTest::addColumn<QColor>("light");
        const QString timing = QStringLiteral("TCP:3f2c Cmd:0 Time:41ms");
        QTest::newRow("timing hidden") << timing << false << QColor() << QColor();
        QTest::newRow("timing shown") << timing << true << QColor("cyan") << QColor("blue");
        QTest::newRow("lower-case tcp:") << "tcp: no timing" << false << QColor(Qt::lightGray) << QColor(0x40, 0x40, 0x40);
        QTest::newRow("TCP: not at the start") << " TCP:3f2c" << false << QColor(Qt::lightGray) << QColor(0x40, 0x40, 0x40);
        QTest::newRow("command") << ">op model ?" << true << QColor("gold") << QColor("#a0008c");
        QTest::newRow("answer") << "<<<OP MODEL=KX4410Q" << true << QColor(Qt::lightGray) << QColor(0x40, 0x40, 0x40);
        QTest::newRow("failure, even with timing hidden")
            << "!127.0.0.9 refused: op model ?" << false << QColor("orange") << QColor("#c04000");
    }

    void consoleFilterAndColours()
    {
        QFETCH(QString, line);
        QFETCH(bool, showTcp);
        QFETCH(QColor, dark);
        QFETCH(QColor, light);
        for (const bool darkStyle : {true, false}) {
            const QColor colour = darkStyle ? dark : light;
            ConsoleLogRules rules(darkStyle, mDir->path());
            rules.setShowTcpTraffic(showTcp);
            const ConsoleLogRules::Decision decision = rules.process(line);
            QCOMPARE(decision.show, colour.isValid());
            QCOMPARE(decision.colour, colour);
            QVERIFY(decision.taskLogStamp.isEmpty());
            // Shown lines belong to the running task's log, dropped ones do not.
            QCOMPARE(rules.taskLogLines(), colour.isValid() ? QStringList{line} : QStringList());
        }
    }

    void consoleShowsOnlyTheLastEndLineOfATask()
    {
        for (const QString &endLine :
             {QStringLiteral("--- <END> ---@14:03:07.250"), QStringLiteral("--- <END>TimeOut ---@14:03:07.250")}) {
            ConsoleLogRules rules(true, mDir->path());
            // The task starter: one pending stamp per projector, fresh task log.
            rules.process(QStringLiteral("from an earlier task"));
            rules.addPendingTasks(QTime(14, 3, 7, 250), 3);
            rules.clearTaskLines();
            QStringList shown;
            for (int projector = 0; projector < 3; ++projector) {
                for (const QString &line : {QStringLiteral(">op status ?"), QStringLiteral("<<<OP STATUS=2")}) {
                    QVERIFY(rules.process(line).show);
                    shown.append(line);
                }
                const ConsoleLogRules::Decision end = rules.process(endLine);
                QCOMPARE(end.show, projector == 2);
                QCOMPARE(end.taskLogStamp, projector == 2 ? QStringLiteral("140307.250") : QString());
            }
            shown.append(endLine);
            QVERIFY(rules.pendingStamps().isEmpty());
            QCOMPARE(rules.taskLogLines(), shown);

            // The window saves the task log on the decision's stamp, CR LF ended.
            QVERIFY(rules.saveTaskLog(QStringLiteral("140307.250"), QDate(2024, 3, 5)));
            QCOMPARE(QDir(mDir->path()).entryList(QDir::Files), QStringList{"240305_140307.250.tasklog.txt"});
            QCOMPARE(TestFiles::read(mDir->filePath(QStringLiteral("240305_140307.250.tasklog.txt"))),
                     (shown.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        }
    }

    void consoleHidesEndLineWithoutPendingStamp_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("empty stamp (single command time-out)") << "--- <END>TimeOut ---@";
        QTest::newRow("unknown stamp") << "--- <END> ---@10:11:12.013";
    }

    void consoleHidesEndLineWithoutPendingStamp()
    {
        QFETCH(QString, line);
        ConsoleLogRules rules(false, mDir->path());
        rules.addPendingTasks(QTime(8, 0), 1);
        for (int attempt = 0; attempt < 2; ++attempt) {
            const ConsoleLogRules::Decision decision = rules.process(line);
            QVERIFY(!decision.show && decision.taskLogStamp.isEmpty());
        }
        QVERIFY(rules.taskLogLines().isEmpty());
        QCOMPARE(rules.pendingStamps(), QList<QTime>{QTime(8, 0)});
    }

    void consoleFilesReplaceLongerFiles()
    {
        const QString path = mDir->filePath(QStringLiteral("NoNameLog.txt"));
        QVERIFY(TestFiles::write(path, QByteArray(4096, 'o')));
        QVERIFY(ConsoleLogRules::writeLines(path, {QStringLiteral("one"), QString(), QStringLiteral("drei ü")}));
        QCOMPARE(TestFiles::read(path), QByteArray("one\r\n\r\ndrei \xc3\xbc\r\n"));

        // "Save Log As" writes the console text as it is.
        const QString saved = mDir->filePath(QStringLiteral("240305_060708.009.night.log.txt"));
        QVERIFY(TestFiles::write(saved, QByteArray(4096, 'o')));
        const QDateTime now(QDate(2024, 3, 5), QTime(6, 7, 8, 9));
        QVERIFY(ConsoleLogRules(false, mDir->path()).saveLogAs(QStringLiteral("night"), QStringLiteral("a\nü"), now));
        QCOMPARE(TestFiles::read(saved), QByteArray("a\n\xc3\xbc"));
    }

    void consoleUnwritablePathFails_data() { addObstacles(); }

    void consoleUnwritablePathFails()
    {
        QFETCH(QString, obstacle);
        const QString path = blockedPath(*mDir, obstacle, QStringLiteral("240305_140307.250.tasklog.txt"));
        QVERIFY(!ConsoleLogRules::writeLines(path, {QStringLiteral("x")}));
        QVERIFY(!ConsoleLogRules::writeText(path, QStringLiteral("x")));
        ConsoleLogRules rules(false, QFileInfo(path).path());
        rules.process(QStringLiteral("a line"));
        QVERIFY(!rules.saveTaskLog(QStringLiteral("140307.250"), QDate(2024, 3, 5)));
        // The lines are still there for a later attempt.
        QCOMPARE(rules.taskLogLines(), QStringList{QStringLiteral("a line")});
        QCOMPARE(QFileInfo(path).isDir(), obstacle == QLatin1String("folder"));
    }
};

ORV_TEST_GUILESS_MAIN(TestOrvLog)
#include "tst_orvlog.moc"
