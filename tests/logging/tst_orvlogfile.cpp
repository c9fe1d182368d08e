// The log file: appending, UTF-8, size accounting and rotation, and what
// happens when the file cannot be opened.
#include "app/orvlog/OrvLog.h"
#include "app/orvlog/filedestination.h"
#include "app/orvlog/sizerotationstrategy.h"

#include "recordingdestination.h"
#include "stderrcapture.h"
#include "tests/common/testenvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace OrvLogging;

namespace {

#ifdef Q_OS_WIN
const QByteArray Eol("\r\n");
#else
const QByteArray Eol("\n");
#endif

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
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

} // namespace

class TestOrvLogFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesUtf8LinesAndFlushesEach();
    void rotatesBeforeTheOverflowingLine();
    void rotatesOnlyWhenStrictlyGreater();
    void countRestartsFromReopenedFile();
    void countsUtf8Bytes();
    void countStartsAtExistingSize();
    void keepsAtMostThreeFiles();
    void noBackupsDeletesTheFile();
    void backupCountIsClamped_data();
    void backupCountIsClamped();
    void shiftStopsAtFirstMissingBackup();
    void staleBackupBeyondCountIsLeftAlone();
    void appendsOnRestart();
    void withoutRotationTruncatesAndGrows();
    void unopenableFileIsHarmless_data();
    void unopenableFileIsHarmless();
    void failedRenamesAreReported();
    void failedDeleteAndReopenAreReported();

private:
    QString logPath() const { return mDir->filePath(QStringLiteral("OrvantoLOG.log")); }
    QString backup(int k) const { return logPath() + QLatin1Char('.') + QString::number(k); }

    QScopedPointer<QTemporaryDir> mDir;
};

void TestOrvLogFile::init()
{
    mDir.reset(new QTemporaryDir);
    QVERIFY(mDir->isValid());
}

void TestOrvLogFile::cleanup()
{
    mDir.reset();
}

void TestOrvLogFile::writesUtf8LinesAndFlushesEach()
{
    const DestinationPtr file =
        DestinationFactory::MakeFileDestination(logPath(), EnableLogRotation, MaxSizeBytes(524288), MaxOldLogCount(2));
    QCOMPARE(file->type(), QStringLiteral("file"));
    QVERIFY(file->isValid());
    QCOMPARE(static_cast<FileDestination *>(file.data())->filePath(), logPath());

    const QString text = QStringLiteral("INFO  12:00:00.000 Grüße ✓ ");
    file->write(text, InfoLevel);
    // Still open: the bytes must already be on disk.
    QCOMPARE(readFile(logPath()), text.toUtf8() + Eol);
    file->write(QStringLiteral("second"), ErrorLevel);
    QCOMPARE(readFile(logPath()), text.toUtf8() + Eol + "second" + Eol);
}

void TestOrvLogFile::rotatesBeforeTheOverflowingLine()
{
    const qint64 maxSize = 1000;
    const QByteArray current = QByteArray(maxSize - 88 - 1, 'c') + '\n';
    QCOMPARE(current.size(), maxSize - 88);
    QVERIFY(writeFile(logPath(), current));
    QVERIFY(writeFile(backup(1), "previous run\n"));

    const DestinationPtr file = rotatingFile(logPath(), maxSize, 2);
    const QString line(100, QLatin1Char('L'));
    file->write(line, InfoLevel);

    QCOMPARE(readFile(logPath()), line.toUtf8() + Eol);
    QCOMPARE(readFile(backup(1)), current);
    QCOMPARE(readFile(backup(2)), QByteArray("previous run\n"));
    QVERIFY(!QFile::exists(backup(3)));
}

void TestOrvLogFile::rotatesOnlyWhenStrictlyGreater()
{
    const DestinationPtr file = rotatingFile(logPath(), 200, 2);
    const QString hundred(100, QLatin1Char('a'));
    file->write(hundred, InfoLevel);
    file->write(hundred, InfoLevel); // counted 200: equal is not over
    QVERIFY(!QFile::exists(backup(1)));
    QCOMPARE(readFile(logPath()), hundred.toUtf8() + Eol + hundred.toUtf8() + Eol);

    file->write(QStringLiteral("b"), InfoLevel); // 201
    QCOMPARE(readFile(backup(1)), hundred.toUtf8() + Eol + hundred.toUtf8() + Eol);
    QCOMPARE(readFile(logPath()), QByteArray("b") + Eol);
}

