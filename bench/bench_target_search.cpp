// The target search over a whole /24: 254 addresses, 24 projectors that
// accept at once and 230 addresses whose connects are never answered (a full
// accept queue, as a firewall that drops the SYN looks from here). Reports
// the time to the end of the scan and the longest gap between the turns of
// a 5 ms timer during it. Run inside the sandbox:
//   scripts/sandbox.sh run build/bench/bench_target_search
#include "net/ipfinder.h"

#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QCoreApplication app(argc, argv);
    const QStringList range = IPfinder::candidateRange(QStringLiteral("127.0.0.40"), 254);
    QStringList arguments{QStringLiteral("--range"), QStringLiteral("127.0.0.1-127.0.0.254"),
                          QStringLiteral("--no-discovery")};
    for (int i = 24; i < range.size(); ++i)
        arguments << QStringLiteral("--mode") << range.at(i) + QStringLiteral("=backlog");
    SimulatorProcess sim;
    if (!sim.start(arguments, 30000)) {
        std::fprintf(stderr, "bench_target_search: %s\n", sim.errorText());
        return 1;
    }

    for (int round = 0; round < 3; ++round) {
        IPfinder finder;
        QElapsedTimer clock, sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
        int found = 0;
        QEventLoop loop;
        QObject::connect(&finder, &IPfinder::sigScanFinished, [&](const QStringList &list) {
            found = list.size();
            loop.quit();
        });
        clock.start();
        sinceTick.start();
        ticker.start(5);
        finder.scan(range);
        loop.exec();
        ticker.stop();
        std::printf("round %d: %d addresses, %d found, %lld ms, longest event-loop gap %lld ms (5 ms timer)\n",
                    round + 1, int(range.size()), found, clock.elapsed(), longestGap);
    }
    return 0;
}
