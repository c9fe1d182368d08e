// The console log without its widget: filtering, colours, task ends and the
// files it is saved to.
#include "app/consolelogrules.h"
#include "app/orvlog/OrvLog.h"

#include "recordingdestination.h"
#include "tests/common/testenvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace OrvLogging;

namespace {

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

const QColor Gold(QStringLiteral("gold"));
const QColor Magenta(QStringLiteral("magenta"));
const QColor Cyan(QStringLiteral("cyan"));
const QColor Blue(QStringLiteral("blue"));
const QColor LightGrey(Qt::lightGray);
const QColor DarkGrey(Qt::darkGray);

} // namespace

class TestConsoleLogRules : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filterAndColours_data();
    void filterAndColours();
    void onlyTheLastEndLineOfATaskIsShown_data();
    void onlyTheLastEndLineOfATaskIsShown();
    void interleavedTasksEndSeparately();
    void endLineWithoutPendingStampIsHidden_data();
    void endLineWithoutPendingStampIsHidden();
    void endLineWithoutStampIsAnOrdinaryLine();
    void droppedTimingLineKeepsItsTaskPending();
    void clearingTheConsoleKeepsTaskLines();
    void fileNames();
    void saveLogAsWritesConsoleText();
    void writeLinesEndsEveryLineWithCrLf();
    void existingLongerFileIsReplaced_data();
    void existingLongerFileIsReplaced();
    void unwritablePathFails_data();
    void unwritablePathFails();

private:
    QStringList debugMessages() const;

    QScopedPointer<QTemporaryDir> mDir;
    QSharedPointer<RecordingDestination> mRecorder;
};

void TestConsoleLogRules::init()
{
    mDir.reset(new QTemporaryDir);
    QVERIFY(mDir->isValid());
    mRecorder = QSharedPointer<RecordingDestination>::create();
    Logger::instance().setLoggingLevel(TraceLevel);
    Logger::instance().addDestination(mRecorder);
}

void TestConsoleLogRules::cleanup()
{
    Logger::instance().removeDestination(mRecorder);
    mRecorder.reset();
    mDir.reset();
}

QStringList TestConsoleLogRules::debugMessages() const
{
    // "DEBUG hh:mm:ss.zzz <file>@<line> <items>": keep the items only.
    QStringList messages;
    const QStringList lines = mRecorder->lines();
    for (const QString &line : lines) {
        if (!line.startsWith(QStringLiteral("DEBUG ")))
            continue;
        messages.append(line.section(QLatin1Char(' '), 3));
    }
    return messages;
}

void TestConsoleLogRules::filterAndColours_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("showTcp");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QColor>("colour");

    const QString timing = QStringLiteral("TCP:3f2c Cmd:0 Time:41ms");
    QTest::newRow("timing hidden, dark") << timing << true << false << false << QColor();
    QTest::newRow("timing hidden, light") << timing << false << false << false << QColor();
    QTest::newRow("timing shown, dark") << timing << true << true << true << Cyan;
    QTest::newRow("timing shown, light") << timing << false << true << true << Blue;
    QTest::newRow("total timing hidden") << "TCP:3f2c Cmds:3 TotalTime:120ms---" << false << false << false << QColor();
    QTest::newRow("lower-case tcp is not timing") << "tcp: no timing" << false << false << true << DarkGrey;
    QTest::newRow("TCP without colon") << "TCP link up" << true << false << true << LightGrey;
    QTest::newRow("TCP: not at the start") << " TCP:3f2c" << true << false << true << LightGrey;
    QTest::newRow("command, dark") << ">op model ?" << true << false << true << Gold;
    QTest::newRow("command, light") << ">op model ?" << false << true << true << Magenta;
    QTest::newRow("answer, dark") << "<<<OP MODEL=KX4410Q" << true << false << true << LightGrey;
    QTest::newRow("answer, light") << "<<<OP MODEL=KX4410Q" << false << false << true << DarkGrey;
    QTest::newRow("empty, light") << "" << false << false << true << DarkGrey;
}

void TestConsoleLogRules::filterAndColours()
{
    QFETCH(QString, line);
    QFETCH(bool, dark);
    QFETCH(bool, showTcp);
    QFETCH(bool, shown);
    QFETCH(QColor, colour);

    ConsoleLogRules rules(dark, mDir->path());
    QCOMPARE(rules.darkStyle(), dark);
    rules.setShowTcpTraffic(showTcp);
    QCOMPARE(rules.showTcpTraffic(), showTcp);

    const ConsoleLogRules::Decision decision = rules.process(line);
    QCOMPARE(decision.show, shown);
    if (shown)
        QCOMPARE(decision.colour, colour);
    QVERIFY(decision.taskLogStamp.isEmpty());
    // What is shown belongs to the running task's log; what is dropped does not.
    QCOMPARE(rules.taskLogLines(), shown ? QStringList{line} : QStringList());
}

