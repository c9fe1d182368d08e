#include "automation/cronjobsfile.h"
#include "automation/crontimer.h"
#include "automation/scriptname.h"
#include "automation/tablemodelscheduler.h"
#include "automation/weekdayrule.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// 2026-12-07 is a Monday.
QDateTime at(int dayOffset, const QString &hhmmss)
{
    return QDateTime(QDate(2026, 12, 7).addDays(dayOffset), QTime::fromString(hhmmss, "hh:mm:ss"));
}

QByteArray csv(const QByteArray &body)
{
    return CronJobsFile::headerLine() + body;
}

// A job row as the file reader gives it: every column present.
QStringList padded(QStringList fields)
{
    while (fields.size() < CronJobsFile::ColumnCount)
        fields.append(QString());
    return fields;
}

// A check timer on clocks the test moves, and the runs it signals.
struct CronRig
{
    QDateTime now;
    qint64 monotonicMs = 0;
    CronTimer cron;
    QSignalSpy fired{&cron, &CronTimer::sigFireTask};
    QSignalSpy missed{&cron, &CronTimer::sigMissedTask};

    CronRig(const QDateTime &start, const QStringList &times, const QStringList &rules) : now(start)
    {
        cron.setClock([this] { return now; });
        cron.setMonotonicClock([this] { return monotonicMs; });
        cron.setJobs(times, rules);
    }
    // The wall clock moves to moment; real time passes as much (none when
    // the wall clock is set back).
    void checkAt(const QDateTime &moment)
    {
        monotonicMs += qMax<qint64>(0, now.msecsTo(moment));
        now = moment;
        cron.showTime();
    }
    // One check a second for the next seconds.
    void run(int seconds)
    {
        for (int s = 0; s < seconds; ++s)
            checkAt(now.addSecs(1));
    }
};

} // namespace

// The scheduler's rules: weekday rules, the one-second check, CronJobs.csv,
// the job table model and script names.
class TestSchedulerRules : public QObject
{
    Q_OBJECT

private slots:
    void weekdayRule_data();
    void weekdayRule();
    void ruleFromFlags();

    void dailyJobFiresOnceInItsMinute();
    void lateCheckStillFiresButOnlyOnce();
    void noFireForMomentsBeforeStartOrEdit();
    void lateRunsGoOldestFirstAcrossMidnight();
    void excludedDayNeitherFiresNorCounts();
    void periodicJobFiresEveryPeriodAndPausesOnExcludedDays();
    void periodsCountRealTimeAcrossSummerTimeEnd();
    void afterSleepMissedJobsAreReportedNotRun();
    void rowsMovedByInsertAndRemoveKeepTheirState();
    void countdownSignalsSecondsToRun();

    void parse_data();
    void parse();
    void decodesUtf8ElseLatin1();
    void boundedAgainstHugeAndBinaryFiles();
    void saveAndReloadKeepsJobs();

    void modelPassesTesterThroughEdits();

    void scriptName_data();
    void scriptName();
};

void TestSchedulerRules::weekdayRule_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("days"); // the included days, as digits
    QTest::newRow("star") << "*" << "1234567";
    QTest::newRow("star prefix") << "*anything" << "1234567";
    QTest::newRow("weekdays") << "1-5" << "12345";
    QTest::newRow("backwards range never") << "5-1" << "";
    QTest::newRow("list empty pieces") << ";2;;7;" << "27";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("two digits are not a list") << "13" << "";
    QTest::newRow("three pieces") << "1-3-5" << "";
    QTest::newRow("range then list") << "2-4;6" << "2346";
}

void TestSchedulerRules::weekdayRule()
{
    QFETCH(QString, rule);
    QFETCH(QString, days);
    QString included;
    for (int day = 1; day <= 7; ++day)
        if (WeekdayRule::includes(rule, day))
            included += QString::number(day);
    QCOMPARE(included, days);
}

void TestSchedulerRules::ruleFromFlags()
{
    QCOMPARE(WeekdayRule::fromFlags({true, false, true, false, false, false, false}), QString("1;3"));
    QCOMPARE(WeekdayRule::fromFlags(QVector<bool>(7, false)), QString());
    QVERIFY(!WeekdayRule::flagIsSet("0") && !WeekdayRule::flagIsSet("false") && !WeekdayRule::flagIsSet(" "));
    QVERIFY(WeekdayRule::flagIsSet("1") && WeekdayRule::flagIsSet("true") && WeekdayRule::flagIsSet("x"));
}

void TestSchedulerRules::dailyJobFiresOnceInItsMinute()
{
    CronRig rig(at(0, "08:29:57"), {"08:30", "08:30"}, {"1-5", "6-7"});
    rig.run(120);
    QCOMPARE(rig.fired.count(), 1);
    QCOMPARE(rig.fired.at(0).at(0).toInt(), 0);
}

