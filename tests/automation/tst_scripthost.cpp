#include "automation/scriptedclass.h"
#include "automation/scripthost.h"
#include "automation/scriptwatchdog.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "net/sessionpool.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QApplication>
#include <QJSEngine>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const quint16 SimPort = 7123; // not the default: scripts must use the configured port

} // namespace

// The script host against simulated projectors, and scripts that go wrong.
class TestScriptHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void objectAndGlobalsPersist();
    void fileErrorsBecomeDeepPinkBreakLines();
    void namesOutsideTheFolderAreRefused();
    void runawayScriptsAreStoppedAndHostGoesOn_data();
    void runawayScriptsAreStoppedAndHostGoesOn();
    void wrongArgumentTypesAreHarmless();
    void onlyTheScriptApiIsReachable();
    void saveLogIsBoundedAndTakesPlainNamesOnly();
    void nonSingleHostsAreScriptErrors();
    void watchdogSleepsWithoutScript();
    void dueScriptsWaitForTheRunningOne();
    void allcmdWaitsForEveryAnswerOnConfiguredPort();
    void tcpcmdEmptiesResultAndUnreachableTimesOut();
    void byNameLooksUpEachProjectorsCatalogue();

private:
    void writeScript(const QString &name, const QByteArray &text)
    {
        QVERIFY(TestFiles::write(m_dir.filePath(name), text));
    }
    QJSValue global(const QString &name) const { return m_host->engine()->globalObject().property(name); }

    SimulatorProcess m_sim;
    QTemporaryDir m_dir;
    CommandDispatch m_dispatch;
    QPlainTextEdit m_log;
    std::unique_ptr<ScriptHost> m_host;
};

void TestScriptHost::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(m_sim.start({"--port", QString::number(SimPort), "--range", "127.0.0.2-127.0.0.4", "--model", "KX4410Q"}),
             m_sim.errorText());
    m_dispatch.setPort(SimPort);
}

void TestScriptHost::init()
{
    m_host = std::make_unique<ScriptHost>(&m_dispatch, &m_log, m_dir.path());
}

void TestScriptHost::objectAndGlobalsPersist()
{
    QCOMPARE(m_host->evaluateLine("var counter = 41"), QString());
    writeScript("count.js", "counter += 1;\nvar appName = Orvanto.appname;\nlog.appendPlainText('counted');\n");
    QCOMPARE(m_host->runFile("count.js"), ScriptHost::RunResult::Finished);
    QCOMPARE(global("counter").toInt(), 42);
    QCOMPARE(global("appName").toString(), QString("Orvanto-1.1.3.0"));
    QVERIFY(m_log.toPlainText().endsWith("counted"));
    QCOMPARE(m_host->runFile("nosuch.js"), ScriptHost::RunResult::Missing);
    QVERIFY(m_host->evaluateLine("nosuch()").contains("ReferenceError"));
}

void TestScriptHost::fileErrorsBecomeDeepPinkBreakLines()
{
    QSignalSpy html(m_host.get(), &ScriptHost::sigLogHtml);
    writeScript("syntax.js", "var a = 1;\nvar b = 2;\nvar c = (;\n");
    m_host->runFile("syntax.js");
    QCOMPARE(html.count(), 1);
    const QString line = html.takeFirst().at(0).toString();
    QVERIFY2(line.startsWith("<font color=\"DeepPink\">Break at Line 3, ") && line.endsWith("</font><br>"),
             qPrintable(line));

    writeScript("throw.js", "var x = 1;\nthrow new Error('<b>boom</b>');\n");
    m_host->runFile("throw.js");
    const QString thrown = html.takeFirst().at(0).toString();
    QVERIFY2(thrown.contains("Break at Line 2, ") && thrown.contains("&lt;b&gt;boom") && !thrown.contains("<b>"),
             qPrintable(thrown));
}

void TestScriptHost::namesOutsideTheFolderAreRefused()
{
    QTemporaryDir outside;
    const QString escaped = outside.filePath("x.js");
    QVERIFY(TestFiles::write(escaped, "var escaped = true;"));
    QSignalSpy lines(m_host.get(), &ScriptHost::sigLogText);
    QCOMPARE(m_host->runFile(QDir(m_dir.path()).relativeFilePath(escaped)), ScriptHost::RunResult::Refused);
    QCOMPARE(m_host->runFile(escaped), ScriptHost::RunResult::Refused);
    QCOMPARE(lines.count(), 2);
    QVERIFY(global("escaped").isUndefined());
}

