// A year of a 2,000-projector fleet, generated (not waited for): what the
// history costs on disk, and what the operator lives through with it: the
// window from a cold start, one projector's history with its charts, the
// fleet view, and each sweep's share of the window's thread.
//
// Run inside the sandbox:
//   scripts/sandbox.sh run env QT_QPA_PLATFORM=offscreen build/bench/bench_history [projectors] [days] [file]
// A file named third is kept, and used as it is when it already exists, so
// that repeated runs skip the minutes of generating. Its year ends at the
// hour it was generated; the window asks for the last 365 days.
#include "bench/benchsupport.h"
#include "app/appfolders.h"
#include "monitor/dialogfleethistory.h"
#include "monitor/dialoghistory.h"
#include "monitor/history/alertrules.h"
#include "monitor/history/historyrecorder.h"
#include "monitor/history/historyservice.h"
#include "monitor/history/historyworker.h"
#include "monitor/history/texttablemodel.h"
#include "monitor/tablemodelstatus.h"
#include "net/targetsearch.h"
#include "tests/common/appconfig.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

void print(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QString ipOf(int i)
{
    // Addresses that do not exist in the sandbox: the start-up check and the
    // sweeps find every projector unreachable at once.
    return QStringLiteral("10.%1.%2.%3").arg(i / 65536).arg((i / 256) % 256).arg(i % 256);
}

// The generated year: on 08:00-20:00 every day, the lamp counter ticking
// hourly while on, an error now and then, some projectors silent for a
// while. Polled every 5 minutes, the store only sees the changes, which all
// fall on the hour here: one sweep an hour gives the same rows.
bool generate(const QString &path, int projectors, int days)
{
    HistoryStore store;
    if (!store.open(path)) {
        print(QStringLiteral("cannot open: ") + store.offReason());
        return false;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime start = QDateTime(now.date(), QTime(now.time().hour(), 0), Qt::UTC).addDays(-days);
    QVector<ProjectorState> sweep(projectors);
    QVector<int> lamp(projectors);
    for (int i = 0; i < projectors; ++i)
        lamp[i] = (i * 37) % 3000;
    for (int hour = 0; hour < days * 24; ++hour) {
        const int hourOfDay = hour % 24;
        const bool on = hourOfDay >= 8 && hourOfDay < 20;
        for (int i = 0; i < projectors; ++i) {
            ProjectorState &s = sweep[i];
            s.ip = ipOf(i);
            s.reachable = (hour / 24 + i) % 97 != 0; // a silent day now and then
            s.power = on ? QStringLiteral("2") : QStringLiteral("0");
            if (on)
                ++lamp[i];
            s.lampHours = lamp[i];
            s.errorCode = (hour + i * 7) % 1500 == 0 ? QStringLiteral("12A3") : QStringLiteral("0000");
            s.input = QStringLiteral("HDMI1");
            s.signal = QStringLiteral("1920x1080");
        }
        store.recordSweep(sweep, start.addSecs(qint64(hour) * 3600));
    }
    return true;
}

bool waitForLabel(QWidget *dialog, const QString &prefix, int timeoutMs)
{
    return QTest::qWaitFor(
        [&] {
            const auto *label = dialog->findChild<QLabel *>(QStringLiteral("labelState"));
            return label && label->text().startsWith(prefix);
        },
        timeoutMs);
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const int projectors = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 2000;
    const int days = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 365;
    QTemporaryDir dir;
    const QString kept = argc > 3 ? QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath()
                                  : dir.filePath(QStringLiteral("History.sqlite"));

    QElapsedTimer clock;
    clock.start();
    if (!QFileInfo::exists(kept)) {
        if (!generate(kept, projectors, days))
            return 1;
        print(QStringLiteral("generated %1 projectors x %2 days in %3 s").arg(projectors).arg(days).arg(
            clock.elapsed() / 1000.0, 0, 'f', 1));
    }
    print(QStringLiteral("database size: %1 MiB").arg(QFileInfo(kept).size() / 1048576.0, 0, 'f', 1));

    // The operator's folders: the fleet in the tree, the year in the history.
    QByteArray groups("Group, Select, IP, Name\n");
    for (int i = 0; i < projectors; ++i) {
        if (i % 250 == 0)
            groups += QStringLiteral("Hall %1,1\n").arg(i / 250 + 1).toLatin1();
        groups += QStringLiteral(" ,1,%1,P%2\n").arg(ipOf(i)).arg(i).toLatin1();
    }
    if (!writeAppConfig(groups, "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nStatusPoll=60\n") ||
        !QFile::copy(kept, QDir(AppFolders::userDataFolder()).filePath(QStringLiteral("History.sqlite")))) {
        print(QStringLiteral("cannot prepare the user's folders"));
        return 1;
    }

    ModalCloser closer;
    StallMeter meter;
    clock.restart();
    MainWindow window;
    QSignalSpy started(window.historyService(), &HistoryService::sigStarted);
    window.show();
    const qint64 built = clock.elapsed();
    if (!started.wait(60000) || !started.first().first().toBool()) {
        print(QStringLiteral("history did not start"));
        return 1;
    }
    print(QStringLiteral("window built %1 ms, history open %2 ms after the start").arg(built).arg(clock.elapsed()));
    {
        // Asked at once: behind the prune that every start begins with.
        QSignalSpy ready(window.historyService(), &HistoryService::projectorHistoryReady);
        clock.restart();
        window.historyService()->requestProjectorHistory(ipOf(1));
        ready.wait(60000);
        print(QStringLiteral("a history asked while the start's prune runs: %1 ms on the history thread")
                  .arg(clock.elapsed()));
    }
    QSignalSpy checked(window.targetSearch(), &TargetSearch::sigFinished);
    checked.wait(120000);
    QTest::qWait(1000);

    // One projector's history and charts, as "History…" opens it: the
    // first projector asked, then two more.
    for (int i : {projectors / 2, projectors / 3, projectors - 1}) {
        const qint64 from = meter.clock.elapsed();
        DialogHistory *dialog = window.openProjectorHistory(ipOf(i));
        if (!QTest::qWaitFor(
                [&] { return !dialog->findChild<QLabel *>(QStringLiteral("labelState"))->text().endsWith(QChar(0x2026)); },
                60000)) {
            print(QStringLiteral("no history for %1").arg(ipOf(i)));
            return 1;
        }
        QApplication::processEvents(); // painted with its data
        const qint64 to = meter.clock.elapsed();
        print(QStringLiteral("history of %1: shown in %2 ms, longest GUI stall %3 ms (%4 events)")
                  .arg(ipOf(i))
                  .arg(to - from)
                  .arg(meter.longest(from, to))
                  .arg(dialog->shownRows().size()));
        dialog->close();
        QTest::qWait(200);
    }

    {
        const qint64 from = meter.clock.elapsed();
        DialogFleetHistory *dialog = window.openFleetHistory();
        if (!waitForLabel(dialog, QStringLiteral("Updated"), 60000)) {
            print(QStringLiteral("no fleet view"));
            return 1;
        }
        QApplication::processEvents();
        const qint64 to = meter.clock.elapsed();
        print(QStringLiteral("fleet view: shown in %1 ms, longest GUI stall %2 ms (%3 with errors, %4 silent)")
                  .arg(to - from)
                  .arg(meter.longest(from, to))
                  .arg(dialog->list(1)->rowCount())
                  .arg(dialog->list(2)->rowCount()));
        dialog->close();
    }

    // The window's share of one sweep: the table's picture, the alert
    // rules, handing the picture to the history thread.
    QStringList addresses;
    for (int i = 0; i < projectors; ++i)
        addresses.append(ipOf(i));
    TableModelStatus table(TableModelStatus::defaultHeaders(), {});
    table.resetAddresses(addresses);
    table.slotUpdateConnectedIP(addresses);
    for (int row = 0; row < projectors; ++row) {
        table.setCell(row, TableModelStatus::StatusColumn, QStringLiteral("1"));
        table.setCell(row, TableModelStatus::HoursColumn, QString::number(1000 + row));
        table.setCell(row, TableModelStatus::LifeColumn, QStringLiteral("3500"));
        table.setCell(row, TableModelStatus::ErrorCodeColumn, QStringLiteral("0000"));
    }
    HistoryRecorder recorder(&table);
    AlertRules rules;
    rules.setSettings(AlertSettings{true, {}, 90, 10, 10});
    QVector<qint64> costs;
    for (int round = 0; round < 21; ++round) {
        clock.restart();
        const QVector<ProjectorState> states = recorder.snapshot();
        rules.evaluate(recorder.alertInputs(states), QDateTime::currentDateTimeUtc());
        window.historyService()->recordSweep(states);
        costs.append(clock.nsecsElapsed() / 1000);
        QTest::qWait(50); // the history thread stores it meanwhile, as between real sweeps
    }
    std::sort(costs.begin(), costs.end());
    print(QStringLiteral("window thread per stored sweep: median %1 ms, worst %2 ms (21 sweeps)")
              .arg(costs.at(costs.size() / 2) / 1000.0, 0, 'f', 2)
              .arg(costs.constLast() / 1000.0, 0, 'f', 2));
    return 0;
}