void TestOrvLogFile::countRestartsFromReopenedFile()
{
    // The line that caused the rotation is written into the fresh file but not
    // counted: the count is the reopened (empty) file's size.
    const DestinationPtr file = rotatingFile(logPath(), 200, 1);
    const QString big(250, QLatin1Char('A'));
    const QString hundred(100, QLatin1Char('B'));
    file->write(big, InfoLevel);
    QVERIFY(QFile::exists(backup(1)));
    QCOMPARE(readFile(backup(1)), QByteArray());
    file->write(hundred, InfoLevel);
    file->write(hundred, InfoLevel);
    const QByteArray threeLines = big.toUtf8() + Eol + hundred.toUtf8() + Eol + hundred.toUtf8() + Eol;
    QCOMPARE(readFile(logPath()), threeLines);
    QCOMPARE(readFile(backup(1)), QByteArray());

    file->write(QStringLiteral("C"), InfoLevel);
    QCOMPARE(readFile(backup(1)), threeLines);
    QCOMPARE(readFile(logPath()), QByteArray("C") + Eol);
}

void TestOrvLogFile::countsUtf8Bytes()
{
    SizeRotationStrategy strategy;
    strategy.includeMessageInCalculation(QString(50, QChar(0x00FC))); // ü: two bytes each
    QCOMPARE(strategy.currentSizeInBytes(), qint64(100));

    const DestinationPtr file = rotatingFile(logPath(), 120, 1);
    const QString umlauts(50, QChar(0x00FC));
    file->write(umlauts, InfoLevel);
    file->write(QString(25, QLatin1Char('a')), InfoLevel); // 125 bytes, though only 75 characters
    QCOMPARE(readFile(backup(1)), umlauts.toUtf8() + Eol);
    QCOMPARE(readFile(logPath()), QByteArray(25, 'a') + Eol);
}

void TestOrvLogFile::countStartsAtExistingSize()
{
    const QByteArray earlier = QByteArray(149, 'e') + '\n';
    QVERIFY(writeFile(logPath(), earlier));
    const DestinationPtr file = rotatingFile(logPath(), 200, 1);
    file->write(QString(60, QLatin1Char('n')), InfoLevel); // 150 + 60 > 200
    QCOMPARE(readFile(backup(1)), earlier);
    QCOMPARE(readFile(logPath()), QByteArray(60, 'n') + Eol);
}

void TestOrvLogFile::keepsAtMostThreeFiles()
{
    const DestinationPtr file = rotatingFile(logPath(), 200, 2);
    const int total = 40;
    for (int n = 1; n <= total; ++n)
        file->write(numbered(n, 60), InfoLevel);

    QVERIFY(QFile::exists(logPath()));
    QVERIFY(QFile::exists(backup(1)));
    QVERIFY(QFile::exists(backup(2)));
    QVERIFY(!QFile::exists(backup(3)));
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files).size(), 3);

    // Oldest to newest, the three files hold an unbroken run ending with the
    // last line; everything before it was dropped.
    const QByteArray all = readFile(backup(2)) + readFile(backup(1)) + readFile(logPath());
    const QList<QByteArray> lines = all.split('\n');
    QVERIFY(lines.last().isEmpty());
    const int kept = lines.size() - 1;
    QVERIFY(kept > 3 && kept < total);
    for (int i = 0; i < kept; ++i)
        QCOMPARE(QString::fromUtf8(lines.at(i)).trimmed(), numbered(total - kept + 1 + i, 60));
    // Each file holds three 60-byte lines at most before it overflows 200.
    QVERIFY(readFile(logPath()).size() <= 4 * (60 + Eol.size()));
}

void TestOrvLogFile::noBackupsDeletesTheFile()
{
    const DestinationPtr file = rotatingFile(logPath(), 100, 0);
    for (int n = 1; n <= 9; ++n)
        file->write(numbered(n, 60), InfoLevel);
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files), QStringList{QStringLiteral("OrvantoLOG.log")});
    // Every even line overflows (60 + 60 > 100) and starts a fresh file;
    // the odd line after it is counted from zero and fits.
    QCOMPARE(readFile(logPath()), numbered(8, 60).toUtf8() + Eol + numbered(9, 60).toUtf8() + Eol);
}

void TestOrvLogFile::backupCountIsClamped_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("kept");
    QTest::newRow("within") << 3 << 3;
    QTest::newRow("limit") << 10 << 10;
    QTest::newRow("above") << 15 << 10;
    QTest::newRow("negative") << -3 << 0;
}

