// Figures for the scheduler and the scripts:
//  - the one-second check with 1,000 jobs (clock, Running column writes, table attached);
//  - allcmd to 250 simulated projectors, waitTcpClose and tcpresult, with the
//    longest gap between 5 ms timer ticks while it runs.
#include "automation/crontimer.h"
#include "automation/scheduler.h"
#include "automation/scriptedclass.h"
#include "automation/scripthost.h"
#include "automation/tablemodelscheduler.h"
#include "net/commanddispatch.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJSEngine>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <algorithm>

class BenchAutomation : public QObject
{
    Q_OBJECT

private slots:
    void oneSecondCheckWithThousandJobs();
    void allcmdToTwoHundredFiftyProjectors();
};

void BenchAutomation::oneSecondCheckWithThousandJobs()
{
    Scheduler scheduler(nullptr, TestEnvironment::root());
    QVector<QStringList> jobs;
    const QStringList rules{"1-5", "*", "1;3;5", "6-7", "2", "1;2;3;4;5;6;7"};
    for (int i = 0; i < 1000; ++i) {
        const QString time = QTime(0, 0).addSecs((i * 37 % 1440) * 60).toString("hh:mm");
        const QString rule = rules.at(i % rules.size());
        jobs.append({QString("job%1.js").arg(i), rule == "*" ? "00:05" : time, rule, "1", "1", "1", "1", "1", "0", "0",
                     "No", "0"});
    }
    scheduler.model()->setJobs(jobs);
    QTableView view;
    scheduler.attachView(&view, true);
    view.resize(1200, 800);
    view.show();
    QDateTime now(QDate(2026, 12, 7), QTime(8, 0));
    CronTimer *cron = scheduler.cronTimer();
    cron->setClock([&] { return now; });
    QObject::connect(cron, &CronTimer::sigNowToSecs, &scheduler, &Scheduler::showSecondsToRun);
    scheduler.updateCronTimerList();

    QVector<qint64> costs;
    QElapsedTimer clock;
    for (int tick = 0; tick < 600; ++tick) {
        now = now.addSecs(1);
        clock.start();
        cron->showTime();
        costs.append(clock.nsecsElapsed());
        if (tick % 50 == 0)
            QCoreApplication::processEvents(); // let the table repaint now and then, as it would
    }
    std::sort(costs.begin(), costs.end());
    qInfo("one-second check, 1000 jobs: median %.3f ms, 99th %.3f ms, max %.3f ms", costs.at(costs.size() / 2) / 1e6,
          costs.at(costs.size() * 99 / 100) / 1e6, costs.last() / 1e6);
}

void BenchAutomation::allcmdToTwoHundredFiftyProjectors()
{
    SimulatorProcess sim;
    QVERIFY2(sim.start({"--range", "127.0.1.1-127.0.1.250", "--model", "KX4410Q"}, 30000), sim.errorText());
    CommandDispatch dispatch;
    ScriptHost host(&dispatch, nullptr, TestEnvironment::root());
    QStringList addresses;
    for (int i = 1; i <= 250; ++i)
        addresses.append(QString("127.0.1.%1").arg(i));
    host.scriptObject()->slotUpdateConnectedIP(addresses);

    QElapsedTimer gap;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, gap.restart()); });
    gap.start();
    ticker.start();

    QElapsedTimer total;
    total.start();
    QCOMPARE(host.evaluateLine("Orvanto.allcmd('op model ?'); var sent = Date.now(); Orvanto.waitTcpClose();"
                               "var waited = Date.now() - sent; var result = Orvanto.tcpresult;"),
             QString());
    const qint64 elapsed = total.elapsed();
    ticker.stop();
    const QString result = host.engine()->globalObject().property("result").toString();
    const int answers = result.count(">\tOP MODEL=KX4410Q");
    qInfo("allcmd to 250 projectors: %d answers in the result, script %lld ms (wait %d ms), longest gap between "
          "5 ms ticks %lld ms",
          answers, elapsed, host.engine()->globalObject().property("waited").toInt(), longestGap);
    QCOMPARE(answers, 250);
}

ORV_TEST_MAIN(BenchAutomation)
#include "bench_automation.moc"