void TestConsoleLogRules::onlyTheLastEndLineOfATaskIsShown_data()
{
    QTest::addColumn<QString>("endLine");
    QTest::newRow("normal end") << "--- <END> ---@14:03:07.250";
    QTest::newRow("time-out end") << "--- <END>TimeOut ---@14:03:07.250";
}

void TestConsoleLogRules::onlyTheLastEndLineOfATaskIsShown()
{
    QFETCH(QString, endLine);
    ConsoleLogRules rules(true, mDir->path());
    const QTime stamp(14, 3, 7, 250);

    // The task starter: one pending stamp per projector, fresh task log.
    rules.process(QStringLiteral("from an earlier task"));
    rules.addPendingTasks(stamp, 3);
    rules.clearTaskLines();
    QCOMPARE(rules.pendingStamps(), (QList<QTime>{stamp, stamp, stamp}));

    QStringList shownLines;
    const QStringList sessionLines = {QStringLiteral(">op status ?"), QStringLiteral("<<127.0.0.2"),
                                      QStringLiteral("<<<OP STATUS=2")};
    for (int projector = 0; projector < 3; ++projector) {
        for (const QString &line : sessionLines) {
            QVERIFY(rules.process(line).show);
            shownLines.append(line);
        }
        const ConsoleLogRules::Decision end = rules.process(endLine);
        if (projector < 2) {
            QVERIFY(!end.show);
            QVERIFY(end.taskLogStamp.isEmpty());
            QCOMPARE(rules.pendingStamps().size(), 2 - projector);
        } else {
            QVERIFY(end.show);
            QCOMPARE(end.colour, LightGrey);
            QCOMPARE(end.taskLogStamp, QStringLiteral("140307.250"));
            shownLines.append(endLine);
        }
    }
    QVERIFY(rules.pendingStamps().isEmpty());
    QCOMPARE(rules.taskLogLines(), shownLines);

    const QString removed = QStringLiteral("Removed One listTask QTime(\"14:03:07.250\") ");
    QCOMPARE(debugMessages(), (QStringList{removed, removed, removed, QStringLiteral("No More listTask ")}));

    // The window saves the task log on the decision's stamp.
    QVERIFY(rules.saveTaskLog(QStringLiteral("140307.250"), QDate(2024, 3, 5)));
    const QString path = mDir->filePath(QStringLiteral("240305_140307.250.tasklog.txt"));
    QCOMPARE(readFile(path), (shownLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
    QVERIFY(debugMessages().last().contains(QStringLiteral("240305_140307.250.tasklog.txt")));
}

void TestConsoleLogRules::interleavedTasksEndSeparately()
{
    ConsoleLogRules rules(false, mDir->path());
    const QTime first(9, 0, 0, 1);
    const QTime second(9, 0, 0, 2);
    rules.addPendingTasks(first, 2);
    rules.addPendingTasks(second, 2);
    const QString endFirst = QStringLiteral("--- <END> ---@09:00:00.001");
    const QString endSecond = QStringLiteral("--- <END> ---@09:00:00.002");

    QVERIFY(!rules.process(endSecond).show);
    QVERIFY(!rules.process(endFirst).show);
    QCOMPARE(rules.pendingStamps(), (QList<QTime>{first, second}));
    const ConsoleLogRules::Decision firstDone = rules.process(endFirst);
    QVERIFY(firstDone.show);
    QCOMPARE(firstDone.colour, DarkGrey);
    QCOMPARE(firstDone.taskLogStamp, QStringLiteral("090000.001"));
    QCOMPARE(rules.pendingStamps(), QList<QTime>{second});
    QCOMPARE(rules.process(endSecond).taskLogStamp, QStringLiteral("090000.002"));
    QVERIFY(rules.pendingStamps().isEmpty());
}

void TestConsoleLogRules::endLineWithoutPendingStampIsHidden_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("single command time-out") << "--- <END>TimeOut ---@";
    QTest::newRow("unknown stamp") << "--- <END> ---@10:11:12.013";
    QTest::newRow("unreadable stamp") << "--- <END> ---@soon";
    QTest::newRow("stamp with trailing text") << "--- <END> ---@08:00:00.000 late";
}

void TestConsoleLogRules::endLineWithoutPendingStampIsHidden()
{
    QFETCH(QString, line);
    ConsoleLogRules rules(false, mDir->path());
    const QTime pending(8, 0, 0, 0);
    rules.addPendingTasks(pending, 1);

    const ConsoleLogRules::Decision decision = rules.process(line);
    QVERIFY(!decision.show);
    QVERIFY(decision.taskLogStamp.isEmpty());
    QVERIFY(rules.taskLogLines().isEmpty());
    QCOMPARE(rules.pendingStamps(), QList<QTime>{pending});
    QCOMPARE(debugMessages().size(), 1);
    QVERIFY2(debugMessages().first().startsWith(QStringLiteral("No Stamp Found! QTime(")),
             qPrintable(debugMessages().first()));
}

void TestConsoleLogRules::endLineWithoutStampIsAnOrdinaryLine()
{
    ConsoleLogRules rules(true, mDir->path());
    rules.addPendingTasks(QTime(8, 0), 1);
    const ConsoleLogRules::Decision decision = rules.process(QStringLiteral("--- <END> ---"));
    QVERIFY(decision.show);
    QCOMPARE(decision.colour, LightGrey);
    QVERIFY(decision.taskLogStamp.isEmpty());
    QCOMPARE(rules.pendingStamps().size(), 1);
    QVERIFY(debugMessages().isEmpty());
}

void TestConsoleLogRules::droppedTimingLineKeepsItsTaskPending()
{
    // The timing filter comes first: a dropped line never ends a task.
    ConsoleLogRules rules(false, mDir->path());
    rules.addPendingTasks(QTime(8, 0), 1);
    QVERIFY(!rules.process(QStringLiteral("TCP: <END>@08:00:00.000")).show);
    QCOMPARE(rules.pendingStamps().size(), 1);
    rules.setShowTcpTraffic(true);
    const ConsoleLogRules::Decision decision = rules.process(QStringLiteral("TCP: <END>@08:00:00.000"));
    QVERIFY(decision.show);
    QCOMPARE(decision.colour, Blue);
    QCOMPARE(decision.taskLogStamp, QStringLiteral("080000.000"));
}

void TestConsoleLogRules::clearingTheConsoleKeepsTaskLines()
{
    ConsoleLogRules rules(false, mDir->path());
    const QTime stamp(23, 59, 59, 999);
    rules.addPendingTasks(stamp, 2);
    rules.clearTaskLines();
    rules.process(QStringLiteral(">op power ?"));
    rules.process(QStringLiteral("--- <END> ---@23:59:59.999"));
    // The operator clears the console widget here; the rules are not told.
    rules.process(QStringLiteral(">op power ?"));
    const ConsoleLogRules::Decision end = rules.process(QStringLiteral("--- <END> ---@23:59:59.999"));
    QCOMPARE(end.taskLogStamp, QStringLiteral("235959.999"));
    QCOMPARE(rules.taskLogLines(), (QStringList{QStringLiteral(">op power ?"), QStringLiteral(">op power ?"),
                                                QStringLiteral("--- <END> ---@23:59:59.999")}));
    QVERIFY(rules.saveTaskLog(end.taskLogStamp, QDate(2023, 12, 31)));
    QCOMPARE(readFile(rules.taskLogPath(end.taskLogStamp, QDate(2023, 12, 31))),
             QByteArray(">op power ?\r\n>op power ?\r\n--- <END> ---@23:59:59.999\r\n"));

    // Starting the next task empties the lines but not other tasks' stamps.
    rules.addPendingTasks(QTime(1, 0), 1);
    rules.clearTaskLines();
    QVERIFY(rules.taskLogLines().isEmpty());
    QCOMPARE(rules.pendingStamps().size(), 1);
}

void TestConsoleLogRules::fileNames()
{
    ConsoleLogRules rules;
    rules.setUserDataFolder(QStringLiteral("/data/Orvanto"));
    QCOMPARE(rules.userDataFolder(), QStringLiteral("/data/Orvanto"));
    rules.setDarkStyle(true);
    QVERIFY(rules.darkStyle());

    QCOMPARE(rules.taskLogPath(QStringLiteral("140307.250"), QDate(2024, 3, 5)),
             QStringLiteral("/data/Orvanto/240305_140307.250.tasklog.txt"));
    QCOMPARE(rules.taskLogPath(QStringLiteral("000000.000"), QDate(2031, 11, 9)),
             QStringLiteral("/data/Orvanto/311109_000000.000.tasklog.txt"));
    QCOMPARE(rules.savedLogPath(QStringLiteral("nightly"), QDateTime(QDate(2024, 3, 5), QTime(14, 3, 7, 250))),
             QStringLiteral("/data/Orvanto/240305_140307.250.nightly.log.txt"));
    QCOMPARE(rules.savedLogPath(QString(), QDateTime(QDate(2025, 1, 2), QTime(9, 8, 7, 6))),
             QStringLiteral("/data/Orvanto/250102_090807.006..log.txt"));
}

void TestConsoleLogRules::saveLogAsWritesConsoleText()
{
    ConsoleLogRules rules(false, mDir->path());
    const QString console = QStringLiteral(">op model ?\n<<<OP MODEL=KX4410Q\nGrüße");
    const QDateTime now(QDate(2024, 3, 5), QTime(6, 7, 8, 9));
    QVERIFY(rules.saveLogAs(QStringLiteral("fromScript"), console, now));
    const QString path = mDir->filePath(QStringLiteral("240305_060708.009.fromScript.log.txt"));
    QCOMPARE(readFile(path), console.toUtf8());
    QVERIFY(debugMessages().last().contains(path));
}

void TestConsoleLogRules::writeLinesEndsEveryLineWithCrLf()
{
    const QString path = mDir->filePath(QStringLiteral("lines.txt"));
    QVERIFY(ConsoleLogRules::writeLines(path, {QStringLiteral("one"), QString(), QStringLiteral("drei ü")}));
    QCOMPARE(readFile(path), QByteArray("one\r\n\r\ndrei \xc3\xbc\r\n"));
    QVERIFY(ConsoleLogRules::writeLines(path, {}));
    QCOMPARE(readFile(path), QByteArray());
    QVERIFY(QFile::exists(path));
}

void TestConsoleLogRules::existingLongerFileIsReplaced_data()
{
    QTest::addColumn<bool>("asLines");
    QTest::newRow("lines") << true;
    QTest::newRow("text") << false;
}

void TestConsoleLogRules::existingLongerFileIsReplaced()
{
    QFETCH(bool, asLines);
    const QString path = mDir->filePath(QStringLiteral("NoNameLog.txt"));
    QVERIFY(writeFile(path, QByteArray(4096, 'o')));
    const bool ok = asLines ? ConsoleLogRules::writeLines(path, {QStringLiteral("short")})
                            : ConsoleLogRules::writeText(path, QStringLiteral("short"));
    QVERIFY(ok);
    QCOMPARE(readFile(path), asLines ? QByteArray("short\r\n") : QByteArray("short"));
}

void TestConsoleLogRules::unwritablePathFails_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("folder in the way") << "folder";
    QTest::newRow("parent is a file") << "file";
    QTest::newRow("missing folder") << "missing";
}