void TestSchedulerRules::lateCheckStillFiresButOnlyOnce()
{
    // The check before 08:30 and the next one a few seconds after (a busy
    // event loop): the run is late, not lost.
    CronRig rig(at(1, "08:29:50"), {"08:30"}, {"1;2;3"});
    rig.cron.showTime();
    rig.checkAt(at(1, "08:30:12"));
    QCOMPARE(rig.fired.count(), 1);
    rig.checkAt(at(1, "08:30:42"));
    rig.checkAt(at(1, "08:29:30")); // the clock set back does not replay the minute
    rig.checkAt(at(1, "08:31:00"));
    QCOMPARE(rig.fired.count(), 1);
}

void TestSchedulerRules::noFireForMomentsBeforeStartOrEdit()
{
    CronRig rig(at(0, "08:30:20"), {"08:30", "09:00"}, {"1;2", "1;2"});
    rig.cron.showTime();
    QCOMPARE(rig.fired.count(), 0); // started after 08:30:00

    // Row 1 edited at 08:40 to 08:35: that moment is already past.
    rig.now = at(0, "08:40:00");
    rig.cron.setJobs({"08:30", "08:35"}, {"1;2", "1;2"});
    rig.checkAt(at(0, "08:40:01"));
    QCOMPARE(rig.fired.count(), 0);

    // Next day both run.
    for (QDateTime t = at(1, "08:29:00"); t <= at(1, "08:36:00"); t = t.addSecs(30))
        rig.checkAt(t);
    QCOMPARE(rig.fired.count(), 2);

    // A job started in its own second still runs, as it would have with a
    // clock that had been running.
    CronRig fresh(at(0, "10:00:00"), {"10:00"}, {"1"});
    fresh.cron.showTime();
    QCOMPARE(fresh.fired.count(), 1);
}

void TestSchedulerRules::lateRunsGoOldestFirstAcrossMidnight()
{
    // Checks at Monday 23:59:50 and Tuesday 00:00:10: Tuesday's midnight job
    // is 10 s late and runs; and Monday's 23:59:58 job (a period run out at
    // that moment) runs before it, whatever the row order.
    CronRig rig(at(0, "23:58:58"), {"00:00", "00:01"}, {"2", "*"});
    rig.checkAt(at(0, "23:59:50"));
    rig.checkAt(at(1, "00:00:10"));
    QCOMPARE(rig.fired.count(), 2);
    QCOMPARE(rig.fired.at(0).at(0).toInt(), 1);
    QCOMPARE(rig.fired.at(1).at(0).toInt(), 0);
}

void TestSchedulerRules::excludedDayNeitherFiresNorCounts()
{
    CronRig rig(at(5, "08:29:58"), {"08:30"}, {"1-5"}); // Saturday
    QSignalSpy counted(&rig.cron, &CronTimer::sigNowToSecs);
    QSignalSpy notToday(&rig.cron, &CronTimer::sigNotToday);
    rig.run(3);
    QCOMPARE(rig.fired.count(), 0);
    QCOMPARE(counted.count(), 0);
    QCOMPARE(notToday.count(), 3); // the table shows no countdown for it
}

void TestSchedulerRules::periodicJobFiresEveryPeriodAndPausesOnExcludedDays()
{
    CronRig rig(at(0, "10:00:00"), {"00:05", "00:05"}, {"*", "1;*"}); // every day; Mondays only
    QCOMPARE(rig.cron.countdown(0), 300);
    rig.run(900);
    QCOMPARE(rig.fired.count(), 6);

    // Monday's last minutes and Tuesday's first: a Monday-only job stops counting.
    CronRig paused(at(0, "23:58:00"), {"00:05"}, {"1;*"});
    paused.run(600);
    QCOMPARE(paused.cron.countdown(0), 181); // 119 s counted on Monday, then paused
    QCOMPARE(paused.fired.count(), 0);
}

void TestSchedulerRules::periodsCountRealTimeAcrossSummerTimeEnd()
{
    // Two real hours in which the wall clock goes from 02:00 to 03:00 twice.
    CronRig rig(at(6, "02:00:00"), {"00:05"}, {"*"});
    rig.run(3600);
    rig.now = rig.now.addSecs(-3600);
    rig.run(3600);
    QCOMPARE(rig.fired.count(), 24);
}