void TestScriptHost::runawayScriptsAreStoppedAndHostGoesOn_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("error");
    QTest::newRow("endless loop") << QByteArray("var i = 0;\nwhile (true) { ++i; }\n") << "Script stopped";
    QTest::newRow("endless recursion") << QByteArray("function f(n) { return f(n + 1) + 1; }\nf(0);\n")
                                       << "RangeError";
    QTest::newRow("huge buffer") << QByteArray("var b = new ArrayBuffer(Math.pow(2, 53));\n") << "RangeError";
    QTest::newRow("polling with waits") << QByteArray("for (;;) Orvanto.waitTcpClose();\n")
                                        << "Script stopped: it ran for more than 1 s";
}

void TestScriptHost::runawayScriptsAreStoppedAndHostGoesOn()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, error);
    m_host->setWatchdogLimitMs(300);
    m_host->setRunLimitMs(1000);
    writeScript("bad.js", script);
    QSignalSpy html(m_host.get(), &ScriptHost::sigLogHtml);
    m_host->runFile("bad.js");
    QCOMPARE(html.count(), 1);
    QVERIFY2(html.at(0).at(0).toString().contains(error), qPrintable(html.at(0).at(0).toString()));
    QVERIFY(!m_host->isRunning());
    // The engine is usable again right away.
    QCOMPARE(m_host->evaluateLine("var after = 6 * 7"), QString());
    QCOMPARE(global("after").toInt(), 42);
}

void TestScriptHost::wrongArgumentTypesAreHarmless()
{
    QSignalSpy refused(m_host.get(), &ScriptHost::sigLogText);
    const QStringList calls{"Orvanto.tcpcmd(42, {a: 1})", "Orvanto.tcpcmd()", "Orvanto.tcpcmds('127.0.0.2', 5)",
                            "Orvanto.allcmds(null)", "Orvanto.allcmdsByName([1, {}, null])",
                            "Orvanto.tcpcmd('127.0.0.2', '')", "Orvanto.saveLog({})", "Orvanto.tcpresult = 'x'"};
    for (const QString &call : calls)
        m_host->evaluateLine(call);
    QVERIFY(refused.count() >= 3);
    QCOMPARE(m_host->scriptObject()->pendingSessions(), 0);
}

void TestScriptHost::onlyTheScriptApiIsReachable()
{
    const auto type = [this](const QString &member) {
        m_host->evaluateLine("var t = typeof Orvanto." + member);
        return global("t").toString();
    };
    for (const char *internal : {"sigActivity", "sigWaiting", "sigRefused", "sigPlaySound"})
        QCOMPARE(type(internal), QString("undefined"));
    for (const char *api : {"sigSaveLogAs", "tcpcmd", "waitTcpClose", "slotMySocketState", "saveLog", "play_harp"})
        QCOMPARE(type(api), QString("function"));
    QCOMPARE(type("tcpresult"), QString("string"));
}

void TestScriptHost::saveLogIsBoundedAndTakesPlainNamesOnly()
{
    QSignalSpy saves(m_host.get(), &ScriptHost::sigSaveLogAs);
    QSignalSpy refused(m_host.get(), &ScriptHost::sigLogText);
    m_host->evaluateLine("for (var i = 0; i < 1000; ++i) Orvanto.saveLog('run' + i);");
    QCOMPARE(saves.count(), ScriptedClass::MaxSavesPerRun);
    QCOMPARE(saves.last().at(0).toString(), QString("run%1").arg(ScriptedClass::MaxSavesPerRun - 1));
    saves.clear();
    refused.clear();
    m_host->evaluateLine(R"(['../x', 'a/b', 'a\b', 'C:x', 'x..y', 'a|b', ''].forEach(function (n) {
                             Orvanto.saveLog(n); Orvanto.sigSaveLogAs(n); });)");
    QCOMPARE(saves.count(), 0);
    QCOMPARE(refused.count(), 14);
}

void TestScriptHost::nonSingleHostsAreScriptErrors()
{
    for (const QString address : {"0.0.0.0", "255.255.255.255", "239.255.43.21", "240.0.0.1", "0.1.2.3", "127.1"}) {
        const QString error = m_host->evaluateLine(QString("Orvanto.tcpcmd('%1', 'op power = 0');").arg(address));
        QVERIFY2(error.contains(address), qPrintable(error));
    }
    QCOMPARE(m_host->scriptObject()->pendingSessions(), 0);
}

void TestScriptHost::watchdogSleepsWithoutScript()
{
    m_host->evaluateLine("var idle = 1");
    const int before = m_host->watchdog()->wakeUps();
    QTest::qWait(300);
    QVERIFY(m_host->watchdog()->wakeUps() - before <= 1);
}

