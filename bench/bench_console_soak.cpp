// A day of polling in a minute: 40 projectors polled every 5 minutes for 24
// simulated hours (288 sweeps, the clock faked through the task stamps), each
// sweep sending the lines a real one does (about 800: commands, answers,
// timing lines) through the console rules into the console pane, its 40 end
// lines closing the task and writing the task log, and the answers into the
// catalogue. One whole sweep per turn of the event loop (a real one spreads
// over many). Reported per simulated hour: resident memory, lines in the
// pane, task logs written, the longest sweep turn and the longest flush of
// its lines into the pane (both in thread CPU time). With "--unbounded" the pane keeps every line, for comparison.
//   bench_console_soak [--unbounded]
#include "bench/benchsupport.h"
#include "tests/common/testenvironment.h"

#include "app/consolelogrules.h"
#include "app/consolepane.h"
#include "app/orvlog/OrvLog.h"
#include "app/tasklogwriter.h"
#include "net/cataloguefiles.h"
#include "net/commandcatalogue.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    OrvLogging::Logger::instance().setLoggingLevel(OrvLogging::InfoLevel);
    const bool unbounded = app.arguments().contains(QStringLiteral("--unbounded"));

    QTemporaryDir logs;
    QPlainTextEdit view;
    view.resize(800, 600);
    view.show();
    ConsolePane pane(&view);
    if (unbounded)
        view.setMaximumBlockCount(0);
    ConsoleLogRules rules(false, logs.path());
    rules.setShowTcpTraffic(true);
    TaskLogWriter writer;
    int taskLogs = 0;
    QObject::connect(&writer, &TaskLogWriter::sigWritten, [&](const QString &path) {
        ++taskLogs;
        QFile::remove(path); // keeps the disk use flat too
    });
    CommandCatalogue catalogue;
    catalogue.loadCommandFile(CatalogueFiles::cataloguePath(shippedPlugins(), QStringLiteral("default")));
    QStringList ips;
    for (int i = 1; i <= 40; ++i) {
        ips.append(QStringLiteral("10.30.0.%1").arg(i));
        catalogue.loadCatalogueForIP(ips.last(), i % 2 ? QStringLiteral("KX4410Q") : QStringLiteral("KX2800L"), shippedPlugins());
    }
    const QStringList ops{"errcode", "status", "ser.no", "signal", "act.source", "input.sel", "total.hours"};

    const int sweeps = 24 * 12;
    int sweep = 0;
    qint64 longestTurn = 0;
    qint64 longestFlush = 0;
    qint64 lines = 0;
    std::printf("hour  RSS MiB  pane lines  task logs  turn CPU ms  flush CPU ms\n");
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const qint64 turnStart = threadCpuNs();
        const QTime stamp = QTime(0, 0).addSecs(sweep * 300);
        const QString at = stamp.toString(QStringLiteral("hh:mm:ss.zzz"));
        rules.clearTaskLines();
        rules.addPendingTasks(stamp, ips.size());
        const auto show = [&](const QString &line) {
            ++lines;
            const ConsoleLogRules::Decision decision = rules.process(line);
            if (decision.show)
                pane.append(line, decision.colour);
            if (!decision.taskLogStamp.isEmpty())
                writer.write(rules.taskLogPath(decision.taskLogStamp, QDate(2024, 3, 5)), rules.taskLogLines());
        };
        show(QStringLiteral("--- Check Status ---@") + at);
        for (const QString &ip : ips) {
            for (const QString &op : ops) {
                const QString value = QString::number((sweep + ip.size()) % 4);
                show(QLatin1Char('>') + ip + QStringLiteral(": op ") + op + QStringLiteral(" ?"));
                show(QStringLiteral("<<<OP ") + op.toUpper() + QLatin1Char('=') + value);
                show(QStringLiteral("TCP: ") + ip + QStringLiteral(" Cmd:0 Time:12ms"));
                catalogue.updateCatalogueValue(ip, op, value);
            }
            show(QStringLiteral("--- <END> ---@") + at);
        }
        const qint64 flushStart = threadCpuNs();
        pane.flush();
        longestFlush = qMax(longestFlush, threadCpuNs() - flushStart);
        longestTurn = qMax(longestTurn, threadCpuNs() - turnStart);
        ++sweep;
        if (sweep % 12 == 0 || sweep == 1) {
            pane.flush();
            std::printf("%4d  %7.1f  %10d  %9d  %11.2f  %12.2f\n", sweep / 12, memoryMiB("VmRSS:"),
                        view.document()->blockCount(), taskLogs, longestTurn / 1e6, longestFlush / 1e6);
            longestTurn = 0;
            longestFlush = 0;
        }
        if (sweep == sweeps) {
            poll.stop();
            QTimer::singleShot(200, &app, &QApplication::quit); // the last task logs
        }
    });
    poll.start();
    app.exec();
    // A flood: a full pane's worth of lines handed in within one turn.
    for (int i = 0; i < ConsolePane::MaxBlocks * 2; ++i)
        pane.append(QStringLiteral("<<<OP FLOOD=%1").arg(i), Qt::gray);
    const qint64 floodStart = threadCpuNs();
    pane.flushTurn();
    std::printf("a flood of %d lines in one turn: %d appended in the next turn, in %.1f ms CPU\n",
                ConsolePane::MaxBlocks * 2, ConsolePane::MaxLinesPerTurn, (threadCpuNs() - floodStart) / 1e6);
    std::printf("%s pane; %lld lines in %d sweeps; task logs written: %d; peak RSS %.1f MiB\n",
                unbounded ? "unbounded" : "bounded", lines, sweeps, taskLogs, memoryMiB("VmHWM:"));
    return 0;
}
