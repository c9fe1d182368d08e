#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"

#include "app/appfolders.h"
#include "net/commandcatalogue.h"
#include "ui/mainwindow.h"

#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBlock>
#include <QtTest>

#include <memory>

namespace {

const quint16 Port = 7000;
const QString Fleet1 = QStringLiteral("127.0.0.2");
const QString Fleet2 = QStringLiteral("127.0.0.3");
const QString Fleet3 = QStringLiteral("127.0.0.4");
const QString GarbageIp = QStringLiteral("127.0.0.5"); // listed in the "Found" group only
const QString NulIp = QStringLiteral("127.0.0.6");
const QString AbsentIp = QStringLiteral("127.0.0.9"); // listed, nobody listens
const QString HugeIp = QStringLiteral("127.0.0.7");   // the test's own peer

// The rows a per-projector load makes of a catalogue file: one per line after
// the header whose first field is not empty.
QStringList catalogueCategories(const QString &path, int *rows)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    QStringList categories;
    *rows = 0;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QString category = QString::fromLatin1(lines.at(i).trimmed()).section(QLatin1Char(','), 0, 0);
        if (category.isEmpty())
            continue;
        ++*rows;
        if (!categories.contains(category))
            categories.append(category);
    }
    return categories;
}

} // namespace

// The main window wired to the widget-free pieces, against simulated
// projectors: start-up check, console, catalogue, dispatch and console log.
class TestMainWindowFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void constructionFillsConnectableIPs();
    void commandPageAtStart();
    void consoleSendLogsAnswerAndLoadsCatalogueOnce();
    void pickedTargetShowsCategoriesAndDoubleClickQueries();
    void featureCategoryHidesLifeRows();
    void typedNameAndCommandLookUp();
    void debounceDropsSecondSend();
    void tcpTimingLinesFollowDebugButton();
    void taskOfThreeSessionsWritesOneTaskLog();
    void clearKeepsTaskLinesAndSaveAsWritesConsole();
    void powerStateFollowsSendButtonAndProjector();
    void badAnswersDoNotCrash_data();
    void badAnswersDoNotCrash();
    void badAnswersOnTheWire();

private:
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("missing child %s", name);
        return found;
    }
    QComboBox *targets() const { return child<QComboBox>("comboboxIP"); }
    QPlainTextEdit *console() const { return child<QPlainTextEdit>("plainTextConsole"); }
    QTableView *table() const { return child<QTableView>("tableViewCmd"); }
    QPushButton *sendButton() const { return child<QPushButton>("pushButton_SendCmd"); }
    QStringList consoleLines() const { return console()->toPlainText().split(QLatin1Char('\n')); }
    int consoleCount(const QString &line) const { return consoleLines().count(line); }
    int rowsOf(const QString &ip) const;
    QAbstractButton *categoryButton(const QString &text) const;
    QStringList categoryTexts() const;
    void send(const QString &ip, const QString &command);
    // The window drops a second single command to one projector within 300 ms.
    void waitOutDebounce() { QTest::qWait(320); }

    SimulatorProcess m_sim;
    std::unique_ptr<LogCapture> m_log;
    ModalCloser m_modalCloser;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_categories;
    int m_catalogueRows = 0;
};

