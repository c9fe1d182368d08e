// CronJobs.csv, the clock that runs its jobs and the script names it holds.
// Input: the file, then optionally 0x1E and one byte per clock step.
#include "fuzz/fuzzsupport.h"

#include "automation/cronjobsfile.h"
#include "automation/crontimer.h"
#include "automation/scriptname.h"
#include "automation/weekdayrule.h"

#include <QDateTime>
#include <QDir>
#include <QVector>

FUZZ_INIT

namespace {

constexpr qint64 Day = 86400;

QDateTime moment(qint64 wallSeconds)
{
    return QDateTime(QDate::fromJulianDay(wallSeconds / Day), QTime::fromMSecsSinceStartOfDay(int(wallSeconds % Day) * 1000),
                     Qt::UTC);
}

// A daily job runs when its moment on an included day lies in (lower, now]
// and is at most CatchUpSeconds old: a check later than that (sleep, a clock
// jump) reports the run as missed instead.
bool dailyDue(const QString &timeText, const QString &rule, qint64 lower, qint64 now)
{
    const QTime time = QTime::fromString(timeText, QStringLiteral("hh:mm"));
    const qint64 second = time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0;
    for (qint64 day = now / Day - 1; day <= now / Day; ++day) {
        const qint64 at = day * Day + second;
        if (at > lower && at <= now && now - at <= CronTimer::CatchUpSeconds &&
            WeekdayRule::includes(rule, QDate::fromJulianDay(day).dayOfWeek()))
            return true;
    }
    return false;
}

void checkClock(const QVector<QStringList> &jobs, const QByteArray &steps)
{
    const int rows = qMin(jobs.size(), 32);
    QStringList times;
    QStringList rules;
    for (int i = 0; i < rows; ++i) {
        times << jobs.at(i).at(1);
        rules << jobs.at(i).at(2);
    }
    // Monday 7 December 2026, at a time of day the input picks.
    qint64 now = QDate(2026, 12, 7).toJulianDay() * Day + (steps.isEmpty() ? 0 : quint8(steps.at(0)) * 331);
    CronTimer clock;
    clock.setClock([&now] { return moment(now); });
    QVector<int> fired(rows);
    QObject::connect(&clock, &CronTimer::sigFireTask, [&fired](int row) {
        FUZZ_CHECK(row >= 0 && row < fired.size());
        ++fired[row];
    });
    clock.setJobs(times, rules);
    FUZZ_CHECK(clock.rowCount() == rows);

    qint64 previous = now - 1; // the current second counts at the first check
    const int count = steps.size() > 1 ? qMin(steps.size() - 1, 200) : 48;
    for (int step = 0; step <= count; ++step) {
        fired.fill(0);
        clock.showTime();
        for (int i = 0; i < rows; ++i) {
            FUZZ_CHECK(fired.at(i) <= 1); // steps are shorter than a day
            if (!WeekdayRule::isPeriodic(rules.at(i)))
                FUZZ_CHECK((fired.at(i) == 1) == dailyDue(times.at(i), rules.at(i), previous, now));
        }
        previous = now;
        now += step < count ? (steps.size() > 1 ? quint8(steps.at(step + 1)) * 337 + 1 : 1800) : 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayList in = FuzzSupport::pieces(FuzzSupport::bytes(data, size), 2);
    QStringList warnings;
    const QVector<QStringList> jobs = CronJobsFile::parse(CronJobsFile::decode(in.at(0)), &warnings);
    FUZZ_CHECK(warnings.size() <= CronJobsFile::MaxWarnings + 1);
    FUZZ_CHECK(jobs.size() <= CronJobsFile::MaxJobs);
    for (const QStringList &job : jobs) {
        FUZZ_CHECK(job.size() == CronJobsFile::ColumnCount && !job.at(0).isEmpty());
        for (const QString &field : job)
            FUZZ_CHECK(field.size() <= CronJobsFile::MaxFieldLength && field == field.simplified() &&
                       !field.contains(QLatin1Char(',')));
    }

    // Saving and reloading gives the same jobs.
    FUZZ_CHECK(CronJobsFile::parse(CronJobsFile::decode(CronJobsFile::compose(jobs))) == jobs);

    // A script name either names a file directly inside the folder or nothing.
    const QString folder = QStringLiteral("/srv/orvanto/scripts");
    for (int i = 0; i < qMin(jobs.size(), 32); ++i) {
        const QString &name = jobs.at(i).at(0);
        const QString path = ScriptName::pathIn(folder, name);
        if (ScriptName::isSafe(name)) {
            FUZZ_CHECK(path == folder + QLatin1Char('/') + name);
            FUZZ_CHECK(QDir::cleanPath(path).startsWith(folder + QLatin1Char('/')));
        } else {
            FUZZ_CHECK(path.isNull());
        }
    }

    checkClock(jobs, in.at(1));
    return 0;
}
