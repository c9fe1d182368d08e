// Status monitoring over a large fleet: 250 simulated projectors, 25 of
// them silently dropping connects and 25 accepting but never answering.
// Reports the longest event-loop stall and the end time of a status sweep
// and of All On, and the CPU the window uses while idle with 250 rows.
//
//   scripts/sandbox.sh run build/bin/bench_status
#include "app/appfolders.h"
#include "monitor/powerswitchwalk.h"
#include "net/mytcpsocket.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/status/statusrig.h"
#include "ui/mainwindow.h"
#include "ui/shellresources.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
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
class StallMeter
{
public:
    StallMeter()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this]() { m_longest = qMax(m_longest, m_clock.restart()); });
        m_timer.start(5);
        m_clock.start();
    }
    void reset()
    {
        m_longest = 0;
        m_clock.restart();
    }
    qint64 longest() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
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
    const qint64 sweepStall = meter.longest();
    int filled = 0;
    for (int i = 1; i <= Fleet; ++i) {
        if (!dropsConnects(i) && !staysSilent(i) && !rig.cell(address(i), TableModelStatus::StatusColumn).isEmpty() &&
            !rig.cell(address(i), TableModelStatus::HoursColumn).isEmpty())
            ++filled;
    }
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
           walkMs, 25 * 3 + 25 * 9, meter.longest());

    // Idle: the window with 250 rows listed, nothing to do.
    const QString config = AppFolders::configFolder();
    AppFolders::ensureFolder(config);
    AppFolders::ensureFolder(AppFolders::userDataFolder());
    QFile groups(config + QStringLiteral("/GroupIP.csv"));
    groups.open(QIODevice::WriteOnly);
    groups.write("Group, Select, IP, Name\nHall,1\n");
    for (int i = 1; i <= Fleet; ++i)
        groups.write(QStringLiteral(" ,1,%1,P%2\n").arg(address(i)).arg(i).toLatin1());
    groups.close();
    QFile ini(config + QStringLiteral("/Orvanto.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nStyle=Dark\nLocalIP=127.0.0.1\nStatusPoll=60\n");
    ini.close();
    sim.stop(); // nobody answers: the window has rows but nothing to do
    auto *closer = new ModalCloser;
    MainWindow window;
    window.show();
    if (!QTest::qWaitFor([&]() { return closer->classNames().size() >= 2; }, 20000))
        qWarning("start-up boxes did not come up");
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
