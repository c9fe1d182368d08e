#include "monitor/powerswitchwalk.h"
#include "net/pjlinkdirectory.h"
#include "net/sessionpool.h"
#include "tests/common/simulatorprocess.h"
#include "tests/status/statusrig.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

namespace {

// A mixed fleet: three KX4410Q in different states, one KX2800L (its own
// power command and a 3000 h rated life), a projector answering junk and an
// address where nobody listens.
const QString Standby = "127.0.0.2", Lit = "127.0.0.3", Faulty = "127.0.0.4", Small = "127.0.0.5", Junk = "127.0.0.6",
              Absent = "127.0.0.7", Unasked = "127.0.0.20";

} // namespace

// The status monitor against simulated projectors on loopback.
class TestStatusMonitor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answersLandOnlyInTheirRow();
    void sweepFillsRowsAndWritesOneTaskLog();
    void allOnWalksMixedFleetInOrder();
    void allOffCancelledSendsNothing();
    void allOnOverAnUnreachableFleetEnds();

private:
    SimulatorProcess m_big;
    SimulatorProcess m_small;
};

void TestStatusMonitor::initTestCase()
{
    QVERIFY2(m_big.start({"--address", Standby, "--address", Lit, "--address", Faulty, "--mode", Junk + "=garbage",
                          "--power", Lit + "=2", "--fault", Faulty + "=0612", "--life-percent", Standby + "=95",
                          "--life-percent", Lit + "=80", "--warmup-ms", "300"}),
             m_big.errorText());
    QVERIFY2(m_small.start({"--address", Small, "--model", "KX2800L", "--catalogue",
                            TestEnvironment::sourceDir() + "/pluginPJ/KX2800L.csv", "--life-percent", "110",
                            "--warmup-ms", "300"}),
             m_small.errorText());
}

void TestStatusMonitor::answersLandOnlyInTheirRow()
{
    StatusRig rig;
    rig.monitor.rebuild({"10.0.0.11", "10.0.0.1"});
    rig.monitor.updateFromAnswer("10.0.0.1", "OP STATUS", "2");
    rig.monitor.updateFromAnswer("10.0.0.111", "OP STATUS", "4");
    rig.monitor.updateFromAnswer("10.0.0.1", "OP INPUT.SEL", "3");
    rig.monitor.updateFromAnswer("10.0.0.1", "OP SIGNAL", QString(70000, 'x'));
    QCOMPARE(rig.cell("10.0.0.1", TableModelStatus::StatusColumn), QString("2"));
    QCOMPARE(rig.cell("10.0.0.11", TableModelStatus::StatusColumn), QString());
    QCOMPARE(rig.cell("10.0.0.1", TableModelStatus::InputColumn), QString());
    QCOMPARE(rig.cell("10.0.0.1", TableModelStatus::SignalColumn).size(), int(StatusMonitor::MaxCellLength));
}