void TestSchedulerRules::afterSleepMissedJobsAreReportedNotRun()
{
    // Asleep from Monday 18:00 to Tuesday 08:00: neither the evening's off
    // nor the morning's on is run late; both are reported, oldest first.
    CronRig rig(at(0, "17:59:59"), {"07:00", "22:00"}, {"1-5", "1-5"});
    rig.checkAt(at(0, "18:00:00"));
    rig.checkAt(at(1, "08:00:00"));
    QCOMPARE(rig.fired.count(), 0);
    QCOMPARE(rig.missed.count(), 2);
    QCOMPARE(rig.missed.at(0), (QList<QVariant>{1, at(0, "22:00:00")}));
    QCOMPARE(rig.missed.at(1), (QList<QVariant>{0, at(1, "07:00:00")}));
    rig.run(120); // and nothing catches up later
    QCOMPARE(rig.fired.count(), 0);
}

void TestSchedulerRules::rowsMovedByInsertAndRemoveKeepTheirState()
{
    CronRig rig(at(0, "10:00:00"), {"08:00", "00:05"}, {"1", "*"});
    rig.run(100);
    rig.cron.removeRows(0, 1);
    rig.cron.setJobs({"00:05"}, {"*"});
    QCOMPARE(rig.cron.countdown(0), 200);
    rig.cron.insertRows(0, 1);
    rig.cron.setJobs({"00:05", "00:05"}, {"*", "*"});
    QCOMPARE(rig.cron.countdown(0), 300); // the new row starts counting now
    QCOMPARE(rig.cron.countdown(1), 200);
}

void TestSchedulerRules::countdownSignalsSecondsToRun()
{
    CronRig rig(at(0, "08:31:00"), {"08:30", "09:00", "bad", ""}, {"1", "1", "1", ""});
    QSignalSpy counted(&rig.cron, &CronTimer::sigNowToSecs);
    rig.cron.showTime();
    QCOMPARE(counted.count(), 3); // the empty rule never counts
    QCOMPARE(counted.at(0), (QList<QVariant>{0, -60}));
    QCOMPARE(counted.at(1), (QList<QVariant>{1, 29 * 60}));
    QCOMPARE(counted.at(2), (QList<QVariant>{2, -(8 * 3600 + 31 * 60)})); // unparsable time is 00:00
    QCOMPARE(rig.cron.countdown(0), -1);
}

void TestSchedulerRules::parse_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("firstJob");
    QTest::addColumn<int>("jobs");
    QTest::addColumn<QString>("warning"); // part of the first warning, empty: none

    const QStringList full{"a.js", "08:30", "1;3", "1", "0", "1", "0", "0", "0", "0", "Yes", "42"};
    const QStringList shortJob = padded({"c.js", "09:00"});
    QTest::newRow("job") << QByteArray("a.js,08:30,1;3,1,0,1,0,0,0,0,Yes,42\r\r\n") << full << 1 << QString();
    QTest::newRow("blanks collapse") << QByteArray("  a.js , 08:30,1;3,1,0,1,0,0,0,0,  Yes ,42\n\n") << full << 1
                                     << QString();
    QTest::newRow("twenty fields") << QByteArray("a.js,08:30,1;3,1,0,1,0,0,0,0,Yes,42,x,x,x,x,x,x,x,x\n") << full
                                   << 1 << QString("line 2: 20 fields");
    QTest::newRow("no name") << QByteArray(",08:30,1\nc.js,09:00\n") << shortJob << 1
                             << QString("line 2: no script name");
    QTest::newRow("control characters") << QByteArray("\x01\x02\x03,\x7f\nc.js,09:00\n") << shortJob << 1
                                        << QString("line 2: control characters");
    QTest::newRow("header only") << QByteArray() << QStringList() << 0 << QString();
}

void TestSchedulerRules::parse()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, firstJob);
    QFETCH(int, jobs);
    QFETCH(QString, warning);
    QStringList warnings;
    const QVector<QStringList> parsed = CronJobsFile::parse(CronJobsFile::decode(csv(body)), &warnings);
    QCOMPARE(parsed.size(), jobs);
    if (jobs > 0)
        QCOMPARE(parsed.first(), firstJob);
    if (warning.isEmpty())
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('|')));
    else
        QVERIFY2(warnings.value(0).startsWith(warning), qPrintable(warnings.join('|')));
}

void TestSchedulerRules::decodesUtf8ElseLatin1()
{
    QCOMPARE(CronJobsFile::parse(CronJobsFile::decode(csv("Caf\xc3\xa9.js,08:00\n"))).value(0).value(0),
             QString::fromUtf8("Caf\xc3\xa9.js"));
    QCOMPARE(CronJobsFile::parse(CronJobsFile::decode(csv("Caf\xe9.js,08:00\n"))).value(0).value(0),
             QString::fromUtf8("Caf\xc3\xa9.js"));
    // Text ends at the first NUL.
    QCOMPARE(CronJobsFile::parse(CronJobsFile::decode(csv(QByteArray("a.js,08:00\n\0b.js,09:00\n", 23)))).size(), 1);
}

