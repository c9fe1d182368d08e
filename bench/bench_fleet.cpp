// The real window, started cold, against a simulated fleet on loopback:
// three models (KX4410Q, KX2800L, and KX7700U, a model without a command
// file), 10 % silent (they accept and never answer) and 10 % with hanging
// connects (a listener whose accept queue is full, so the kernel drops the
// SYNs; loopback cannot drop them any other way), at 250, 1,000 and 2,000
// projectors. Each fleet runs in a child process of its own: its own data
// folder, catalogues not loaded, nothing measured before the window exists.
//
//   scripts/sandbox.sh run env QT_QPA_PLATFORM=offscreen build/bin/bench_fleet [SIZES...]
//
// Per fleet: the longest GUI stall (a 5 ms timer's longest gap) in each phase
// (start-up check, discovery, first target sweep, status sweep, All On),
// projectors swept, when the status sweep's task log was written, peak
// memory and file descriptors, idle CPU; then 2,000 discovery replies sent
// back to back to a window with an empty inventory, counted in "Found".
#include "bench/benchsupport.h"
#include "app/appfolders.h"
#include "monitor/powerswitchwalk.h"
#include "monitor/statusmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "net/commanddispatch.h"
#include "net/grouptree.h"
#include "net/mytcpsocket.h"
#include "net/mytreeip.h"
#include "net/sessionpool.h"
#include "net/targetsearch.h"
#include "tests/common/appconfig.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"
#include "ui/mainwindow.h"
#include "ui/shellresources.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

const char *const Models[] = {"KX4410Q", "KX2800L", "KX7700U"};
const char *const Catalogues[] = {"KX4410Q.csv", "KX2800L.csv", "KX4410Q.csv"};