void TestConsoleLogRules::unwritablePathFails()
{
    QFETCH(QString, obstacle);
    QString folder = mDir->path();
    QString path = mDir->filePath(QStringLiteral("240305_140307.250.tasklog.txt"));
    if (obstacle == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    } else if (obstacle == QLatin1String("file")) {
        folder = mDir->filePath(QStringLiteral("plain"));
        QVERIFY(writeFile(folder, "not a folder"));
        path = folder + QStringLiteral("/240305_140307.250.tasklog.txt");
    } else {
        folder = mDir->filePath(QStringLiteral("gone"));
        path = folder + QStringLiteral("/240305_140307.250.tasklog.txt");
    }

    QVERIFY(!ConsoleLogRules::writeLines(path, {QStringLiteral("x")}));
    QVERIFY(!ConsoleLogRules::writeText(path, QStringLiteral("x")));

    ConsoleLogRules rules(false, folder);
    rules.process(QStringLiteral("a line"));
    QVERIFY(!rules.saveTaskLog(QStringLiteral("140307.250"), QDate(2024, 3, 5)));
    QVERIFY(!rules.saveLogAs(QStringLiteral("x"), QStringLiteral("text"), QDateTime::currentDateTime()) ||
            obstacle == QLatin1String("folder")); // only the task-log name is blocked by the folder
    // Nothing else changed: the lines are still there for a later attempt.
    QCOMPARE(rules.taskLogLines(), QStringList{QStringLiteral("a line")});
    if (obstacle == QLatin1String("folder"))
        QVERIFY(QFileInfo(path).isDir());
    else
        QVERIFY(!QFile::exists(path));
}

ORV_TEST_GUILESS_MAIN(TestConsoleLogRules)
#include "tst_consolelogrules.moc"
