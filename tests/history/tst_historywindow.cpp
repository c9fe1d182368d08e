// The history as the operator opens it from the real window: a projector's
// events, filters and charts from five months of stored sweeps, the fleet
// view, and a damaged file that turns the history off without stopping the
// program.
#include "app/appfolders.h"
#include "monitor/dialogfleethistory.h"
#include "monitor/dialoghistory.h"
#include "monitor/history/csvtable.h"
#include "monitor/history/historyeventmodel.h"
#include "monitor/history/historyservice.h"
#include "monitor/history/historystore.h"
#include "monitor/history/texttablemodel.h"
#include "tests/common/appconfig.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"
#include "ui/mainwindow.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace QtCharts;

namespace {

const QString Busy = QStringLiteral("10.0.0.1"), Gone = QStringLiteral("10.0.0.2");
constexpr int Days = 150;

QString historyPath()
{
    return QDir(AppFolders::userDataFolder()).filePath(QStringLiteral("History.sqlite"));
}

// Busy is on 08:00-20:00 UTC every day, its lamp ticking hourly, with a new
// lamp on day 100, a fan error on day 135 and a silent day 120. Gone stops
// answering on day 140.
bool storeFiveMonths(int *lastLamp)
{
    HistoryStore store;
    if (!store.open(historyPath()))
        return false;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime start = QDateTime(now.date(), QTime(0, 0), Qt::UTC).addDays(-Days);
    int lamp = 2000;
    for (int hour = 0; hour < Days * 24; ++hour) {
        const int day = hour / 24;
        const bool on = hour % 24 >= 8 && hour % 24 < 20;
        if (day == 100 && hour % 24 == 0)
            lamp = 0;
        else if (on)
            ++lamp;
        ProjectorState busy;
        busy.ip = Busy;
        busy.reachable = day != 120;
        busy.power = busy.reachable ? (on ? QStringLiteral("2") : QStringLiteral("0")) : QString();
        busy.lampHours = busy.reachable ? lamp : -1;
        busy.errorCode = day == 135 && on ? QStringLiteral("0612") : QStringLiteral("0000");
        ProjectorState gone;
        gone.ip = Gone;
        gone.reachable = day < 140;
        gone.power = gone.reachable ? QStringLiteral("0") : QString();
        store.recordSweep({busy, gone}, start.addSecs(qint64(hour) * 3600));
    }
    *lastLamp = lamp;
    return store.health() == HistoryStore::Health::Open;
}

QString stateOf(QWidget *dialog)
{
    return dialog->findChild<QLabel *>(QStringLiteral("labelState"))->text();
}

} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void projectorHistoryFiltersAndCharts();
    void fleetViewListsErrorsAndTheSilent();
    void damagedFileTurnsHistoryOffVisibly();

private:
    std::unique_ptr<MainWindow> startWindow();

    std::unique_ptr<MainWindow> m_window;
    int m_lastLamp = 0;
};

std::unique_ptr<MainWindow> TestHistoryWindow::startWindow()
{
    ModalCloser closer; // the first start's projector-models dialog
    auto window = std::make_unique<MainWindow>();
    QSignalSpy started(window->historyService(), &HistoryService::sigStarted);
    window->show();
    if (!started.wait(30000))
        return nullptr;
    return window;
}

void TestHistoryWindow::initTestCase()
{
    // No inventory: nothing is probed, so nothing new is stored while the
    // test looks at the five months.
    QVERIFY(writeAppConfig(QByteArray(), "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\n"));
    QVERIFY(storeFiveMonths(&m_lastLamp));
    m_window = startWindow();
    QVERIFY(m_window);
    QVERIFY(m_window->historyService()->isOn());
}

