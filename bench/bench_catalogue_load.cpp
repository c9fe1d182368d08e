// A fleet named from cold: 2,000 projectors of three models answer their
// model and then a status sweep's questions, in the slices a busy event loop
// delivers them (16 answers per turn). Each model's file is read when its
// first projector answers; the console's table watches one projector
// meanwhile. Reported: the longest time the thread was held (by one slice
// of answers, and as seen by a 5 ms timer, in wall and in thread CPU time:
// on a shared machine the wall clock also counts other processes), files
// read, rows, memory.
// The third model's file is big (about 600 KB), so it is read on the pool;
// with "--all-off-thread" every file is.
//   bench_catalogue_load [projectors] [--all-off-thread]
#include "bench/benchsupport.h"
#include "tests/common/testenvironment.h"

#include "app/orvlog/OrvLog.h"
#include "net/cataloguefiles.h"
#include "net/cataloguetablemodel.h"
#include "net/commandcatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

struct Answer
{
    QString ip, op, value;
};

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QCoreApplication app(argc, argv);
    OrvLogging::Logger::instance().setLoggingLevel(OrvLogging::InfoLevel);
    const QStringList args = app.arguments();
    const int projectors = args.size() > 1 && args.at(1).toInt() > 0 ? args.at(1).toInt() : 2000;
    const bool allOffThread = args.contains(QStringLiteral("--all-off-thread"));

    // Three models: the two shipped ones and a big one made from the first.
    QTemporaryDir dir;
    const QString plugins = dir.filePath(QStringLiteral("pluginPJ"));
    QDir().mkpath(plugins);
    QByteArray laser;
    {
        QFile file(CatalogueFiles::cataloguePath(shippedPlugins(), QStringLiteral("KX4410Q")));
        file.open(QIODevice::ReadOnly);
        laser = file.readAll();
        QFile lamp(CatalogueFiles::cataloguePath(shippedPlugins(), QStringLiteral("KX2800L")));
        lamp.open(QIODevice::ReadOnly);
        QFile::copy(lamp.fileName(), CatalogueFiles::cataloguePath(plugins, QStringLiteral("KX2800L")));
    }
    QFile::copy(CatalogueFiles::cataloguePath(shippedPlugins(), QStringLiteral("KX4410Q")),
                CatalogueFiles::cataloguePath(plugins, QStringLiteral("KX4410Q")));
    QByteArray big = laser;
    const QByteArray body = laser.mid(laser.indexOf('\n') + 1);
    for (int copy = 0; copy < 50; ++copy)
        big += QByteArray(body).replace("Status,", "Status" + QByteArray::number(copy) + ",");
    QFile bigFile(CatalogueFiles::cataloguePath(plugins, QStringLiteral("KX9900W")));
    bigFile.open(QIODevice::WriteOnly);
    bigFile.write(big);
    bigFile.close();
    const QStringList models{QStringLiteral("KX4410Q"), QStringLiteral("KX2800L"), QStringLiteral("KX9900W")};

    // The answers, as a fleet delivers them: every projector's model first
    // (in address order, interleaved models), then each one's sweep answers.
    const QStringList sweepOps{"errcode", "status", "ser.no", "signal", "act.source", "input.sel", "total.hours"};
    QVector<Answer> answers;
    QStringList ips;
    for (int i = 0; i < projectors; ++i)
        ips.append(QStringLiteral("10.%1.%2.%3").arg(20 + i / 65536).arg((i / 256) % 256).arg(i % 256 + 1));
    for (int i = 0; i < projectors; ++i)
        answers.append({ips.at(i), QStringLiteral("MODEL"), models.at(i % 3)});
    for (const QString &op : sweepOps)
        for (int i = 0; i < projectors; ++i)
            answers.append({ips.at(i), op.toUpper(), QString::number(i % 4)});

    const double rssBefore = memoryMiB("VmRSS:");
    CommandCatalogue catalogue;
    if (allOffThread)
        catalogue.setInPlaceLimit(0);
    catalogue.loadCommandFile(CatalogueFiles::cataloguePath(plugins, QStringLiteral("default")));
    QSortFilterProxyModel proxy;
    CatalogueTableModel table(&catalogue);
    proxy.setSourceModel(&table);
    proxy.setFilterKeyColumn(CommandCatalogue::CategoryColumn);
    table.setAddress(ips.at(2)); // a projector of the big model, in the console

    // The window's 5 ms timer: the longest gap between its ticks.
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    qint64 lastTickCpu = threadCpuNs();
    qint64 longestCpuGap = 0; // the thread's own work between two ticks
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = qMax(longestGap, now - lastTick);
        lastTick = now;
        const qint64 cpu = threadCpuNs();
        longestCpuGap = qMax(longestCpuGap, cpu - lastTickCpu);
        lastTickCpu = cpu;
    });
    ticker.start(5);

    int next = 0;
    qint64 longestSlice = 0;
    qint64 longestSliceCpu = 0;
    qint64 busy = 0;
    int lookups = 0;
    QTimer feeder;
    feeder.setInterval(0);
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        QElapsedTimer slice;
        slice.start();
        const qint64 cpuStart = threadCpuNs();
        for (int n = 0; n < 16 && next < answers.size(); ++n, ++next) {
            const Answer &answer = answers.at(next);

            // What the answer router does: model -> catalogue, value, and the
            // status side's lookups.
            if (answer.op == QLatin1String("MODEL"))
                catalogue.loadCatalogueForIP(answer.ip, answer.value, plugins);
            catalogue.updateCatalogueValue(answer.ip, answer.op, answer.value);
            lookups += catalogue.queryCommandByIP(answer.ip, QStringLiteral("Projector Status")).size() > 0;
            lookups += catalogue.lookupCatalogue(CommandCatalogue::ValueColumn, QStringLiteral("Light Source Life"),
                                                 CommandCatalogue::FunctionNameColumn, answer.ip)
                           .size() > 0;
        }
        const qint64 spent = slice.nsecsElapsed();
        busy += spent;
        longestSlice = qMax(longestSlice, spent);
        longestSliceCpu = qMax(longestSliceCpu, threadCpuNs() - cpuStart);
        if (next >= answers.size() && !catalogue.isLoading(ips.at(2)) && !catalogue.isLoading(ips.at(0)))
            app.quit();
    });
    lastTick = clock.nsecsElapsed();
    feeder.start();
    app.exec();
    const double elapsedMs = clock.nsecsElapsed() / 1e6;

    std::printf("projectors: %d in 3 models (%s)\n", projectors,
                allOffThread ? "every file read on the pool" : "big file read on the pool, shipped ones in place");
    std::printf("answers: %d, lookups answered: %d, catalogue files read: %d\n", int(answers.size()), lookups,
                catalogue.filesRead());
    std::printf("rows (as numbered for lookups): %d; console table rows for %s: %d (filter shows %d)\n",
                catalogue.rowCount(), qPrintable(ips.at(2)), table.rowCount(), proxy.rowCount());
    std::printf("longest slice of 16 answers: %.2f ms wall, %.2f ms thread CPU\n", longestSlice / 1e6,
                longestSliceCpu / 1e6);
    std::printf("longest 5 ms timer gap: %.2f ms wall, %.2f ms of the thread's own CPU (target < 50)\n",
                longestGap / 1e6, longestCpuGap / 1e6);
    QFile load(QStringLiteral("/proc/loadavg"));
    if (load.open(QIODevice::ReadOnly))
        std::printf("machine load average: %s", load.readLine().constData());
    std::printf("answer handling: %.0f ns per answer; whole run %.0f ms\n", double(busy) / answers.size(), elapsedMs);
    std::printf("memory: RSS %.1f MiB before, %.1f MiB after; peak %.1f MiB\n", rssBefore, memoryMiB("VmRSS:"),
                memoryMiB("VmHWM:"));
    return 0;
}