void TestStatusMonitor::sweepFillsRowsAndWritesOneTaskLog()
{
    StatusRig rig;
    // Junk names no model with a catalogue: it is asked one query alone.
    rig.monitor.rebuild({Standby, Unasked, Lit, Faulty, Small, Junk});
    rig.dispatch.setConnectedIPs({Standby, Lit, Faulty, Small, Junk});
    rig.dispatch.sessionPool()->setLimit(2);

    // The target sweep loads each projector's catalogue.
    rig.monitor.targetSweep();
    QCOMPARE(rig.shown.first().left(22), QString("--- Check Targets ---@"));
    QTRY_VERIFY(rig.catalogue.hasRowsForIP(Small) && rig.catalogue.hasRowsForIP(Faulty));

    rig.monitor.sweep();
    QTRY_COMPARE(rig.taskLogs.size(), 1);
    QCOMPARE(rig.linesStartingWith("--- <END>").size(), 1);
    QCOMPARE(rig.answers, 1 * 5 + 8 * 4 + 1);
    QCOMPARE(rig.dispatch.sessionPool()->peak(), 2);

    QCOMPARE(rig.cell(Standby, TableModelStatus::StatusColumn), QString("0"));
    QCOMPARE(rig.cell(Standby, TableModelStatus::LifeColumn), QString("20000"));
    QCOMPARE(rig.cell(Lit, TableModelStatus::StatusColumn), QString("2"));
    QCOMPARE(rig.cell(Lit, TableModelStatus::SignalColumn), QString("1920x1080@60Hz"));
    QCOMPARE(rig.cell(Faulty, TableModelStatus::ErrorCodeColumn), QString("0612"));
    // Each lamp measured against its own model's life.
    QCOMPARE(rig.cell(Small, TableModelStatus::ModelColumn), QString("KX2800L"));
    QCOMPARE(rig.cell(Small, TableModelStatus::LifeColumn), QString("3000"));
    QCOMPARE(rig.cell(Small, TableModelStatus::HoursColumn), QString("3300"));
    QVERIFY(!rig.cell(Small, TableModelStatus::SerialColumn).isEmpty() &&
            !rig.cell(Small, TableModelStatus::InputColumn).isEmpty());
    // Exact addresses: 127.0.0.2's answers never reach 127.0.0.20.
    QCOMPARE(rig.monitor.model()->cell(1, TableModelStatus::ModelColumn), QString());

    // The task log holds the sweep from its first line to its end line.
    QFile log(rig.console.taskLogPath(rig.taskLogs.first(), QDate::currentDate()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    QVERIFY(text.startsWith("--- Check Status ---@"));
    QVERIFY(text.endsWith("--- <END> ---@" + rig.taskLogs.first().toLatin1().insert(2, ':').insert(5, ':') + "\r\n"));

    // The folder is shown only after a written export.
    QStringList opened;
    rig.monitor.setFolderOpener([&](const QString &folder) { opened.append(folder); });
    QVERIFY(rig.monitor.exportStatus(QDateTime::currentDateTime()));
    QCOMPARE(opened, QStringList{TestEnvironment::root()});
    rig.monitor.setUserDataFolder(TestEnvironment::root() + "/missing");
    QVERIFY(!rig.monitor.exportStatus(QDateTime::currentDateTime()));
    QCOMPARE(opened.size(), 1);
}

void TestStatusMonitor::allOnWalksMixedFleetInOrder()
{
    StatusRig rig;
    // The catalogues the status query and the power commands come from.
    const QString plugins = CatalogueFiles::pluginFolder(TestEnvironment::sourceDir());
    for (const QString &ip : {Standby, Lit, Faulty, Junk, Absent})
        rig.catalogue.loadCatalogueForIP(ip, "KX4410Q", plugins);
    rig.catalogue.loadCatalogueForIP(Small, "KX2800L", plugins);
    rig.dispatch.setConnectedIPs({Lit, Absent, Standby, Junk, Faulty, Small});
    rig.monitor.rebuild({Standby, Lit, Small});
    rig.monitor.setRecheckDelays(100, 1500);
    QStringList sent;
    connect(rig.monitor.walk(), &PowerSwitchWalk::sigSendCommand,
            [&](const QString &ip, const QString &command) { sent.append(ip + ' ' + command); });
    int asked = 0;
    rig.monitor.setConfirmation([&](PowerSwitchRule::Direction direction) {
        ++asked;
        return direction == PowerSwitchRule::Direction::On;
    });
    QSignalSpy finished(rig.monitor.walk(), &PowerSwitchWalk::sigFinished);

    rig.monitor.switchAll(PowerSwitchRule::Direction::On);
    QVERIFY(rig.monitor.isSwitching());
    // A second click while the walk runs starts nothing.
    rig.monitor.switchAll(PowerSwitchRule::Direction::On);
    QCOMPARE(asked, 1);
    QTRY_COMPARE(finished.count(), 1);
    // The switched projectors are asked again: warming up, then lit.
    QTRY_COMPARE(rig.cell(Standby, TableModelStatus::StatusColumn), QString("1"));
    QCOMPARE(rig.cell(Lit, TableModelStatus::StatusColumn), QString());
    QTRY_COMPARE(rig.cell(Small, TableModelStatus::StatusColumn), QString("2"));
    QTRY_COMPARE(rig.cell(Standby, TableModelStatus::StatusColumn), QString("2"));
    // The power commands' own sessions log too; these are the walk's lines.
    QCOMPARE(rig.monitorLines.size(), 7);
    QVERIFY(rig.monitorLines.first().startsWith("--- One Click On ---"));
    QCOMPARE(rig.monitorLines.mid(1), QStringList({"On:" + Lit, "No Answer:" + Absent, "Turning On:" + Standby,
                                                   "No Answer:" + Junk, "Error:" + Faulty, "Turning On:" + Small}));
    QCOMPARE(sent, QStringList({Standby + " op power.on", Small + " op pwr.on"}));
}

void TestStatusMonitor::allOffCancelledSendsNothing()
{
    StatusRig rig;
    rig.dispatch.setConnectedIPs({Lit});
    rig.monitor.setConfirmation([](PowerSwitchRule::Direction) { return false; });
    rig.monitor.switchAll(PowerSwitchRule::Direction::Off);
    QVERIFY(!rig.monitor.isSwitching());
    QCOMPARE(rig.shown, QStringList());

    // Nothing connected: not even the question.
    int asked = 0;
    rig.monitor.setConfirmation([&](PowerSwitchRule::Direction) { return ++asked > 0; });
    rig.dispatch.setConnectedIPs({});
    rig.monitor.switchAll(PowerSwitchRule::Direction::Off);
    QCOMPARE(asked, 0);

    // Sending disabled: nobody is asked, everyone is "No Answer:". A PJLink
    // projector is left to its own switch and gets no op query.
    PJLinkDirectory pjlink;
    pjlink.setProbed(Absent, true);
    rig.monitor.setPJLinkDirectory(&pjlink);
    QStringList confirmed;
    connect(&rig.monitor, &StatusMonitor::sigSwitchConfirmed,
            [&](PowerSwitchRule::Direction, const QStringList &addresses) { confirmed = addresses; });
    rig.dispatch.setConnectedIPs({Lit, Absent, Standby});
    rig.dispatch.setSendingEnabled(false);
    rig.monitor.switchAll(PowerSwitchRule::Direction::Off);
    QTRY_VERIFY(!rig.monitor.isSwitching());
    QCOMPARE(rig.monitorLines.mid(1), QStringList({"No Answer:" + Lit, "No Answer:" + Standby}));
    QCOMPARE(confirmed, QStringList({Lit, Absent, Standby}));
    QVERIFY(rig.monitor.sweepQueries(Absent).isEmpty() && !rig.monitor.sweepQueries(Lit).isEmpty());
}

void TestStatusMonitor::allOnOverAnUnreachableFleetEnds()
{
    // No route to any of them: every connect fails inside its own start.
    PowerSwitchWalk walk;
    walk.setQueryLookup([](const QString &) { return QStringLiteral("op status ?"); });
    QStringList fleet;
    for (int i = 0; i < 20000; ++i)
        fleet.append(QStringLiteral("10.%1.%2.%3").arg(i / 65536 + 1).arg(i / 256 % 256).arg(i % 256));
    int noAnswer = 0;
    connect(&walk, &PowerSwitchWalk::sigLog, [&noAnswer](const QString &line) {
        noAnswer += line.startsWith("No Answer:");
    });
    QVERIFY(walk.start(PowerSwitchRule::Direction::On, fleet, 7000));
    QTRY_VERIFY_WITH_TIMEOUT(!walk.isRunning(), 60000);
    QCOMPARE(noAnswer, fleet.size());
}

ORV_TEST_MAIN(TestStatusMonitor)
#include "tst_statusmonitor.moc"