void TestHistoryWindow::projectorHistoryFiltersAndCharts()
{
    DialogHistory *dialog = m_window->openProjectorHistory(Busy);
    QTRY_VERIFY(!stateOf(dialog).endsWith(QChar(0x2026)));
    const int all = int(dialog->shownRows().size());
    // Two power changes a day, give or take the silent day and the edges.
    QVERIFY2(all > 2 * Days - 10 && all < 2 * Days + 10, qPrintable(QString::number(all)));
    QVERIFY(stateOf(dialog).startsWith(QString::number(all)));

    auto *kind = dialog->findChild<QComboBox *>(QStringLiteral("comboBoxKind"));
    kind->setCurrentIndex(kind->findData(HistoryEvent::ErrorAppeared));
    const QVector<QStringList> errors = dialog->shownRows();
    QCOMPARE(errors.size(), 2);
    QCOMPARE(errors.at(0).at(1), QStringLiteral("Error"));
    QCOMPARE(errors.at(1).at(1), QStringLiteral("Error cleared"));
    // The code with its words, as the status table decodes it.
    QVERIFY2(errors.at(0).at(2).startsWith(QStringLiteral("0612  ")) && errors.at(0).at(2).contains("FAN"),
             qPrintable(errors.at(0).at(2)));

    kind->setCurrentIndex(kind->findData(HistoryEventModel::AllKinds));
    dialog->findChild<QLineEdit *>(QStringLiteral("lineEditFilter"))->setText(QStringLiteral("answering again"));
    QCOMPARE(dialog->shownRows().size(), 1);
    dialog->findChild<QLineEdit *>(QStringLiteral("lineEditFilter"))->clear();
    QCOMPARE(dialog->shownRows().size(), all);

    // The lamp chart: thinned to what it can show, the new lamp's drop kept,
    // ending at the last count.
    const QList<QChartView *> charts = dialog->findChildren<QChartView *>();
    QCOMPARE(charts.size(), 2);
    QLineSeries *lamp = nullptr;
    QBarSet *onHours = nullptr;
    for (QChartView *view : charts) {
        for (QAbstractSeries *series : view->chart()->series()) {
            if (auto *line = qobject_cast<QLineSeries *>(series))
                lamp = line;
            else if (auto *bars = qobject_cast<QBarSeries *>(series))
                onHours = bars->barSets().value(0);
        }
    }
    QVERIFY(lamp && onHours);
    const QVector<QPointF> points = lamp->pointsVector();
    QVERIFY2(points.size() > 100 && points.size() <= 4 * 300, qPrintable(QString::number(points.size())));
    QCOMPARE(int(points.constLast().y()), m_lastLamp);
    int drops = 0;
    for (int i = 1; i < points.size(); ++i)
        drops += points.at(i).y() < points.at(i - 1).y();
    QCOMPARE(drops, 1);
    // The last 30 days on, about twelve hours each (local days cut the UTC ones).
    QCOMPARE(onHours->count(), 30);
    double sum = 0;
    for (int i = 0; i < onHours->count(); ++i)
        sum += onHours->at(i);
    QVERIFY2(qAbs(sum - 30 * 12) <= 24, qPrintable(QString::number(sum)));
    dialog->close();
}

void TestHistoryWindow::fleetViewListsErrorsAndTheSilent()
{
    DialogFleetHistory *dialog = m_window->openFleetHistory();
    QTRY_VERIFY(stateOf(dialog).startsWith(QStringLiteral("Updated")));
    const QVector<QStringList> errors = CsvTable::rowsOf(*dialog->list(1));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.at(0).value(0), Busy);
    QCOMPARE(errors.at(0).value(2), QStringLiteral("1"));
    const QVector<QStringList> silent = CsvTable::rowsOf(*dialog->list(2));
    QCOMPARE(silent.size(), 1);
    QCOMPARE(silent.at(0).value(0), Gone);
    const QDateTime lost = QDateTime::fromString(silent.at(0).value(2), QStringLiteral("yyyy-MM-dd hh:mm"));
    QVERIFY(lost.isValid());
    QVERIFY(qAbs(lost.daysTo(QDateTime::currentDateTime()) - (Days - 140)) <= 1);
    dialog->close();
}

void TestHistoryWindow::damagedFileTurnsHistoryOffVisibly()
{
    m_window.reset();
    const QByteArray garbage = QByteArray("the operator's bytes, not a database ") + QByteArray(8192, 'x');
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(historyPath() + QLatin1String(suffix));
    QVERIFY(TestFiles::write(historyPath(), garbage));
    ModalCloser closer;
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    auto *console = m_window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextConsole"));
    QTRY_VERIFY(console->toPlainText().contains(QStringLiteral("!History is off")));
    // Told, not asked: no box holds up the start.
    QVERIFY2(!closer.classNames().contains(QStringLiteral("QMessageBox")), qPrintable(closer.classNames().join(' ')));
    QVERIFY(!m_window->historyService()->isOn());
    // Kept for the operator under a dated name; the next start begins anew.
    const QStringList aside =
        QDir(AppFolders::userDataFolder()).entryList({QStringLiteral("History.sqlite.corrupt-*")}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(TestFiles::read(QDir(AppFolders::userDataFolder()).filePath(aside.first())), garbage);
    DialogHistory *dialog = m_window->openProjectorHistory(Busy);
    QVERIFY(stateOf(dialog).startsWith(QStringLiteral("History is off")));
    dialog->close();
}

ORV_TEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
