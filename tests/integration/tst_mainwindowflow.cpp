#include "app/appfolders.h"
#include "monitor/statusmonitor.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "ui/mainwindow.h"

#include "tests/common/appconfig.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

const quint16 Port = 7000;
// GarbageIp is listed in the "Found" group only, nobody listens at AbsentIp,
// HugeIp is the test's own peer.
const QString Fleet1 = "127.0.0.2", Fleet2 = "127.0.0.3", Fleet3 = "127.0.0.4", GarbageIp = "127.0.0.5",
              NulIp = "127.0.0.6", HugeIp = "127.0.0.7", AbsentIp = "127.0.0.9";

} // namespace

// The main window wired to the widget-free pieces, against simulated
// projectors: start-up check, console, catalogue, dispatch and console log.
class TestMainWindowFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QCOMPARE(QApplication::activeModalWidget(), nullptr); }

    void constructionFillsConnectableIPs();
    void consoleSendLogsAnswerAndLoadsCatalogueOnce();
    void doubleClickQueriesAndShowsValueName();
    void debounceDropsSecondSend();
    void tcpTimingLinesFollowDebugButton();
    void taskOfThreeSessionsWritesOneTaskLog();
    void silentTargetShowsUnknownModel();
    void badAnswersDoNotCrash();
    void unansweredCommandEndsInConsole();
    void consoleSaysWhyNothingHappened();
    void powerStateFollowsSendButtonAndProjector(); // also: the window still works after bad answers

private:
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(name);
        return found ? found : (qFatal("missing child %s", name), nullptr);
    }
    QComboBox *targets() const { return child<QComboBox>("comboboxIP"); }
    QPushButton *sendButton() const { return child<QPushButton>("pushButton_SendCmd"); }
    QStringList consoleLines() const { return child<QPlainTextEdit>("plainTextConsole")->toPlainText().split('\n'); }
    int consoleCount(const QString &line) const { return consoleLines().count(line); }
    int rowsOf(const QString &ip) const
    {
        const CommandCatalogue *catalogue = m_window->commandCatalogue();
        int rows = 0;
        for (int row = 0; row < catalogue->rowCount(); ++row)
            rows += catalogue->fieldText(row, 0).startsWith(ip + ':') ? 1 : 0;
        return rows;
    }
    void send(const QString &ip, const QString &command)
    {
        targets()->setCurrentIndex(targets()->findText(ip));
        child<QLineEdit>("lineEdit_OpCmd")->setText(command);
        QTest::mouseClick(sendButton(), Qt::LeftButton);
    }
    // The window drops a second single command to one projector within 300 ms.
    void waitOutDebounce() { QTest::qWait(320); }

    SimulatorProcess m_sim;
    std::unique_ptr<LogCapture> m_log;
    ModalCloser m_modalCloser;
    std::unique_ptr<MainWindow> m_window;
    int m_catalogueRows = 0; // rows the first per-projector load made
};