void TestSchedulerRules::boundedAgainstHugeAndBinaryFiles()
{
    QTemporaryDir dir;
    // A 64 KB line, cut where a blank would end the field; then more than
    // the file limit of jobs.
    QByteArray body = "long.js," + QByteArray(CronJobsFile::MaxFieldLength - 1, 'x') + " " + QByteArray(64 * 1024, 'x') + "\n";
    while (body.size() < CronJobsFile::MaxBytes + 1024)
        body += "j.js,08:00,1,1,0,0,0,0,0,0,No,0\n";
    const QString huge = dir.filePath("huge.csv");
    QVERIFY(TestFiles::write(huge, csv(body)));
    QVector<QStringList> jobs;
    QStringList warnings;
    QVERIFY(CronJobsFile::read(huge, &jobs, &warnings));
    QCOMPARE(jobs.size(), CronJobsFile::MaxJobs);
    QCOMPARE(jobs.first().at(1).size(), CronJobsFile::MaxFieldLength - 1); // no blank at the end

    QVERIFY(!warnings.isEmpty());

    QByteArray binary;
    for (int i = 0; i < 100000; ++i)
        binary += char((i * 131 + 7) % 256 ? (i * 131 + 7) % 256 : 1);
    warnings.clear();
    for (const QStringList &job : CronJobsFile::parse(CronJobsFile::decode(binary), &warnings))
        QCOMPARE(job.size(), int(CronJobsFile::ColumnCount));
    QVERIFY(warnings.size() <= CronJobsFile::MaxWarnings + 1);
}

void TestSchedulerRules::saveAndReloadKeepsJobs()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("CronJobs.csv");
    const QVector<QStringList> jobs{
        {"AllOn.js", "08:30", "1;2;3;4;5", "1", "1", "1", "1", "1", "0", "0", "Yes", "100"},
        {QString::fromUtf8("Sal\xc3\xb3n.js"), "00:05", "*", "1", "1", "1", "1", "1", "1", "1", "No", "7"},
        padded({"", "09:00", "1"})};
    QVERIFY(CronJobsFile::write(path, jobs));
    const QByteArray bytes = TestFiles::read(path);
    QVERIFY(bytes.startsWith(CronJobsFile::headerLine()));
    QVERIFY(bytes.contains("Sal\xc3\xb3n.js,00:05,*,1,1,1,1,1,1,1,No,7\r\n"));
    QVector<QStringList> reloaded;
    QVERIFY(CronJobsFile::read(path, &reloaded));
    QCOMPARE(reloaded, jobs.mid(0, 2)); // the job without a name is not written

    // A save that cannot be made says so.
    QString error;
    QVERIFY(!CronJobsFile::write(path + "/CronJobs.csv", jobs, &error));
    QVERIFY(!error.isEmpty());
}

void TestSchedulerRules::modelPassesTesterThroughEdits()
{
    TableModelScheduler model(TableModelScheduler::defaultHeaders(),
                              QString::fromLatin1(csv("a.js,08:30,1,1,0,0,0,0,0,0,Yes,0\nb.js,09:00\n")));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 3); // two jobs and the empty last row
    QVERIFY(!(model.flags(model.index(0, 2)) & Qt::ItemIsEditable));
    QVERIFY(!(model.flags(model.index(0, 5)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(2, 0)) & Qt::ItemIsEditable));
    QVERIFY(model.runEnabled(0) && !model.runEnabled(1));

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(!model.setData(model.index(0, 1), "10:00", Qt::DisplayRole));
    QVERIFY(model.setData(model.index(0, 0), "x,y.js\n"));
    QCOMPARE(model.text(0, 0), QString("x y.js")); // a comma would split the file's field
    QCOMPARE(changed.count(), 1);
    QVERIFY(!model.setData(model.index(2, 0), "c.js"));

    QVERIFY(model.insertRows(2, 1)); // after the last job
    QVERIFY(model.insertRows(0, 1));
    QCOMPARE(model.jobCount(), 4);
    QVERIFY(!model.removeRows(4, 1)); // the empty last row stays
    QVERIFY(model.removeRows(0, 2));
    QCOMPARE(model.text(0, 0), QString("b.js"));
}

void TestSchedulerRules::scriptName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("blank inside") << "my job.js" << true;
    QTest::newRow("parent backslash") << "..\\x.js" << false;
    QTest::newRow("drive") << "C:x.js" << false;
    QTest::newRow("subfolder") << "sub/x.js" << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("empty") << "" << false;
}

void TestSchedulerRules::scriptName()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(ScriptName::isSafe(name), safe);
    QCOMPARE(ScriptName::pathIn("/opt/s", name).isNull(), !safe);
}

ORV_TEST_GUILESS_MAIN(TestSchedulerRules)
#include "tst_schedulerrules.moc"