void TestOrvLogFile::backupCountIsClamped()
{
    QFETCH(int, requested);
    QFETCH(int, kept);

    SizeRotationStrategy strategy;
    strategy.setBackupCount(requested);
    QCOMPARE(strategy.backupCount(), kept);

    // Lines longer than the maximum: every line rotates first, so every file
    // holds exactly one line and file k holds the k-th newest but one.
    const DestinationPtr file = rotatingFile(logPath(), 10, requested);
    const int total = 15;
    for (int n = 1; n <= total; ++n)
        file->write(numbered(n, 20), InfoLevel);

    QCOMPARE(readFile(logPath()), numbered(total, 20).toUtf8() + Eol);
    for (int k = 1; k <= kept; ++k)
        QCOMPARE(readFile(backup(k)), numbered(total - k, 20).toUtf8() + Eol);
    QVERIFY(!QFile::exists(backup(kept + 1)));
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files).size(), kept + 1);
}

void TestOrvLogFile::shiftStopsAtFirstMissingBackup()
{
    QVERIFY(writeFile(logPath(), "current\n"));
    QVERIFY(writeFile(backup(1), "one\n"));
    QVERIFY(writeFile(backup(3), "three\n")); // no .2: .3 is not part of the run
    const DestinationPtr file = rotatingFile(logPath(), 0, 5);
    file->write(QStringLiteral("new"), InfoLevel);

    QCOMPARE(readFile(logPath()), QByteArray("new") + Eol);
    QCOMPARE(readFile(backup(1)), QByteArray("current\n"));
    QCOMPARE(readFile(backup(2)), QByteArray("one\n"));
    QCOMPARE(readFile(backup(3)), QByteArray("three\n"));
    QVERIFY(!QFile::exists(backup(4)));
}

void TestOrvLogFile::staleBackupBeyondCountIsLeftAlone()
{
    QVERIFY(writeFile(logPath(), "current\n"));
    QVERIFY(writeFile(backup(1), "one\n"));
    QVERIFY(writeFile(backup(2), "two\n"));
    QVERIFY(writeFile(backup(3), "from a run with more backups\n"));
    const DestinationPtr file = rotatingFile(logPath(), 0, 2);
    file->write(QStringLiteral("new"), InfoLevel);

    QCOMPARE(readFile(logPath()), QByteArray("new") + Eol);
    QCOMPARE(readFile(backup(1)), QByteArray("current\n"));
    QCOMPARE(readFile(backup(2)), QByteArray("one\n"));
    QCOMPARE(readFile(backup(3)), QByteArray("from a run with more backups\n"));
}

void TestOrvLogFile::appendsOnRestart()
{
    Logger &logger = Logger::instance();
    logger.setLoggingLevel(TraceLevel);

    DestinationPtr firstRun =
        DestinationFactory::MakeFileDestination(logPath(), EnableLogRotation, MaxSizeBytes(524288), MaxOldLogCount(2));
    logger.addDestination(firstRun);
    OLOG_INFO() << "first run";
    logger.removeDestination(firstRun);
    firstRun.reset(); // closes the file, as at the end of the process

    const DestinationPtr secondRun =
        DestinationFactory::MakeFileDestination(logPath(), EnableLogRotation, MaxSizeBytes(524288), MaxOldLogCount(2));
    logger.addDestination(secondRun);
    OLOG_DEBUG() << "second run";
    logger.removeDestination(secondRun);
    logger.setLoggingLevel(InfoLevel);

    const QList<QByteArray> lines = readFile(logPath()).split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).startsWith("INFO  "));
    QVERIFY(lines.at(0).trimmed().endsWith("first run"));
    QVERIFY(lines.at(1).startsWith("DEBUG "));
    QVERIFY(lines.at(1).trimmed().endsWith("second run"));
    QVERIFY(lines.at(2).isEmpty());
    QVERIFY(!QFile::exists(backup(1)));
}

void TestOrvLogFile::withoutRotationTruncatesAndGrows()
{
    QVERIFY(writeFile(logPath(), "left over from before\n"));
    const DestinationPtr file =
        DestinationFactory::MakeFileDestination(logPath(), DisableLogRotation, MaxSizeBytes(10), MaxOldLogCount(2));
    QVERIFY(file->isValid());
    QCOMPARE(readFile(logPath()), QByteArray());
    QByteArray expected;
    for (int n = 1; n <= 20; ++n) {
        file->write(numbered(n, 50), InfoLevel);
        expected += numbered(n, 50).toUtf8() + Eol;
    }
    QCOMPARE(readFile(logPath()), expected);
    QVERIFY(!QFile::exists(backup(1)));
}

void TestOrvLogFile::unopenableFileIsHarmless_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("folder in the way") << "folder";
    QTest::newRow("parent is a file") << "file";
    QTest::newRow("missing folder") << "missing";
}