void TestMainWindowFlow::initTestCase()
{
    const QString catalogue = TestEnvironment::binDir() + "/pluginPJ/KX4410Q.csv";
    QVERIFY2(m_sim.start({"--range", "127.0.0.2-127.0.0.6", "--model", "KX4410Q", "--catalogue", catalogue,
                          "--warmup-ms", "150", "--mode", "127.0.0.5=garbage", "--mode", "127.0.0.6=nul",
                          // Only TCP here: discovery would name the garbage projector's model.
                          "--no-discovery"}),
             m_sim.errorText());
    QVERIFY(writeAppConfig("Group, Select, IP, Name\nHall A,1\n ,1,127.0.0.2,Left\n ,1,127.0.0.3,Right\n"
                           "Found,1\n ,1,127.0.0.5,\nHall B,1\n ,1,127.0.0.9,Spare\n ,0,127.0.0.4,Rear\n",
                           "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nStyle=Dark\nLocalIP=10.9.9.9\n"));
    m_log = std::make_unique<LogCapture>(OrvLogging::TraceLevel);
    // A configured address the machine does not have is reported in a box,
    // and the projector-models dialog comes up: the modal closer answers both.
    m_window = std::make_unique<MainWindow>();
    // These cases count the console's lines and task logs: no status sweep
    // may add its own (the status tests cover polling).
    m_window->statusMonitor()->stopPolling();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindowFlow::constructionFillsConnectableIPs()
{
    QCOMPARE(m_modalCloser.classNames(), (QStringList{"QMessageBox", "DialogAboutPJ"}));
    QCOMPARE(m_modalCloser.seen().at(0).title, QString("10.9.9.9"));
    QCOMPARE(m_modalCloser.seen().at(0).text, QString("Configured LocalIP NOT Found! \nApply change and try again!"));
    // The check probes in the background.
    QTRY_VERIFY(m_log->find("Found IP:") >= 0);
    QStringList items;
    for (int i = 0; i < targets()->count(); ++i)
        items << targets()->itemText(i);
    // In file order; the silent spare and the temporary "Found" group's
    // address (which does listen) are not among them.
    QCOMPARE(items, (QStringList{Fleet1, Fleet2, Fleet3}));
    QVERIFY(sendButton()->isEnabled());
    // The check starts only once the window is whole.
    const int finding = m_log->find("Finding Connectable Ip at TCP port 7000");
    QVERIFY(m_log->find("Build IP Tree") < m_log->find("Create Status/Cmd Panel"));
    QVERIFY(m_log->find("Create Status/Cmd Panel") < finding && finding < m_log->find("Found IP:"));
}

void TestMainWindowFlow::consoleSendLogsAnswerAndLoadsCatalogueOnce()
{
    QCOMPARE(rowsOf(Fleet1), 0);
    const int before = consoleCount("<<<OP MODEL=KX4410Q");
    send(Fleet1, "op model ?");
    QTRY_COMPARE(consoleCount("<<<OP MODEL=KX4410Q"), before + 1);
    const QStringList lines = consoleLines();
    const int sent = lines.lastIndexOf(">op model ?");
    QCOMPARE(lines.mid(sent + 1, 2), QStringList({"<<" + Fleet1, "<<<OP MODEL=KX4410Q"}));
    QTRY_VERIFY(rowsOf(Fleet1) > 100);
    m_catalogueRows = rowsOf(Fleet1);
    // The answer is recorded on the model's own row.
    const CommandCatalogue *catalogue = m_window->commandCatalogue();
    QCOMPARE(catalogue->fieldText(catalogue->findRow("Model Name", 1, Fleet1), 3), QString("KX4410Q"));

    // The next model answer finds the rows in place.
    const int total = catalogue->rowCount();
    waitOutDebounce();
    send(Fleet1, "op model ?");
    QTRY_COMPARE(consoleCount("<<<OP MODEL=KX4410Q"), before + 2);
    QCOMPARE(rowsOf(Fleet1), m_catalogueRows);
    QCOMPARE(catalogue->rowCount(), total);
}

void TestMainWindowFlow::doubleClickQueriesAndShowsValueName()
{
    waitOutDebounce();
    // The value the row is going to show, set behind the catalogue's back.
    QCOMPARE(m_window->getPjAnserBlocked(Fleet2, Port, "op auto.powon = 1\r\n").value(1).trimmed(), QString("1"));
    targets()->setCurrentIndex(targets()->findText(Fleet2));
    emit targets()->textActivated(Fleet2);
    QTRY_COMPARE(rowsOf(Fleet2), m_catalogueRows);

    const auto categories = child<QDialogButtonBox>("buttonBox")->buttons();
    const auto power = std::find_if(categories.begin(), categories.end(), [](auto *b) { return b->text() == "Power"; });
    QVERIFY(power != categories.end());
    (*power)->click();
    auto *table = child<QTableView>("tableViewCmd");
    QAbstractItemModel *shown = table->model();
    int autoOn = -1;
    for (int row = 0; row < shown->rowCount(); ++row) {
        QCOMPARE(shown->index(row, 0).data().toString(), Fleet2 + ":Power");
        autoOn = shown->index(row, 1).data().toString() == "Auto Power On" ? row : autoOn;
    }
    QVERIFY(autoOn >= 0);
    QVERIFY(shown->index(autoOn, 3).data().toString().isEmpty());

    waitOutDebounce();
    const QPoint centre = table->visualRect(shown->index(autoOn, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(child<QLineEdit>("lineEdit_OpCmd")->text(), QString("op auto.powon ?"));
    QTRY_COMPARE(shown->index(autoOn, 3).data().toString(), QString("1 [On]"));
}

void TestMainWindowFlow::debounceDropsSecondSend()
{
    waitOutDebounce();
    const int sentBefore = consoleCount(">op ser.no ?");
    const int skippedBefore = m_log->count("TimeDiff Skiped:");
    send(Fleet3, "op ser.no ?");
    send(Fleet3, "op ser.no ?");
    QCOMPARE(m_log->count("TimeDiff Skiped:"), skippedBefore + 1);
    QTest::qWait(400);
    QCOMPARE(consoleCount(">op ser.no ?"), sentBefore + 1);
}

void TestMainWindowFlow::tcpTimingLinesFollowDebugButton()
{
    auto *debug = child<QPushButton>("pushButton_DebugTCP");
    const auto timingLines = [this] { return consoleLines().filter(QRegularExpression("^TCP:")).size(); };
    QVERIFY(!debug->isChecked());
    waitOutDebounce();
    const int answers = consoleCount("<<" + Fleet3);
    send(Fleet3, "op status ?");
    QTRY_COMPARE(consoleCount("<<" + Fleet3), answers + 1);
    QTest::qWait(50);
    QCOMPARE(timingLines(), 0);

    QTest::mouseClick(debug, Qt::LeftButton);
    waitOutDebounce();
    send(Fleet3, "op status ?");
    QTRY_COMPARE(timingLines(), 1);
    QVERIFY2(consoleLines().last().contains(" Cmd:0 Time:"), qPrintable(consoleLines().last()));
}

void TestMainWindowFlow::taskOfThreeSessionsWritesOneTaskLog()
{
    QDir data(AppFolders::userDataFolder());
    const QStringList filter{"*.tasklog.txt"};
    const QTime stamp = QTime::currentTime();
    const QString endLine = "--- <END> ---@" + stamp.toString("hh:mm:ss.zzz");
    const QString name = QDate::currentDate().toString("yyMMdd_") + stamp.toString("hhmmss.zzz") + ".tasklog.txt";
    m_window->startConsoleTask(stamp, 3);
    for (const QString &ip : {Fleet1, Fleet2, Fleet3})
        m_window->sendMyTcpCmdList(stamp, ip, {"op model ?", "op ser.no ?"}, Port, true);

    QTRY_COMPARE(data.entryList(filter, QDir::Files), QStringList{name});
    QTest::qWait(200);
    QCOMPARE(data.entryList(filter, QDir::Files).size(), 1);
    QCOMPARE(consoleCount(endLine), 1);

    QFile file(data.filePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith(endLine.toLatin1() + "\r\n"));
    QCOMPARE(bytes.count(">op ser.no ?\r\n"), 3);
    QCOMPARE(bytes.count("<<<OP SER.NO="), 3);
    // The lines of the task only: nothing from before it started.
    QVERIFY(!bytes.contains("op errcode ?"));
}

void TestMainWindowFlow::badAnswersDoNotCrash()
{
    const CommandCatalogue *catalogue = m_window->commandCatalogue();
    const int rows = catalogue->rowCount();
    const int errRow = catalogue->findRow("Error Code", 1, Fleet1);
    const QString big(100000, 'x');
    for (const QString &answer : QStringList{"no equals", QString(), "OP MODEL=", QString(100000, '='), "OP MODEL=" + big})
        m_window->slotCmdResult(Fleet1, answer);
    m_window->slotCmdResult(Fleet1, QString("OP ERRCODE=12") + QChar(0) + "junk=7");
    QCOMPARE(catalogue->fieldText(errRow, 3), QString("12"));
    QCOMPARE(catalogue->rowCount(), rows);

    // On the wire: garbage, an answer cut by a NUL, and 100 kB from a
    // projector of our own.
    QTcpServer huge;
    QVERIFY(huge.listen(QHostAddress(HugeIp), Port));
    connect(&huge, &QTcpServer::newConnection, this, [&huge] {
        QTcpSocket *peer = huge.nextPendingConnection();
        connect(peer, &QTcpSocket::readyRead, peer, [peer] {
            peer->readAll();
            peer->write("OP MODEL=" + QByteArray(100000, 'A') + "\r\n");
        });
    });
    for (const QString &ip : {GarbageIp, NulIp, HugeIp})
        m_window->sendMyTcpCmd(ip, "op model ?", Port);
    QTRY_VERIFY(consoleLines().contains("<<" + GarbageIp) && consoleLines().contains("<<" + HugeIp));
    // The NUL answer is cut before the junk and still names the model.
    QTRY_COMPARE(rowsOf(NulIp), m_catalogueRows);
    QCOMPARE(rowsOf(GarbageIp) + rowsOf(HugeIp), 0);
}

void TestMainWindowFlow::unansweredCommandEndsInConsole()
{
    // Nobody listens at AbsentIp: the command and the refusal both show.
    m_window->sendMyTcpCmd(AbsentIp, "op status ?", Port);
    QTRY_VERIFY(consoleLines().contains("!" + AbsentIp + " refused: op status ? (Connection refused)"));
    const QStringList lines = consoleLines();
    QCOMPARE(lines.at(lines.size() - 2), QString(">op status ?"));
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("Error:Connection refused"));
}

void TestMainWindowFlow::consoleSaysWhyNothingHappened()
{
    QStatusBar *bar = m_window->statusBar();
    const int linesBefore = consoleLines().size();
    waitOutDebounce();
    send(Fleet1, "   ");
    QCOMPARE(bar->currentMessage(), QString("Nothing sent: the command field is empty"));

    // Fleet1's catalogue is loaded: a bare function name is looked up, an
    // unknown one is refused instead of going out as "op <name>".
    auto *name = child<QLineEdit>("lineEdit_OpName");
    auto *command = child<QLineEdit>("lineEdit_OpCmd");
    targets()->setCurrentIndex(targets()->findText(Fleet1));
    command->setText("op keep ?");
    name->setText("No Such Function");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(command->text(), QString("op keep ?"));
    QVERIFY2(bar->currentMessage().startsWith("No function (No Such Function) in the catalogue of " + Fleet1),
             qPrintable(bar->currentMessage()));
    name->setText("Model Name");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(command->text(), QString("op model"));
    QCOMPARE(name->text(), QString("(Model Name)"));
    QCOMPARE(consoleLines().size(), linesBefore);
}

void TestMainWindowFlow::silentTargetShowsUnknownModel()
{
    // Fleet1 has named its model; GarbageIp never does.
    waitOutDebounce();
    targets()->setCurrentIndex(targets()->findText(Fleet1));
    emit targets()->textActivated(Fleet1);
    auto *box = child<QDialogButtonBox>("buttonBox");
    QTRY_VERIFY(box->buttons().size() > 3);
    targets()->addItem(GarbageIp);
    targets()->setCurrentIndex(targets()->findText(GarbageIp));
    emit targets()->textActivated(GarbageIp);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().first()->text(), QString("unknown model"));
    QCOMPARE(child<QTableView>("tableViewCmd")->model()->rowCount(), 0);
    targets()->removeItem(targets()->findText(GarbageIp));
    // Back to a known model: its categories at once.
    targets()->setCurrentIndex(targets()->findText(Fleet1));
    emit targets()->textActivated(Fleet1);
    QVERIFY(box->buttons().size() > 3);
}

void TestMainWindowFlow::powerStateFollowsSendButtonAndProjector()
{
    m_window->dispatch()->setSendingEnabled(false);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_window->getPowerState(Fleet3, Port), -2);
    QVERIFY(clock.elapsed() < 100);
    m_window->dispatch()->setSendingEnabled(true);

    // The query comes from the projector's own catalogue rows.
    waitOutDebounce();
    send(Fleet3, "op model ?");
    QTRY_COMPARE(rowsOf(Fleet3), m_catalogueRows);
    QCOMPARE(m_window->getPowerState(Fleet3, Port), 0);
    QCOMPARE(m_window->getPowerState(AbsentIp, Port), -1);

    waitOutDebounce();
    send(Fleet3, "op power.on");
    QTRY_COMPARE(consoleLines().filter(QRegularExpression("^<<<OP POWER\\.ON=")).size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->getPowerState(Fleet3, Port), 2, 3000);
}

ORV_TEST_MAIN(TestMainWindowFlow)
#include "tst_mainwindowflow.moc"