void TestMainWindowFlow::initTestCase()
{
    const QString bin = TestEnvironment::binDir();
    const QString catalogue = bin + "/pluginPJ/KX4410Q.csv";
    m_categories = catalogueCategories(catalogue, &m_catalogueRows);
    QVERIFY2(m_catalogueRows > 100 && m_categories.contains("Feature") && m_categories.contains("Power"),
             "shipped KX4410Q catalogue missing");
    QVERIFY2(m_sim.start({"--range", "127.0.0.2-127.0.0.6", "--model", "KX4410Q", "--catalogue", catalogue,
                          "--warmup-ms", "150", "--mode", "127.0.0.5=garbage", "--mode", "127.0.0.6=nul"}),
             m_sim.errorText());

    const QString config = AppFolders::configFolder();
    QVERIFY(AppFolders::ensureFolder(config) != AppFolders::Preparation::Failed);
    QVERIFY(AppFolders::ensureFolder(AppFolders::userDataFolder()) != AppFolders::Preparation::Failed);
    QFile groups(config + "/GroupIP.csv");
    QVERIFY(groups.open(QIODevice::WriteOnly));
    groups.write("Group, Select, IP, Name\n"
                 "Hall A,1\n ,1,127.0.0.2,Left\n ,1,127.0.0.3,Right\n"
                 "Found,1\n ,1,127.0.0.5,\n"
                 "Hall B,1\n ,1,127.0.0.9,Spare\n ,0,127.0.0.4,Rear\n");
    groups.close();
    QFile ini(config + "/Orvanto.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nStyle=Dark\nLocalIP=127.0.0.1\n");
    ini.close();

    m_log = std::make_unique<LogCapture>(OrvLogging::TraceLevel);

    // The sandbox has no local network, so the configured address is
    // reported missing; the projector-models dialog comes up as well. The
    // modal closer answers both.
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindowFlow::cleanupTestCase()
{
    m_window.reset();
    m_log.reset();
    m_sim.stop();
}

void TestMainWindowFlow::init()
{
    QVERIFY(m_window);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

int TestMainWindowFlow::rowsOf(const QString &ip) const
{
    const CommandCatalogue *catalogue = m_window->commandCatalogue();
    int rows = 0;
    for (int row = 0; row < catalogue->rowCount(); ++row)
        rows += catalogue->fieldText(row, 0).startsWith(ip + ':') ? 1 : 0;
    return rows;
}

QAbstractButton *TestMainWindowFlow::categoryButton(const QString &text) const
{
    const QList<QAbstractButton *> buttons = child<QDialogButtonBox>("buttonBox")->buttons();
    for (QAbstractButton *button : buttons)
        if (button->text() == text)
            return button;
    return nullptr;
}

QStringList TestMainWindowFlow::categoryTexts() const
{
    QStringList texts;
    const QList<QAbstractButton *> buttons = child<QDialogButtonBox>("buttonBox")->buttons();
    for (QAbstractButton *button : buttons)
        texts << button->text();
    return texts;
}

void TestMainWindowFlow::send(const QString &ip, const QString &command)
{
    targets()->setCurrentIndex(targets()->findText(ip));
    QCOMPARE(targets()->currentText(), ip);
    child<QLineEdit>("lineEdit_OpCmd")->setText(command);
    QTest::mouseClick(sendButton(), Qt::LeftButton);
}

void TestMainWindowFlow::constructionFillsConnectableIPs()
{
    QCOMPARE(m_modalCloser.classNames(), (QStringList{"QMessageBox", "DialogAboutPJ"}));

    QComboBox *combo = targets();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    // In file order; the silent spare and the temporary "Found" group's
    // address (which does listen) are not among them.
    QCOMPARE(items, (QStringList{Fleet1, Fleet2, Fleet3}));
    QCOMPARE(m_window->connectedIPs(), items);
    QVERIFY(combo->isEnabled());
    QVERIFY(sendButton()->isEnabled());
    QCOMPARE(child<QLineEdit>("lineEdit_Port")->text(), QStringLiteral("7000"));

    const int tree = m_log->find("INFO ", m_log->find("Build IP Tree"));
    const int finding = m_log->find("Finding Connectable Ip at TCP port 7000");
    const int found = m_log->find("Found IP:");
    const int panel = m_log->find("Create Status/Cmd Panel");
    QVERIFY(m_log->find("Read INI") < tree);
    QVERIFY(tree >= 0 && tree < finding && finding < found && found < panel);
    const QString foundLine = m_log->lines().at(found);
    QVERIFY2(foundLine.contains(Fleet1) && foundLine.contains(Fleet2) && foundLine.contains(Fleet3) &&
                 !foundLine.contains(AbsentIp) && !foundLine.contains(GarbageIp),
             qPrintable(foundLine));
    QVERIFY(m_log->find("Got command CSV file:") > panel);
    QVERIFY(m_log->lines().at(m_log->find("Got command CSV file:")).contains("/pluginPJ/KX4410Q.csv"));
}

void TestMainWindowFlow::commandPageAtStart()
{
    // The default command file's buttons, nothing pressed yet.
    QCOMPARE(categoryTexts(), QStringList{"KX4410Q"} + m_categories);
    QAbstractButton *model = categoryButton("KX4410Q");
    QVERIFY(model->isChecked());
    QCOMPARE(model->accessibleName(), QStringLiteral("panel"));
    QCOMPARE(child<QStackedWidget>("stackedWidgetCmd")->currentWidget()->objectName(), QStringLiteral("pageCmdPanel"));
    QVERIFY(!child<QLabel>("labelPanelImage")->pixmap(Qt::ReturnByValue).isNull());

    // The default file is read whole: its header becomes the first row.
    const CommandCatalogue *catalogue = m_window->commandCatalogue();
    QCOMPARE(catalogue->fieldText(0, 1), QStringLiteral("Function Name"));
    QCOMPARE(catalogue->rowCount(), m_catalogueRows + 1);

    QTableView *view = table();
    QVERIFY(view->isColumnHidden(0));
    for (int column = 1; column <= 3; ++column)
        QVERIFY(!view->isColumnHidden(column));
    for (int column = 4; column < catalogue->columnCount(); ++column)
        QVERIFY2(view->isColumnHidden(column), qPrintable(QString::number(column)));
    QVERIFY(!view->verticalHeader()->isVisible());
    QCOMPARE(view->verticalHeader()->defaultSectionSize(), 24);
    QVERIFY(view->alternatingRowColors());
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
    QVERIFY(view->horizontalHeader()->defaultAlignment() & Qt::AlignLeft);
    QVERIFY(qobject_cast<QSortFilterProxyModel *>(view->model()));
    QVERIFY(console()->isReadOnly());
}

void TestMainWindowFlow::consoleSendLogsAnswerAndLoadsCatalogueOnce()
{
    QCOMPARE(rowsOf(Fleet1), 0);
    const int before = consoleCount("<<<OP MODEL=KX4410Q");
    send(Fleet1, "op model ?");
    QTRY_COMPARE(consoleCount("<<<OP MODEL=KX4410Q"), before + 1);
    const QStringList lines = consoleLines();
    const int sent = lines.lastIndexOf(">op model ?");
    QVERIFY(sent >= 0);
    QCOMPARE(lines.value(sent + 1), "<<" + Fleet1);
    QCOMPARE(lines.value(sent + 2), QStringLiteral("<<<OP MODEL=KX4410Q"));
    QTRY_COMPARE(rowsOf(Fleet1), m_catalogueRows);
    QVERIFY(m_window->lastResult().startsWith("OP MODEL=KX4410Q"));
    // The answer is recorded on the model's own row.
    const CommandCatalogue *catalogue = m_window->commandCatalogue();
    const int modelRow = catalogue->findRow("Model Name", 1, Fleet1);
    QVERIFY(modelRow > 0);
    QCOMPARE(catalogue->fieldText(modelRow, 3), QStringLiteral("KX4410Q"));

    // The next model answer finds the rows in place.
    const int total = catalogue->rowCount();
    waitOutDebounce();
    send(Fleet1, "op model ?");
    QTRY_COMPARE(consoleCount("<<<OP MODEL=KX4410Q"), before + 2);
    QCOMPARE(rowsOf(Fleet1), m_catalogueRows);
    QCOMPARE(catalogue->rowCount(), total);
    // A plain console answer does not move the console's view.
    QCOMPARE(child<QStackedWidget>("stackedWidgetCmd")->currentWidget()->objectName(), QStringLiteral("pageCmdPanel"));
}

void TestMainWindowFlow::pickedTargetShowsCategoriesAndDoubleClickQueries()
{
    waitOutDebounce();
    // The value the row is going to show, set behind the catalogue's back.
    QCOMPARE(m_window->getPjAnserBlocked(Fleet2, Port, "op auto.powon = 1\r\n").value(1).trimmed(),
             QStringLiteral("1"));
    QCOMPARE(rowsOf(Fleet2), 0);

    QComboBox *combo = targets();
    combo->setCurrentIndex(combo->findText(Fleet2));
    emit combo->textActivated(Fleet2);
    QTRY_COMPARE(rowsOf(Fleet2), m_catalogueRows);
    QCOMPARE(categoryTexts(), QStringList{"KX4410Q"} + m_categories);
    QVERIFY(categoryButton("KX4410Q")->isChecked());

    QAbstractButton *power = categoryButton("Power");
    QVERIFY(power);
    power->click();
    QVERIFY(power->isChecked());
    QVERIFY(!categoryButton("KX4410Q")->isChecked());
    QCOMPARE(child<QStackedWidget>("stackedWidgetCmd")->currentWidget()->objectName(), QStringLiteral("pageCmdTable"));
    QAbstractItemModel *shown = table()->model();
    QVERIFY(shown->rowCount() > 2);
    int autoOn = -1;
    for (int row = 0; row < shown->rowCount(); ++row) {
        QCOMPARE(shown->index(row, 0).data().toString(), Fleet2 + ":Power");
        if (shown->index(row, 1).data().toString() == "Auto Power On")
            autoOn = row;
    }
    QVERIFY(autoOn >= 0);
    QVERIFY(table()->isEnabled());
    QCOMPARE(table()->selectionModel()->selectedRows().value(0).row(), 0);
    QVERIFY(shown->index(autoOn, 3).data().toString().isEmpty());

    waitOutDebounce();
    const QModelIndex cell = shown->index(autoOn, 1);
    const QPoint centre = table()->visualRect(cell).center();
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(child<QLineEdit>("lineEdit_OpName")->text(), QStringLiteral("(Auto Power On)"));
    QCOMPARE(child<QLineEdit>("lineEdit_OpCmd")->text(), QStringLiteral("op auto.powon ?"));
    QTRY_COMPARE(shown->index(autoOn, 3).data().toString(), QStringLiteral("1 [On]"));
    QVERIFY(consoleLines().contains(">op auto.powon ?"));

    // Going back to the first projector keeps the category in view.
    waitOutDebounce();
    combo->setCurrentIndex(combo->findText(Fleet1));
    emit combo->textActivated(Fleet1);
    QVERIFY(categoryButton("Power")->isChecked());
    QTRY_VERIFY(shown->rowCount() > 2);
    QCOMPARE(shown->index(0, 0).data().toString(), Fleet1 + ":Power");
}

void TestMainWindowFlow::featureCategoryHidesLifeRows()
{
    targets()->setCurrentIndex(targets()->findText(Fleet2));
    categoryButton("Feature")->click();
    QAbstractItemModel *shown = table()->model();
    QVERIFY(!table()->isEnabled());
    int hidden = 0;
    for (int row = 0; row < shown->rowCount(); ++row) {
        const bool life = shown->index(row, 1).data().toString().contains("Life");
        QCOMPARE(table()->isRowHidden(row), life);
        hidden += life ? 1 : 0;
    }
    QVERIFY(hidden > 0);

    categoryButton("Status")->click();
    QVERIFY(table()->isEnabled());
    for (int row = 0; row < shown->rowCount(); ++row)
        QVERIFY(!table()->isRowHidden(row));

    // The model button goes back to the picture.
    categoryButton("KX4410Q")->click();
    QCOMPARE(child<QStackedWidget>("stackedWidgetCmd")->currentWidget()->objectName(), QStringLiteral("pageCmdPanel"));
    QCOMPARE(shown->rowCount(), m_window->commandCatalogue()->rowCount());
}

void TestMainWindowFlow::typedNameAndCommandLookUp()
{
    targets()->setCurrentIndex(targets()->findText(Fleet2));
    QLineEdit *name = child<QLineEdit>("lineEdit_OpName");
    QLineEdit *command = child<QLineEdit>("lineEdit_OpCmd");

    name->setText("(auto power on)");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(command->text(), QStringLiteral("op auto.powon"));
    name->setText("(No Such Function)");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(command->text(), QString());

    command->setText("op auto.powon ?");
    QTest::keyClick(command, Qt::Key_Return);
    QCOMPARE(name->text(), QStringLiteral("(Auto Power On)"));
    command->setText("op no.such ?");
    QTest::keyClick(command, Qt::Key_Return);
    QCOMPARE(name->text(), QStringLiteral("?"));

    // Nothing is looked up while the console cannot send.
    sendButton()->setEnabled(false);
    command->setText("op auto.powon ?");
    QTest::keyClick(command, Qt::Key_Return);
    QCOMPARE(name->text(), QStringLiteral("?"));
    sendButton()->setEnabled(true);
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

    // Another projector is never held back.
    const int errBefore = consoleCount(">op errcode ?");
    send(Fleet1, "op errcode ?");
    send(Fleet2, "op errcode ?");
    QTRY_COMPARE(consoleCount(">op errcode ?"), errBefore + 2);
    QCOMPARE(m_log->count("TimeDiff Skiped:"), skippedBefore + 1);
}

void TestMainWindowFlow::tcpTimingLinesFollowDebugButton()
{
    QPushButton *debug = child<QPushButton>("pushButton_DebugTCP");
    QVERIFY(!debug->isChecked());
    const auto timingLines = [this] {
        int n = 0;
        for (const QString &line : consoleLines())
            n += line.startsWith("TCP:") ? 1 : 0;
        return n;
    };
    QCOMPARE(timingLines(), 0);

    waitOutDebounce();
    const int answers = consoleCount("<<" + Fleet3);
    send(Fleet3, "op status ?");
    QTRY_COMPARE(consoleCount("<<" + Fleet3), answers + 1);
    QTest::qWait(50);
    QCOMPARE(timingLines(), 0);

    QTest::mouseClick(debug, Qt::LeftButton);
    QVERIFY(debug->isChecked());
    waitOutDebounce();
    send(Fleet3, "op status ?");
    QTRY_COMPARE(timingLines(), 1);
    // The newest line is the timing line, in the dark look's colour.
    const QTextBlock last = console()->document()->lastBlock();
    QVERIFY2(last.text().startsWith("TCP:") && last.text().contains(" Cmd:0 Time:"), qPrintable(last.text()));
    QCOMPARE(last.charFormat().foreground().color(), QColor("cyan"));
    const QTextBlock sent = console()->document()->findBlockByNumber(last.blockNumber() - 3);
    QCOMPARE(sent.text(), QStringLiteral(">op status ?"));
    QCOMPARE(sent.charFormat().foreground().color(), QColor("gold"));
    QCOMPARE(last.previous().charFormat().foreground().color(), QColor(Qt::lightGray));
    QCOMPARE(console()->textCursor().position(), console()->document()->characterCount() - 1);

    QTest::mouseClick(debug, Qt::LeftButton);
    QVERIFY(!debug->isChecked());
}

void TestMainWindowFlow::taskOfThreeSessionsWritesOneTaskLog()
{
    QDir data(AppFolders::userDataFolder());
    const QStringList filter{"*.tasklog.txt"};
    QCOMPARE(data.entryList(filter, QDir::Files).size(), 0);

    const QTime stamp = QTime::currentTime();
    const QString endLine = "--- <END> ---@" + stamp.toString("hh:mm:ss.zzz");
    const QString expectedName =
        QDate::currentDate().toString("yyMMdd_") + stamp.toString("hhmmss.zzz") + ".tasklog.txt";
    m_window->startConsoleTask(stamp, 3);
    for (const QString &ip : {Fleet1, Fleet2, Fleet3})
        m_window->sendMyTcpCmdList(stamp, ip, {"op model ?", "op ser.no ?"}, Port, true);

    QTRY_COMPARE(data.entryList(filter, QDir::Files), QStringList{expectedName});
    QCOMPARE(consoleCount(endLine), 1);
    QTest::qWait(200);
    QCOMPARE(data.entryList(filter, QDir::Files).size(), 1);
    QCOMPARE(consoleCount(endLine), 1);

    QFile file(data.filePath(expectedName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith(endLine.toLatin1() + "\r\n"));
    QCOMPARE(bytes.count(">op ser.no ?\r\n"), 3);
    QCOMPARE(bytes.count("<<<OP SER.NO="), 3);
    // The lines of the task only: nothing from before it started.
    QVERIFY(!bytes.contains("op errcode ?"));
}

void TestMainWindowFlow::clearKeepsTaskLinesAndSaveAsWritesConsole()
{
    waitOutDebounce();
    send(Fleet1, "op sw.ver ?");
    QTRY_VERIFY(consoleLines().contains(">op sw.ver ?"));
    const QString before = console()->toPlainText();
    m_window->slotSaveLogAs("unit");
    QDir data(AppFolders::userDataFolder());
    const QStringList saved = data.entryList({"*.unit.log.txt"}, QDir::Files);
    QCOMPARE(saved.size(), 1);
    QVERIFY(saved.first().startsWith(QDate::currentDate().toString("yyMMdd_")));
    QFile file(data.filePath(saved.first()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), before);

    QTest::mouseClick(child<QPushButton>("pushButtonLogClear"), Qt::LeftButton);
    QVERIFY(console()->toPlainText().isEmpty());

    // A task started before the clear still logs what was cleared.
    const QTime stamp = QTime::currentTime().addMSecs(7);
    m_window->startConsoleTask(stamp, 1);
    m_window->displayLogMessage("before clear");
    QTest::mouseClick(child<QPushButton>("pushButtonLogClear"), Qt::LeftButton);
    m_window->displayLogMessage("--- <END> ---@" + stamp.toString("hh:mm:ss.zzz"));
    const QString name = QDate::currentDate().toString("yyMMdd_") + stamp.toString("hhmmss.zzz") + ".tasklog.txt";
    QFile task(data.filePath(name));
    QVERIFY2(task.open(QIODevice::ReadOnly), qPrintable(name));
    QCOMPARE(task.readAll(), "before clear\r\n--- <END> ---@" + stamp.toString("hh:mm:ss.zzz").toLatin1() + "\r\n");
    // An end line nobody waits for is never shown.
    m_window->displayLogMessage("--- <END>TimeOut ---@");
    QCOMPARE(consoleLines().last(), "--- <END> ---@" + stamp.toString("hh:mm:ss.zzz"));
}

void TestMainWindowFlow::powerStateFollowsSendButtonAndProjector()
{
    sendButton()->setEnabled(false);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_window->getPowerState(Fleet3, Port), -2);
    QVERIFY(clock.elapsed() < 100);
    sendButton()->setEnabled(true);

    // The query comes from the projector's own catalogue rows.
    waitOutDebounce();
    send(Fleet3, "op model ?");
    QTRY_COMPARE(rowsOf(Fleet3), m_catalogueRows);
    QCOMPARE(m_window->getPowerState(Fleet3, Port), 0);
    // An address nobody answers at.
    QCOMPARE(m_window->getPowerState(AbsentIp, Port), -1);

    waitOutDebounce();
    send(Fleet3, "op power.on");
    QTRY_COMPARE(consoleLines().filter(QRegularExpression("^<<<OP POWER\\.ON=")).size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->getPowerState(Fleet3, Port), 2, 3000);
}

void TestMainWindowFlow::badAnswersDoNotCrash_data()
{
    QTest::addColumn<QString>("answer");

    QTest::newRow("no equals") << "hello projector";
    QTest::newRow("empty") << QString();
    QTest::newRow("only equals") << "=";
    QTest::newRow("empty model") << "OP MODEL=";
    QTest::newRow("nul after the value") << QString("OP ERRCODE=12") + QChar(0) + "junk=7";
    QTest::newRow("nul first") << QString(QChar(0)) + "OP ERRCODE=99";
    QTest::newRow("100 kB value") << "OP SW.VER=" + QString(100000, 'x');
    QTest::newRow("100 kB of equals") << QString(100000, '=');
    QTest::newRow("100 kB key") << "OP " + QString(100000, 'K') + "=1";
    QTest::newRow("model name too long for a file") << "OP MODEL=" + QString(100000, 'M');
}

void TestMainWindowFlow::badAnswersDoNotCrash()
{
    QFETCH(QString, answer);
    const CommandCatalogue *catalogue = m_window->commandCatalogue();
    const int rows = catalogue->rowCount();
    const int errRow = catalogue->findRow("Error Code", 1, Fleet1);
    QVERIFY(errRow > 0);
    const QString errValue = catalogue->fieldText(errRow, 3);

    m_window->slotCmdResult(Fleet1, answer);
    QCOMPARE(m_window->lastResult(), answer);
    QCOMPARE(catalogue->rowCount(), rows);
    if (answer.startsWith("OP ERRCODE"))
        QCOMPARE(catalogue->fieldText(errRow, 3), QStringLiteral("12"));
    else
        QCOMPARE(catalogue->fieldText(errRow, 3), errValue);
}

void TestMainWindowFlow::badAnswersOnTheWire()
{
    // A projector of our own that answers every command with 100 kB.
    QTcpServer huge;
    QVERIFY(huge.listen(QHostAddress(HugeIp), Port));
    connect(&huge, &QTcpServer::newConnection, this, [&huge] {
        QTcpSocket *peer = huge.nextPendingConnection();
        connect(peer, &QTcpSocket::readyRead, peer, [peer] {
            peer->readAll();
            peer->write("OP MODEL=" + QByteArray(100000, 'A') + "\r\n");
        });
    });

    const int rows = m_window->commandCatalogue()->rowCount();
    for (const QString &ip : {GarbageIp, NulIp, HugeIp})
        m_window->sendMyTcpCmd(ip, "op model ?", Port);
    QTRY_VERIFY(consoleLines().contains("<<" + GarbageIp));
    QTRY_VERIFY(consoleLines().contains("<<" + HugeIp));
    QTRY_VERIFY(consoleLines().contains("<<<OP MODEL=KX4410Q") && consoleLines().contains("<<" + NulIp));
    // The NUL answer is cut before the junk and still names the model.
    QTRY_COMPARE(rowsOf(NulIp), m_catalogueRows);
    QCOMPARE(rowsOf(GarbageIp), 0);
    QCOMPARE(rowsOf(HugeIp), 0);
    QCOMPARE(m_window->commandCatalogue()->rowCount(), rows + m_catalogueRows);

    // The window still works afterwards.
    waitOutDebounce();
    const int before = consoleCount("<<<OP MODEL=KX4410Q");
    send(Fleet2, "op model ?");
    QTRY_COMPARE(consoleCount("<<<OP MODEL=KX4410Q"), before + 1);
}

ORV_TEST_MAIN(TestMainWindowFlow)
#include "tst_mainwindowflow.moc"
