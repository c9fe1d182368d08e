// Status monitoring over a large fleet: 250 simulated projectors, 25 of
// them silently dropping connects and 25 accepting but never answering.
// Reports the longest event-loop stall and the end time of a status sweep
// and of All On, and the CPU the window uses while idle with 250 rows.
//
//   scripts/sandbox.sh run build/bench/bench_status
#include "app/appfolders.h"
#include "monitor/powerswitchwalk.h"
#include "net/mytcpsocket.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testfiles.h"
#include "tests/status/statusrig.h"
#include "ui/mainwindow.h"
#include "ui/shellresources.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

namespace {

constexpr int Fleet = 250;

QString address(int i)
{
    return QStringLiteral("127.0.1.%1").arg(i);
}
bool dropsConnects(int i)
{
    return i % 10 == 3;
}
bool staysSilent(int i)
{
    return i % 10 == 7;
}

// The longest time the event loop went without running a 5 ms timer.
struct StallMeter
{
    QTimer timer;
    QElapsedTimer clock;
    qint64 longest = 0;

    StallMeter()
    {
        QObject::connect(&timer, &QTimer::timeout, [this]() { longest = qMax(longest, clock.restart()); });
        timer.start(5);
        reset();
    }
    void reset()
    {
        longest = 0;
        clock.start();
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    ShellResources::ensureLoaded();

    QStringList args{QStringLiteral("--range"), address(1) + QLatin1Char('-') + address(Fleet)};
    QStringList all;
    int answering = 0;
    for (int i = 1; i <= Fleet; ++i) {
        all.append(address(i));
        if (dropsConnects(i))
            args << QStringLiteral("--mode") << address(i) + QStringLiteral("=backlog");
        else if (staysSilent(i))
            args << QStringLiteral("--mode") << address(i) + QStringLiteral("=silent");
        else
            ++answering;
    }
    SimulatorProcess sim;
    if (!sim.start(args, 30000)) {
        qCritical("projsim: %s", sim.errorText());
        return 1;
    }

    StatusRig rig;
    rig.monitor.rebuild(all);
    rig.dispatch.setConnectedIPs(all);
    StallMeter meter;

    // The target sweep loads the answering projectors' catalogues.
    rig.monitor.targetSweep();
    if (!QTest::qWaitFor([&]() { return rig.answers >= answering; }, 20000))
        qWarning("target sweep: only %d of %d answers", rig.answers, answering);

    // Status sweep.
    meter.reset();
    QElapsedTimer clock;
    clock.start();
    rig.monitor.sweep();
    const bool ended = QTest::qWaitFor([&]() { return !rig.taskLogs.isEmpty(); }, 40000);
    const qint64 sweepMs = clock.elapsed();
    const qint64 sweepStall = meter.longest;
    int filled = 0;
    for (int i = 1; i <= Fleet; ++i)
        filled += !rig.cell(address(i), TableModelStatus::StatusColumn).isEmpty() &&
                  !rig.cell(address(i), TableModelStatus::HoursColumn).isEmpty();
    const int sessionTimeoutMs = MyTcpSocket::sessionTimeoutMs(8);
    printf("status sweep: end line %s after %lld ms (limit 1.2 x %d ms = %d ms), longest stall %lld ms, "
           "rows filled %d of %d answering\n",
           ended ? "shown" : "NOT shown", sweepMs, sessionTimeoutMs, sessionTimeoutMs * 12 / 10, sweepStall, filled,
           answering);

    // All On over the same fleet.
    rig.monitor.setConfirmation([](PowerSwitchRule::Direction) { return true; });
    QSignalSpy finished(rig.monitor.walk(), &PowerSwitchWalk::sigFinished);
    meter.reset();
    clock.restart();
    rig.monitor.switchAll(PowerSwitchRule::Direction::On);
    if (!QTest::qWaitFor([&]() { return finished.count() > 0; }, 60000))
        qWarning("all on: the walk did not finish");
    const qint64 walkMs = clock.elapsed();
    printf("all on: %lld projector lines after %lld ms (one question time-out: 3000 ms; the blocking walk: "
           "about %d s), longest stall %lld ms\n",
           qint64(rig.linesStartingWith(QStringLiteral("Turning On:")).size() +
                  rig.linesStartingWith(QStringLiteral("No Answer:")).size()),
           walkMs, 25 * 3 + 25 * 9, meter.longest);

    // Idle: the window with 250 rows listed, nothing to do.
    QByteArray groups("Group, Select, IP, Name\nHall,1\n");
    for (int i = 1; i <= Fleet; ++i)
        groups += QStringLiteral(" ,1,%1,P%2\n").arg(address(i)).arg(i).toLatin1();
    const QString config = AppFolders::configFolder();
    TestFiles::write(config + QStringLiteral("/GroupIP.csv"), groups);
    TestFiles::write(config + QStringLiteral("/Orvanto.ini"), "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\n"
                                                              "Style=Dark\nLocalIP=127.0.0.1\nStatusPoll=60\n");
    sim.stop(); // nobody answers: the window has rows but nothing to do
    auto *closer = new ModalCloser;
    MainWindow window;
    window.show();
    if (!QTest::qWaitFor([&]() { return closer->classNames().contains(QStringLiteral("DialogAboutPJ")); }, 20000))
        qWarning("the projector-models list did not come up");
    delete closer;
    // Past the first sweeps (3 s and 8 s after start).
    QTest::qWait(10000);
    const auto idle = [&](const char *page, QAction *action) {
        action->trigger();
        QTest::qWait(1000);
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(10000);
        printf("idle, %s page, %d rows: %.2f %% of a core\n", page, window.statusMonitor()->model()->rowCount(),
               100.0 * (cpuSeconds() - before) / (wall.elapsed() / 1000.0));
    };
    idle("status", window.findChild<QAction *>(QStringLiteral("actionStatus")));
    idle("scheduler (countdown)", window.findChild<QAction *>(QStringLiteral("actionSchedule")));
    return 0;
}