void TestScriptHost::dueScriptsWaitForTheRunningOne()
{
    writeScript("first.js", "var order = (typeof order === 'undefined') ? [] : order;\norder.push('first-start');\n"
                            "Orvanto.waitTcpClose();\norder.push('first-end');\n");
    writeScript("second.js", "order.push('second');\n");
    writeScript("huge.js", QByteArray(ScriptHost::MaxScriptBytes + 1, ' '));
    ScriptHost::RunResult whileRunning = ScriptHost::RunResult::Finished;
    QTimer::singleShot(100, this, [&] {
        // A queued script that turns out too large does not hold up the next.
        QCOMPARE(m_host->runFile("huge.js"), ScriptHost::RunResult::Queued);
        whileRunning = m_host->runFile("second.js");
        QCOMPARE(m_host->evaluateLine("order.push('line')").isEmpty(), false);
    });
    m_host->runFile("first.js");
    QCOMPARE(whileRunning, ScriptHost::RunResult::Queued);
    QTRY_COMPARE(global("order").toVariant().toStringList(),
                 (QStringList{"first-start", "first-end", "second"}));
}

void TestScriptHost::allcmdWaitsForEveryAnswerOnConfiguredPort()
{
    // Script sessions share the fleet's bound on open conversations.
    const int limit = m_dispatch.sessionPool()->limit();
    m_dispatch.sessionPool()->setLimit(2);
    const auto restore = qScopeGuard([&] { m_dispatch.sessionPool()->setLimit(limit); });
    m_host->scriptObject()->slotUpdateConnectedIP({"127.0.0.2", "127.0.0.3", "127.0.0.4"});
    writeScript("models.js", "Orvanto.allcmd('op model ?');\nOrvanto.waitTcpClose();\nvar models = Orvanto.tcpresult;\n");
    QElapsedTimer clock;
    clock.start();
    m_host->runFile("models.js");
    const QString models = global("models").toString();
    for (const QString ip : {"127.0.0.2", "127.0.0.3", "127.0.0.4"})
        QVERIFY2(models.contains(ip + ">\tOP MODEL=KX4410Q"), qPrintable(models));
    // The wait ends with the last answer, not after the idle second.
    QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_dispatch.sessionPool()->peak(), 2);
}

void TestScriptHost::tcpcmdEmptiesResultAndUnreachableTimesOut()
{
    m_host->evaluateLine("Orvanto.tcpcmd('127.0.0.2', 'op model ?'); Orvanto.waitTcpClose();");
    QVERIFY(m_host->scriptObject()->tcpresult().startsWith("127.0.0.2>\tOP MODEL="));
    // Nobody listens at .9: the next send empties the result first.
    m_host->evaluateLine("Orvanto.tcpcmd('127.0.0.9', 'op model ?'); var early = Orvanto.tcpresult;");
    QCOMPARE(global("early").toString(), QString());
    QTRY_COMPARE_WITH_TIMEOUT(m_host->scriptObject()->pendingSessions(), 0, 10000);
}

void TestScriptHost::byNameLooksUpEachProjectorsCatalogue()
{
    CommandCatalogue catalogue;
    catalogue.appendCatalogueRow({"127.0.0.2:Status", "Model Name", "model", "", "?"});
    catalogue.appendCatalogueRow({"127.0.0.2:Status", "Serial Number", "ser.no", "", "?"});
    catalogue.appendCatalogueRow({"127.0.0.3:Status", "Model Name", "model", "", "?"});
    m_host->scriptObject()->slotCmdModel(&catalogue);
    m_host->scriptObject()->slotUpdateConnectedIP({"127.0.0.2", "127.0.0.3"});
    m_host->evaluateLine("Orvanto.allcmdsByName(['Model Name', 'Serial Number']); Orvanto.waitTcpClose();");
    const QString result = m_host->scriptObject()->tcpresult();
    // .3 has no serial number in its catalogue: it is asked only for the model.
    QCOMPARE(result.count(">\tOP MODEL="), 2);
    QCOMPARE(result.count(">\tOP SER.NO="), 1);
    QVERIFY2(result.contains("127.0.0.2>\tOP SER.NO="), qPrintable(result));
    m_host->evaluateLine("Orvanto.allcmdByName('No Such Function'); Orvanto.waitTcpClose();");
    QCOMPARE(m_host->scriptObject()->tcpresult(), QString());
}

ORV_TEST_MAIN(TestScriptHost)
#include "tst_scripthost.moc"
