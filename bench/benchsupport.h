#pragma once

// What several benchmarks measure the same way: the event loop's stalls,
// this process's memory, this thread's CPU time, and where the shipped
// command files are.

#include "net/cataloguefiles.h"
#include "tests/common/testenvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPair>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <ctime>

// A 5 ms timer on the GUI thread: a gap between two ticks is how long the
// thread was held at a stretch. Gaps over 10 ms are kept with when they
// ended, so that a phase of the run can be asked for its own longest.
struct StallMeter
{
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longestGap = 0;
    QVector<QPair<qint64, qint64>> gaps; // (end, length)

    StallMeter()
    {
        clock.start();
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            longestGap = std::max(longestGap, now - last);
            if (now - last > 10)
                gaps.append({now, now - last});
            last = now;
        });
        timer.start(5);
    }
    // The longest gap since the meter started.
    qint64 longest() const { return longestGap; }
    // The longest gap over 10 ms that overlaps [from, to].
    qint64 longest(qint64 from, qint64 to) const
    {
        qint64 result = 0;
        for (const auto &gap : gaps)
            if (gap.first > from && gap.first - gap.second < to)
                result = std::max(result, gap.second);
        return result;
    }
};

// VmRSS or VmHWM of this process, in MiB.
inline double memoryMiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// The command files as built beside the programs, else the source tree's.
inline QString shippedPlugins()
{
    const QString shipped = CatalogueFiles::pluginFolder(TestEnvironment::binDir());
    if (QFile::exists(CatalogueFiles::cataloguePath(shipped, QStringLiteral("KX4410Q"))))
        return shipped;
    return CatalogueFiles::pluginFolder(TestEnvironment::sourceDir());
}

// CPU time of the calling thread: on a loaded machine the wall clock also
// counts the time other processes had the core.
inline qint64 threadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}
