// PJLink over a large fleet: 250 simulated projectors answering each request
// after 1 s, 10 % of them greeting but never answering. Reports how long a
// status sweep (probe included) and All On take against the answer time-out,
// and the longest event-loop stall meanwhile.
//
//   scripts/sandbox.sh run build/bin/bench_pjlink [max-concurrent]
#include "monitor/pjlinkmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "net/pjlinksession.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

constexpr int Fleet = 250;
constexpr int DelayMs = 1000;

QString address(int i)
{
    return QStringLiteral("127.0.1.%1").arg(i);
}

struct StallMeter
{
    QTimer timer;
    QElapsedTimer clock;
    qint64 longest = 0;

    StallMeter()
    {
        QObject::connect(&timer, &QTimer::timeout, [this]() { longest = qMax(longest, clock.restart()); });
        timer.start(5);
        clock.start();
    }
    void reset()
    {
        longest = 0;
        clock.restart();
    }
};

qint64 runUntilIdle(PJLinkMonitor &monitor, const std::function<void()> &start)
{
    QElapsedTimer clock;
    clock.start();
    start();
    if (!QTest::qWaitFor([&monitor] { return !monitor.isBusy() && monitor.directory()->count() >= Fleet; }, 600000))
        std::fputs("did not finish in 10 minutes\n", stderr);
    return clock.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QCoreApplication app(argc, argv);
    const int concurrent = argc > 1 ? QByteArray(argv[1]).toInt() : PJLinkMonitor::MaxConcurrent;

    QStringList args{"--pjlink", "2", "--range", address(1) + '-' + address(Fleet), "--pjlink-delay",
                     QString::number(DelayMs), "--warmup-ms", "60000"};
    QStringList addresses;
    for (int i = 1; i <= Fleet; ++i) {
        addresses << address(i);
        if (i % 10 == 7)
            args << "--pjlink-silent" << address(i);
    }
    SimulatorProcess sim;
    if (!sim.start(args, 30000)) {
        std::fprintf(stderr, "%s\n", sim.errorText());
        return 1;
    }
    TableModelStatus model(TableModelStatus::defaultHeaders(), {});
    model.resetAddresses(addresses);
    PJLinkMonitor monitor(&model);
    monitor.setMaxConcurrent(concurrent);
    StallMeter stall;

    const qint64 sweepMs = runUntilIdle(monitor, [&] { monitor.sweep(addresses); });
    const qint64 sweepStall = stall.longest;
    int filled = 0;
    for (int row = 0; row < model.rowCount(); ++row)
        filled += model.cell(row, TableModelStatus::ModelColumn).isEmpty() ? 0 : 1;

    stall.reset();
    const qint64 againMs = runUntilIdle(monitor, [&] { monitor.sweep(addresses); });
    const qint64 againStall = stall.longest;

    stall.reset();
    const qint64 onMs = runUntilIdle(
        monitor, [&] { monitor.switchAll(PowerSwitchRule::Direction::On, addresses); });
    const qint64 onStall = stall.longest;

    std::printf("PJLink fleet %d (10%% silent), reply delay %d ms, answer time-out %d ms, %d concurrent\n", Fleet,
                DelayMs, PJLinkSession::AnswerTimeoutMs, concurrent);
    std::printf("first sweep (probe + class + status): %lld ms, rows filled %d, longest stall %lld ms\n",
                static_cast<long long>(sweepMs), filled, static_cast<long long>(sweepStall));
    std::printf("second sweep (class known):           %lld ms, longest stall %lld ms\n",
                static_cast<long long>(againMs), static_cast<long long>(againStall));
    std::printf("All On:                               %lld ms, longest stall %lld ms\n",
                static_cast<long long>(onMs), static_cast<long long>(onStall));
    return 0;
}