QString address(int i)
{
    // Consecutive numbers, so that each simulator's range holds exactly its
    // third of the fleet.
    return QHostAddress(quint32(0x7f010001u + quint32(i))).toString();
}
bool hangs(int i)
{
    return i % 10 == 3;
}
bool silent(int i)
{
    return i % 10 == 7;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int openFiles()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

// Three simulators, one per model, over consecutive thirds of the fleet;
// with uncatalogued, every third names a model without a command file.
bool startFleet(int fleet, std::vector<std::unique_ptr<SimulatorProcess>> *sims, bool uncatalogued = false)
{
    const QString plugins = TestEnvironment::sourceDir() + QStringLiteral("/pluginPJ/");
    for (int m = 0; m < 3; ++m) {
        const int first = fleet * m / 3, last = fleet * (m + 1) / 3 - 1;
        QStringList args{QStringLiteral("--range"), address(first) + QLatin1Char('-') + address(last),
                         QStringLiteral("--model"),
                         uncatalogued ? QStringLiteral("KX770%1U").arg(m) : QString::fromLatin1(Models[m]),
                         QStringLiteral("--catalogue"),
                         plugins + QString::fromLatin1(Catalogues[m]), QStringLiteral("--warmup-ms"),
                         QStringLiteral("2000")};
        for (int i = first; i <= last; ++i) {
            if (hangs(i))
                args << QStringLiteral("--mode") << address(i) + QStringLiteral("=backlog");
            else if (silent(i))
                args << QStringLiteral("--mode") << address(i) + QStringLiteral("=silent");
        }
        sims->push_back(std::make_unique<SimulatorProcess>());
        if (!sims->back()->start(args, 60000)) {
            std::printf("projsim: %s\n", sims->back()->errorText());
            return false;
        }
    }
    return true;
}

const QByteArray Ini = "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nLocalIP=127.0.0.1\nStatusPoll=60\n";

int runFleet(int fleet)
{
    QByteArray groups("Group, Select, IP, Name\n");
    for (int i = 0; i < fleet; ++i) {
        if (i % 250 == 0)
            groups += QStringLiteral("Hall %1,1\n").arg(i / 250 + 1).toLatin1();
        groups += QStringLiteral(" ,1,%1,P%2\n").arg(address(i)).arg(i).toLatin1();
    }
    if (!writeAppConfig(groups, Ini))
        return 1;
    std::vector<std::unique_ptr<SimulatorProcess>> sims;
    if (!startFleet(fleet, &sims))
        return 1;
    int answering = 0;
    for (int i = 0; i < fleet; ++i)
        answering += !hangs(i) && !silent(i);

    ModalCloser closer;
    StallMeter meter;
    QElapsedTimer built;
    built.start();
    MainWindow window;
    const qint64 buildMs = built.elapsed();
    window.show();
    const qint64 t0 = meter.clock.elapsed();
    qint64 checkEnd = -1, targetStart = -1, sweepStart = -1, taskLogAt = -1;
    QObject::connect(window.targetSearch(), &TargetSearch::sigFinished, [&](int kind) {
        if (kind == TargetSearch::StartupCheck && checkEnd < 0)
            checkEnd = meter.clock.elapsed();
    });
    QObject::connect(window.statusMonitor(), &StatusMonitor::sigLog, [&](const QString &line) {
        if (line.startsWith(QLatin1String("--- Check Targets")) && targetStart < 0)
            targetStart = meter.clock.elapsed();
    });
    QObject::connect(window.statusMonitor(), &StatusMonitor::sigTaskStarted, [&] {
        if (sweepStart < 0)
            sweepStart = meter.clock.elapsed();
    });
    int peakFiles = 0;
    QTimer fileWatch;
    const QString userData = AppFolders::userDataFolder();
    QObject::connect(&fileWatch, &QTimer::timeout, [&] {
        peakFiles = qMax(peakFiles, openFiles());
        if (sweepStart >= 0 && taskLogAt < 0 &&
            !QDir(userData).entryList({QStringLiteral("*tasklog*")}, QDir::Files).isEmpty())
            taskLogAt = meter.clock.elapsed();
    });
    fileWatch.start(100);

    const int sessionLimitMs = MyTcpSocket::sessionTimeoutMs(8);
    (void)QTest::qWaitFor([&] { return taskLogAt >= 0; }, 8000 + 120000);
    // Swept: the row shows what its catalogue lets the sweep ask (a model
    // without a command file is asked its model alone).
    const auto filled = [&](int column) {
        const TableModelStatus *model = window.statusMonitor()->model();
        int count = 0;
        for (int i = 0; i < fleet; ++i) {
            const int row = model->rowOfAddress(address(i));
            count += !hangs(i) && !silent(i) && !model->cell(row, column).isEmpty();
        }
        return count;
    };
    const qint64 sweptAt = meter.clock.elapsed();
    const int modelKnown = filled(TableModelStatus::ModelColumn);
    const int statusKnown = filled(TableModelStatus::HoursColumn);
    int catalogued = 0;
    for (int i = 0; i < fleet * 2 / 3; ++i)
        catalogued += !hangs(i) && !silent(i);

    // All On to the whole connected fleet.
    window.statusMonitor()->setConfirmation([](PowerSwitchRule::Direction) { return true; });
    QSignalSpy walked(window.statusMonitor()->walk(), &PowerSwitchWalk::sigFinished);
    const qint64 onStart = meter.clock.elapsed();
    window.findChild<QAction *>(QStringLiteral("actionAllOn"))->trigger();
    (void)QTest::qWaitFor([&] { return walked.count() > 0; }, 180000);
    const qint64 onEnd = meter.clock.elapsed();

    // Idle: nothing due for an hour, every session over; the meters stop first.
    meter.timer.stop();
    fileWatch.stop();
    const SessionPool *pool = window.dispatch()->sessionPool();
    (void)QTest::qWaitFor([pool] { return pool->inFlight() == 0 && pool->waiting() == 0; }, 300000);
    QTest::qWait(15000);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(10000);
    const double idle = 100.0 * (cpuSeconds() - cpuBefore) / (wall.elapsed() / 1000.0);

    std::printf("fleet %d (%d answering, %d silent, %d hanging; 3 models): window built in %lld ms\n", fleet, answering,
                fleet / 10, fleet / 10, buildMs);
    const qint64 firstTurn = meter.gaps.isEmpty() ? t0 : meter.gaps.first().first;
    std::printf("  first paint and start-up turn %lld ms; longest stall: start-up check %lld ms (ended at %.1f s), "
                "discovery %lld ms, first target sweep %lld ms, status sweep %lld ms, All On %lld ms\n",
                meter.gaps.isEmpty() ? 0 : meter.gaps.first().second, meter.longest(firstTurn, checkEnd),
                (checkEnd - t0) / 1000.0, meter.longest(t0 + 2000, t0 + 3000),
                meter.longest(targetStart, sweepStart), meter.longest(sweepStart, sweptAt),
                meter.longest(onStart, onEnd));
    std::printf("  swept: model known for %d of %d answering, lamp hours for %d of %d with a command file; task log "
                "%s %.1f s after the sweep started (1.2 x %d ms = %.1f s)\n",
                modelKnown, answering, statusKnown, catalogued, taskLogAt >= 0 ? "written" : "NOT written",
                (taskLogAt >= 0 ? taskLogAt - sweepStart : sweptAt - sweepStart) / 1000.0, sessionLimitMs,
                sessionLimitMs * 1.2 / 1000.0);
    std::printf("  All On: %lld projectors walked in %.1f s; session limit %d (peak %d), peak open files %d\n",
                qint64(window.dispatch()->connectedCount()), (onEnd - onStart) / 1000.0,
                window.dispatch()->sessionPool()->limit(), window.dispatch()->sessionPool()->peak(), peakFiles);
    std::printf("  peak memory %.0f MiB; idle CPU with %d rows %.2f %% of a core\n", peakRssKiB() / 1024.0,
                window.statusMonitor()->model()->rowCount(), idle);
    std::fflush(stdout);
    return 0;
}

int runDiscovery(int fleet, bool uncatalogued)
{
    if (!writeAppConfig("Group, Select, IP, Name\n", Ini))
        return 1;
    std::vector<std::unique_ptr<SimulatorProcess>> sims;
    if (!startFleet(fleet, &sims, uncatalogued))
        return 1;
    ModalCloser closer;
    StallMeter meter;
    MainWindow window;
    window.show();
    const auto foundCount = [&] {
        MyTreeIP *tree = window.groupTree()->tree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (GroupTree::isFoundGroup(tree->topLevelItem(i)))
                return tree->topLevelItem(i)->childCount();
        return 0;
    };
    // The window broadcasts 2 s and 2.5 s after start; every simulated
    // projector answers each at once.
    (void)QTest::qWaitFor([&] { return foundCount() >= fleet; }, 120000);
    const qint64 at = meter.clock.elapsed();
    std::printf("discovery (%s): %d replies back to back per broadcast, %d in Found after %.1f s, longest stall "
                "%lld ms\n",
                uncatalogued ? "models without a command file" : "three models", fleet, foundCount(), at / 1000.0,
                meter.longest(1900, at));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList args = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list.append(QString::fromLocal8Bit(argv[i]));
        return list;
    }();
    if (args.size() == 2 && args.at(0).startsWith(QLatin1String("--"))) {
        TestEnvironment::isolate();
        QApplication app(argc, argv);
        ShellResources::ensureLoaded();
        const int fleet = args.at(1).toInt();
        if (args.at(0) == QLatin1String("--fleet"))
            return runFleet(fleet);
        return runDiscovery(fleet, args.at(0) == QLatin1String("--discovery-uncatalogued"));
    }
    // One child per run: a cold start each time.
    QCoreApplication app(argc, argv);
    QStringList sizes = args;
    if (sizes.isEmpty())
        sizes = QStringList{QStringLiteral("250"), QStringLiteral("1000"), QStringLiteral("2000")};
    QList<QStringList> runs;
    for (const QString &size : qAsConst(sizes))
        runs.append({QStringLiteral("--fleet"), size});
    runs.append({QStringLiteral("--discovery-uncatalogued"), QStringLiteral("2000")});
    runs.append({QStringLiteral("--discovery"), QStringLiteral("2000")});
    int failed = 0;
    for (const QStringList &run : qAsConst(runs)) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        child.start(QCoreApplication::applicationFilePath(), run);
        child.waitForFinished(-1);
        failed += child.exitCode() != 0;
    }
    return failed;
}