void TestOrvLogFile::unopenableFileIsHarmless()
{
    QFETCH(QString, obstacle);
    QString path;
    if (obstacle == QLatin1String("folder")) {
        path = logPath();
        QVERIFY(QDir().mkpath(path + QStringLiteral("/keep")));
    } else if (obstacle == QLatin1String("file")) {
        const QString blocker = mDir->filePath(QStringLiteral("notAFolder"));
        QVERIFY(writeFile(blocker, "x"));
        path = blocker + QStringLiteral("/OrvantoLOG.log");
    } else {
        path = mDir->filePath(QStringLiteral("absent/OrvantoLOG.log"));
    }

    DestinationPtr broken;
    QByteArray errors;
    {
        StderrCapture capture;
        QVERIFY(capture.isActive());
        // Maximum 0: a counting destination would rotate on every line.
        broken = rotatingFile(path, 0, 2);
        errors = capture.stop();
    }
    QVERIFY2(errors.contains("OrvLog: could not open log file " + QFile::encodeName(path)), errors.constData());
    QVERIFY(!broken->isValid());

    auto recorder = QSharedPointer<RecordingDestination>::create();
    Logger &logger = Logger::instance();
    logger.addDestination(broken);
    logger.addDestination(recorder);
    OLOG_ERROR() << "still logged";
    OLOG_WARN() << "and again";
    logger.removeDestination(broken);
    logger.removeDestination(recorder);

    QCOMPARE(recorder->lines().size(), 2);
    QVERIFY(!broken->isValid());
    // Whatever stood in the way is untouched: nothing was renamed or created.
    if (obstacle == QLatin1String("folder")) {
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QFileInfo::exists(path + QStringLiteral("/keep")));
        QVERIFY(!QFile::exists(backup(1)));
    } else {
        QVERIFY(!QFile::exists(path));
    }
}

void TestOrvLogFile::failedRenamesAreReported()
{
    // A non-empty folder where a backup should go can be neither deleted nor
    // replaced, even by a privileged user.
    QVERIFY(writeFile(backup(1), "one\n"));
    QVERIFY(QDir().mkpath(backup(2) + QStringLiteral("/blocked")));
    const DestinationPtr file = rotatingFile(logPath(), 0, 2);
    QByteArray errors;
    {
        StderrCapture capture;
        file->write(QStringLiteral("first"), InfoLevel);
        errors = capture.stop();
    }
    QVERIFY2(errors.contains("OrvLog: could not rename backup " + QFile::encodeName(backup(1)) + " to " +
                             QFile::encodeName(backup(2))),
             errors.constData());
    // Logging goes on: .1 was cleared for the log itself.
    QCOMPARE(readFile(logPath()), QByteArray("first") + Eol);
    QVERIFY(QFileInfo(backup(2)).isDir());

    // Now the first backup slot is blocked: the log cannot move away and
    // keeps growing instead.
    QVERIFY(QFile::remove(backup(1)));
    QVERIFY(QDir().mkpath(backup(1) + QStringLiteral("/blocked")));
    {
        StderrCapture capture;
        file->write(QStringLiteral("second"), InfoLevel);
        errors = capture.stop();
    }
    QVERIFY2(errors.contains("OrvLog: could not rename log " + QFile::encodeName(logPath()) + " to " +
                             QFile::encodeName(backup(1))),
             errors.constData());
    QCOMPARE(readFile(logPath()), QByteArray("first") + Eol + "second" + Eol);
    QVERIFY(file->isValid());
}

void TestOrvLogFile::failedDeleteAndReopenAreReported()
{
    const DestinationPtr file = rotatingFile(logPath(), 100, 0);
    file->write(QStringLiteral("before"), InfoLevel);
    QVERIFY(file->isValid());

    // Someone replaces the log with a folder while it is open.
    QVERIFY(QFile::remove(logPath()));
    QVERIFY(QDir().mkpath(logPath() + QStringLiteral("/blocked")));

    QByteArray errors;
    {
        StderrCapture capture;
        file->write(QString(120, QLatin1Char('x')), InfoLevel);
        file->write(QStringLiteral("lost"), InfoLevel);
        errors = capture.stop();
    }
    const QByteArray name = QFile::encodeName(logPath());
    QVERIFY2(errors.contains("OrvLog: backup delete failed " + name), errors.constData());
    QVERIFY2(errors.contains("OrvLog: could not reopen log file " + name), errors.constData());
    // Reported once; the following line is silently lost.
    QCOMPARE(errors.count("OrvLog: could not reopen log file "), 1);
    QVERIFY(!file->isValid());
    QVERIFY(QFileInfo(logPath()).isDir());
}

ORV_TEST_GUILESS_MAIN(TestOrvLogFile)
#include "tst_orvlogfile.moc"
