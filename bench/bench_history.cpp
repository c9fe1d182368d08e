// A year of a 2,000-projector fleet, generated (not waited for): what the
// history costs on disk, how long one projector's history and the fleet view
// take, and what each sweep costs the window's thread.
//
// Run inside the sandbox: scripts/sandbox.sh run <build>/bin/bench_history [projectors] [days]
#include "monitor/dialoghistory.h"
#include "monitor/history/alertrules.h"
#include "monitor/history/historyrecorder.h"
#include "monitor/history/historyservice.h"
#include "monitor/history/historyworker.h"
#include "monitor/tablemodelstatus.h"
#include "tests/common/testenvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

void print(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QString ipOf(int i)
{
    return QStringLiteral("10.%1.%2.%3").arg(i / 65536).arg((i / 256) % 256).arg(i % 256);
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    const int projectors = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 2000;
    const int days = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 365;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History.sqlite"));

    // The generated year: on 08:00-20:00 every day, the lamp counter ticking
    // hourly while on, an error now and then, some projectors silent for a
    // while. Polled every 5 minutes, the store only sees the changes, which
    // all fall on the hour here: one sweep an hour gives the same rows.
    QElapsedTimer clock;
    clock.start();
    {
        HistoryStore store;
        if (!store.open(path)) {
            print(QStringLiteral("cannot open: ") + store.offReason());
            return 1;
        }
        const QDateTime start(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
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
                s.power = on ? QStringLiteral("1") : QStringLiteral("0");
                if (on)
                    ++lamp[i];
                s.lampHours = lamp[i];
                s.errorCode = (hour + i * 7) % 1500 == 0 ? QStringLiteral("12A3") : QStringLiteral("0000");
                s.input = QStringLiteral("HDMI1");
                s.signal = QStringLiteral("1920x1080");
            }
            store.recordSweep(sweep, start.addSecs(qint64(hour) * 3600));
        }
    }
    print(QStringLiteral("generated %1 projectors x %2 days in %3 s").arg(projectors).arg(days).arg(
        clock.elapsed() / 1000.0, 0, 'f', 1));
    print(QStringLiteral("database size: %1 MiB").arg(QFileInfo(path).size() / 1048576.0, 0, 'f', 1));

    // One projector's history and chart, and the fleet view, as the window
    // gets them: through the service's thread.
    HistoryService service;
    service.setClock([] { return QDateTime(QDate(2025, 12, 31), QTime(23, 0), Qt::UTC); });
    QSignalSpy started(&service, &HistoryService::sigStarted);
    clock.restart();
    service.start(path, true, 3650);
    started.wait(600000);
    print(QStringLiteral("open at start (history thread): %1 ms").arg(clock.elapsed()));

    QSignalSpy history(&service, &HistoryService::projectorHistoryReady);
    clock.restart();
    service.requestProjectorHistory(ipOf(projectors / 2));
    history.wait(60000);
    const qint64 query = clock.elapsed();
    const auto answer = history.first().at(1).value<ProjectorHistory>();
    clock.restart();
    DialogHistory dialog(nullptr, answer.ip, answer.ip);
    dialog.showHistory(answer);
    dialog.show();
    app.processEvents();
    print(QStringLiteral("one projector's history: query %1 ms, dialog with charts %2 ms (%3 events, %4 lamp points)")
              .arg(query)
              .arg(clock.elapsed())
              .arg(answer.events.size())
              .arg(answer.lampHours.size()));

    QHash<QString, int> lives;
    for (int i = 0; i < projectors; ++i)
        lives.insert(ipOf(i), 6000);
    QSignalSpy fleet(&service, &HistoryService::fleetViewReady);
    clock.restart();
    service.requestFleetView(lives);
    fleet.wait(60000);
    const auto view = fleet.first().at(1).value<FleetView>();
    print(QStringLiteral("fleet view: %1 ms (%2 lamps due, %3 with errors, %4 silent)")
              .arg(clock.elapsed())
              .arg(view.lampsDue.size())
              .arg(view.errorCounts.size())
              .arg(view.unreachable.size()));

    // The window's share of one sweep: the table's picture, the alert rules,
    // handing the picture to the history thread.
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
    qint64 worst = 0;
    for (int round = 0; round < 20; ++round) {
        clock.restart();
        const QVector<ProjectorState> states = recorder.snapshot();
        rules.evaluate(recorder.alertInputs(states), QDateTime::currentDateTimeUtc());
        service.recordSweep(states);
        worst = qMax(worst, clock.nsecsElapsed() / 1000);
    }
    print(QStringLiteral("window thread per stored sweep: %1 ms (worst of 20)").arg(worst / 1000.0, 0, 'f', 2));
    return 0;
}
