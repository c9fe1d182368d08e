// Fleet history: what a sweep stores, the database's faults, the forecasts;
// alerts: one per condition, the hourly limit, and mail that a real SMTP
// server (Debian's aiosmtpd) receives, also after a failed first attempt.
#include "monitor/history/alertcenter.h"
#include "monitor/history/alertsini.h"
#include "monitor/history/csvtable.h"
#include "monitor/history/fleetview.h"
#include "monitor/history/historyeventmodel.h"
#include "monitor/history/historystore.h"
#include "monitor/history/historyworker.h"
#include "monitor/history/mailtext.h"
#include "monitor/history/poweronhours.h"
#include "monitor/history/seriesthinner.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime t0(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);

ProjectorState state(const QString &ip, bool reachable, const QString &power, const QString &error = "0000",
                     int lamp = 100)
{
    ProjectorState s;
    s.ip = ip;
    s.reachable = reachable;
    s.power = power;
    s.errorCode = error;
    s.lampHours = lamp;
    s.input = QStringLiteral("HDMI1");
    return s;
}

QString kinds(const QVector<HistoryEvent> &events)
{
    QStringList out;
    for (const HistoryEvent &e : events)
        out.append(HistoryEvent::kindKey(e.kind) + (e.detail.isEmpty() ? QString() : QLatin1Char(':') + e.detail));
    return out.join(QLatin1Char(' '));
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void sweepChangesAndEvents_data()
    {
        QTest::addColumn<ProjectorState>("before");
        QTest::addColumn<ProjectorState>("after");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("events");
        const ProjectorState on = state("10.0.0.1", true, "1");
        QTest::newRow("unchanged") << on << on << false << "";
        QTest::newRow("lamp hours only") << on << state("10.0.0.1", true, "1", "0000", 101) << true << "";
        ProjectorState storedAnHourAgo = on;
        storedAnHourAgo.storedAt = t0.toSecsSinceEpoch() - 3600;
        QTest::newRow("lamp hours only, an hour after the last")
            << storedAnHourAgo << state("10.0.0.1", true, "1", "0000", 101) << false << "";
        QTest::newRow("power") << on << state("10.0.0.1", true, "0") << true << "power:0";
        QTest::newRow("error appears") << on << state("10.0.0.1", true, "1", "12A3") << true << "error:12A3";
        QTest::newRow("error clears") << state("10.0.0.1", true, "1", "12A3") << on << true << "error-cleared:12A3";
        QTest::newRow("error changes") << state("10.0.0.1", true, "1", "12A3") << state("10.0.0.1", true, "1", "0401")
                                       << true << "error:0401";
        // A silent projector keeps what it last said: only reachability changes.
        QTest::newRow("lost") << on << state("10.0.0.1", false, "", "", -1) << true << "lost";
        QTest::newRow("back, now in standby")
            << state("10.0.0.1", false, "1") << state("10.0.0.1", true, "0") << true << "back power:0";
    }

    void sweepChangesAndEvents()
    {
        QFETCH(ProjectorState, before);
        QFETCH(ProjectorState, after);
        QFETCH(bool, stored);
        QFETCH(QString, events);
        const HistoryDiff::Result result = HistoryDiff::compare({{before.ip, before}}, {after}, t0);
        QCOMPARE(result.changedStates.size(), stored ? 1 : 0);
        QCOMPARE(kinds(result.events), events);
        if (stored && !after.reachable)
            QCOMPARE(result.changedStates.first().power, before.power);
        // The first sighting stores the state and tells nothing.
        const HistoryDiff::Result first = HistoryDiff::compare({}, {after}, t0);
        QCOMPARE(first.changedStates.size(), 1);
        QVERIFY(first.events.isEmpty());
    }

    void storeKeepsHistoryAcrossStartsAndPrunes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("History.sqlite"));
        {
            HistoryStore store;
            QVERIFY2(store.open(path), qPrintable(store.offReason()));
            store.recordSweep({state("10.0.0.1", true, "0", "0000", 100), state("10.0.0.2", true, "1")}, t0);
            store.recordSweep({state("10.0.0.1", true, "1", "0000", 110), state("10.0.0.2", false, "")},
                              t0.addDays(2));
            store.recordSweep({state("10.0.0.1", true, "1", "12A3", 130), state("10.0.0.2", false, "")},
                              t0.addDays(3));
        }
        HistoryStore store;
        QVERIFY(store.open(path));
        QCOMPARE(store.lastStates().size(), 2);
        QCOMPARE(store.lastStates().value("10.0.0.1").errorCode, QStringLiteral("12A3"));
        // Nothing changed since the last start: nothing stored, nothing told.
        QVERIFY(store.recordSweep({store.lastStates().value("10.0.0.1")}, t0.addDays(4)).changedStates.isEmpty());
        QCOMPARE(kinds(store.events("10.0.0.1")), QStringLiteral("power:1 error:12A3"));
        QCOMPARE(store.series("10.0.0.1").lampHours.size(), 3);
        QCOMPARE(store.errorCounts(t0, 10), (QVector<QPair<QString, int>>{{"10.0.0.1", 1}}));
        QCOMPARE(store.unreachableSince(), (QVector<QPair<QString, QDateTime>>{{"10.0.0.2", t0.addDays(2)}}));

        QVERIFY(store.prune(t0.addDays(10)));
        QVERIFY(store.events("10.0.0.1").isEmpty());
        // The newest state of each projector survives: the next sweep still compares with it.
        store.close();
        QVERIFY(store.open(path));
        QCOMPARE(store.lastStates().value("10.0.0.1").lampHours, 130);
        QCOMPARE(store.lastStates().value("10.0.0.2").reachable, false);
    }

    void damagedOrUnusableFilesTurnHistoryOff()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("History.sqlite"));
        const QByteArray garbage = QByteArray("not a database, but the operator's bytes ") + QByteArray(8192, 'x');
        QVERIFY(TestFiles::write(path, garbage));
        HistoryStore store;
        QVERIFY(!store.open(path, t0));
        QCOMPARE(store.health(), HistoryStore::Health::Off);
        QCOMPARE(store.movedAsideTo(), path + QStringLiteral(".corrupt-20260302-080000"));
        QCOMPARE(TestFiles::read(store.movedAsideTo()), garbage);
        QVERIFY(store.offReason().contains(store.movedAsideTo()));
        QVERIFY(!QFile::exists(path));
        // The next start begins a new file.
        QVERIFY(store.open(path, t0));
        QVERIFY(!store.recordSweep({state("10.0.0.1", true, "1")}, t0).changedStates.isEmpty());
        store.close();

        QVERIFY(!store.open(dir.filePath(QStringLiteral("missing/History.sqlite"))));
        QVERIFY(store.offReason().contains(QStringLiteral("does not exist")));

        // Another program holding the file: off with a reason, the file untouched.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        other.setDatabaseName(path);
        QVERIFY(other.open());
        QSqlQuery hold(other);
        QVERIFY(hold.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")));
        QVERIFY(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(!store.open(path));
        QVERIFY2(store.offReason().contains(QStringLiteral("locked")), qPrintable(store.offReason()));
        QVERIFY(QFile::exists(path));
        hold.exec(QStringLiteral("ROLLBACK"));
        hold.clear();
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    }

    void largePrunesGoInSlicesAndLeaveTheNewestStates()
    {
        QTemporaryDir dir;
        HistoryWorker worker;
        worker.open(dir.filePath(QStringLiteral("History.sqlite")));
        const int fleet = HistoryWorker::PruneSlice * 2 + 7;
        for (int day = 0; day < 3; ++day) {
            QVector<ProjectorState> sweep;
            for (int i = 0; i < fleet; ++i)
                sweep.append(state(QStringLiteral("10.0.1.%1").arg(i), true, day % 2 ? "1" : "0", "0000", 100 + day));
            worker.record(sweep, t0.addDays(day));
        }
        auto pruned = [&] {
            int count = 0;
            for (int i = 0; i < fleet; ++i)
                count += worker.store().series(QStringLiteral("10.0.1.%1").arg(i)).lampHours.size() == 1;
            return count;
        };
        worker.prune(t0.addDays(2));
        // The first slice at once, the rest on later turns of the thread's loop.
        QCOMPARE(pruned(), int(HistoryWorker::PruneSlice));
        QTRY_COMPARE(pruned(), fleet);
        for (int i = 0; i < fleet; ++i) {
            const HistoryStore::Series left = worker.store().series(QStringLiteral("10.0.1.%1").arg(i));
            QCOMPARE(left.lampHours, (QVector<QPair<QDateTime, int>>{{t0.addDays(2), 102}}));
            QCOMPARE(worker.store().events(QStringLiteral("10.0.1.%1").arg(i)).size(), 1);
        }
    }

    void chartSeriesKeepsItsEndsAndEveryDrop()
    {
        // A lamp counter over a year, hourly, with a new lamp in July.
        SeriesThinner::Series year;
        int hours = 2500;
        for (int h = 0; h < 365 * 24; ++h) {
            hours = h == 180 * 24 + 5 ? 3 : hours + 1;
            year.append({t0.addSecs(h * 3600), hours});
        }
        const SeriesThinner::Series thin = SeriesThinner::thin(year, 300);
        QVERIFY(thin.size() <= 1200);
        QVERIFY(thin.size() >= 300);
        QCOMPARE(thin.constFirst(), year.constFirst());
        QCOMPARE(thin.constLast(), year.constLast());
        QVERIFY(std::is_sorted(thin.cbegin(), thin.cend(), [](const auto &a, const auto &b) { return a.first < b.first; }));
        // Both sides of the change survive: the old lamp's last count and the new one's first.
        QVERIFY(thin.contains(year.at(180 * 24 + 4)));
        QVERIFY(thin.contains(year.at(180 * 24 + 5)));
        // A series that fits is left as it is.
        QCOMPARE(SeriesThinner::thin(year.mid(0, 1200), 300), year.mid(0, 1200));
    }

    void eventListFiltersDecodesOnceAndExportsWhatItShows()
    {
        const QStringList words{"Error", "Error cleared", "Power", "Not answering", "Answering again"};
        HistoryEventModel model({"Time", "Event", "Detail"}, words);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        int decoded = 0;
        model.setErrorDecoder([&decoded](const QString &code) {
            ++decoded;
            return code == "12A3" ? QStringLiteral("Lamp\nignition failed") : QString();
        });
        auto event = [](HistoryEvent::Kind kind, const QString &detail, int minutes) {
            HistoryEvent e;
            e.ip = QStringLiteral("10.0.0.1");
            e.kind = kind;
            e.detail = detail;
            e.time = t0.addSecs(minutes * 60);
            return e;
        };
        const QVector<HistoryEvent> events{
            event(HistoryEvent::PowerChanged, "1", 0),        event(HistoryEvent::ErrorAppeared, "12A3", 5),
            event(HistoryEvent::ProjectorLost, QString(), 9), event(HistoryEvent::ProjectorBack, QString(), 12),
            event(HistoryEvent::ErrorCleared, "12A3", 20),    event(HistoryEvent::ErrorAppeared, "12A3", 30)};
        // Times as the history thread made them; an event without one shows its own.
        model.setEvents(events, {"first", "second"});
        QCOMPARE(model.rowCount(), 6);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("first"));
        QCOMPARE(model.index(2, 0).data().toString(),
                 events.at(2).time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));

        model.setFilter(HistoryEvent::ErrorAppeared, QString());
        const QVector<QStringList> errors = CsvTable::rowsOf(model);
        QCOMPARE(errors.size(), 3);
        QCOMPARE(errors.at(1).mid(1), (QStringList{"Error cleared", "12A3  Lamp ignition failed"}));
        model.setFilter(HistoryEvent::ProjectorLost, QString());
        QCOMPARE(CsvTable::rowsOf(model).size(), 2);
        // Text matches any cell, decoded words included, whatever the case.
        model.setFilter(HistoryEventModel::AllKinds, QStringLiteral("  IGNITION "));
        QCOMPARE(model.rowCount(), 3);
        model.setFilter(HistoryEvent::PowerChanged, QStringLiteral("ignition"));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(decoded, 1);
        QCOMPARE(CsvTable::headerOf(model), (QStringList{"Time", "Event", "Detail"}));
    }

    void forecastsAndOnHours()
    {
        // 10 days from 1,000 to 1,100 hours: 10 h a day, 1,900 hours to go.
        const QHash<QString, FleetView::LampSpan> spans{
            {"10.0.0.1", {{t0, 1000}, {t0.addDays(10), 1100}}}, // 190 days left
            {"10.0.0.2", {{t0, 2800}, {t0.addDays(10), 2900}}}, // 10 days left
            {"10.0.0.3", {{t0, 2900}, {t0.addDays(10), 20}}},   // replaced: unknown
            {"10.0.0.4", {{t0, 2990}, {t0.addDays(10), 3005}}}, // past its life
        };
        const QHash<QString, int> lives{{"10.0.0.1", 3000}, {"10.0.0.2", 3000}, {"10.0.0.3", 3000}, {"10.0.0.4", 3000}};
        const QVector<FleetView::LampDue> due = FleetView::lampsDueWithin(spans, lives, 30);
        QCOMPARE(due.size(), 2);
        QCOMPARE(due.at(0).ip, QStringLiteral("10.0.0.4"));
        QCOMPARE(due.at(0).days, 0.0);
        QCOMPARE(due.at(1).ip, QStringLiteral("10.0.0.2"));
        QCOMPARE(due.at(1).days, 10.0);

        // Warming up from 22:00 (local), on until 02:00, cooling down, off,
        // silent, on again until "now". The warm-up counts, the cooling not.
        const QDateTime evening(QDate(2026, 3, 2), QTime(22, 0), Qt::LocalTime);
        const QMap<QDate, double> hours = PowerOnHours::perDay(
            {{evening, "1"}, {evening.addSecs(3600), "2"}, {evening.addSecs(4 * 3600), "3"},
             {evening.addSecs(5 * 3600), "0"}, {evening.addSecs(10 * 3600), ""}, {evening.addSecs(11 * 3600), "2"}},
            evening.addSecs(12 * 3600));
        QCOMPARE(hours.value(QDate(2026, 3, 2)), 2.0);
        QCOMPARE(hours.value(QDate(2026, 3, 3)), 3.0);
    }

    void alertsOncePerConditionWithinTheHourlyLimit()
    {
        AlertRules rules;
        rules.setSettings(AlertSettings{true, {"12"}, 90, 10, 2});
        auto input = [](const QString &error, int lamp, bool reachable = true) {
            return QVector<AlertInput>{AlertInput{"10.0.0.1", reachable, error, lamp, 1000}};
        };
        auto text = [](const QVector<Alert> &alerts) {
            QStringList out;
            for (const Alert &a : alerts)
                out.append(QString::number(a.condition) + (a.cleared ? "-" : "+") + a.detail);
            return out.join(' ');
        };
        QCOMPARE(text(rules.evaluate(input("12A3", 890), t0)), QStringLiteral("0+12A3"));
        QCOMPARE(text(rules.evaluate(input("12A3", 905), t0.addSecs(60))), QStringLiteral("1+90"));
        QCOMPARE(text(rules.evaluate(input("12A3", 950), t0.addSecs(120))), QString());
        // Category 04 is not chosen: the 12 error is over, nothing new starts.
        QCOMPARE(text(rules.evaluate(input("0401", 950), t0.addSecs(180))), QStringLiteral("0-12A3"));
        // Silence: after ten minutes one alert, the lamp and error kept as they were.
        QCOMPARE(text(rules.evaluate(input("", -1, false), t0.addSecs(240))), QString());
        QCOMPARE(text(rules.evaluate(input("", -1, false), t0.addSecs(840))), QStringLiteral("2+10"));
        QCOMPARE(text(rules.evaluate(input("", -1, false), t0.addSecs(900))), QString());
        QCOMPARE(text(rules.evaluate(input("0000", 10), t0.addSecs(960))), QStringLiteral("2-10 1-90"));

        AlertThrottle throttle(2);
        QVERIFY(throttle.take(t0));
        QVERIFY(throttle.take(t0.addSecs(10)));
        QVERIFY(!throttle.take(t0.addSecs(20)));
        QCOMPARE(throttle.nextSlot(t0.addSecs(20)), t0.addSecs(3600));
        QVERIFY(throttle.take(t0.addSecs(3600)));

        // Text from projectors and the tree cannot add a mail header.
        const QByteArray mail = MailText::build("Orvanto <orvanto@hall.example>", {"a@x.example"},
                                                "Hall\r\nBcc: evil@x.example", "line", t0);
        QVERIFY(mail.contains("\r\nSubject: Hall Bcc: evil@x.example\r\n"));
        QVERIFY(mail.contains("From: orvanto@hall.example\r\n"));
        QVERIFY(MailText::build("a@x", {"b@y"}, QStringLiteral("Saal Ü"), "x", t0).contains("=?UTF-8?B?"));
    }

    void settingsRoundTripAndKeepThePasswordPrivate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Orvanto.ini"));
        QVERIFY(TestFiles::write(path, "[Default]\nTcpPort=7000\n[Alerts]\nSmtpUser=old\nMaxPerHour=lots\n"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
        AlertsIni ini = AlertsIni::read(path);
        QCOMPARE(ini.alerts.maxPerHour, 10);
        QCOMPARE(ini.fallbacks, QStringList{"MaxPerHour=10 (not \"lots\")"});
        ini.mail.host = QStringLiteral("mail.hall.example");
        ini.mail.security = MailSettings::Security::Tls;
        ini.mail.user.clear(); // cleared by the operator: gone from the file
        ini.mail.password = QStringLiteral("p,w=\"x\"");
        ini.mail.to = QStringList{"a@x.example", "b@y.example"};
        ini.alerts.errorCategories = QStringList{"12", "04"};
        ini.retentionDays = 30;
        QVERIFY(ini.write(path));
        const AlertsIni back = AlertsIni::read(path);
        QCOMPARE(back.mail.password, ini.mail.password);
        QCOMPARE(back.mail.to, ini.mail.to);
        QCOMPARE(back.mail.user, QString());
        QVERIFY(back.mail.security == MailSettings::Security::Tls);
        QCOMPARE(back.alerts.errorCategories, ini.alerts.errorCategories);
        QCOMPARE(back.retentionDays, 30);
        QVERIFY(TestFiles::read(path).contains("TcpPort=7000"));
        QCOMPARE(QFile::permissions(path) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
    }

    void mailReachesARealServerAfterAFailedAttempt()
    {
        QTemporaryDir maildir;
        const int port = freePort();
        MailSettings mail;
        mail.host = QStringLiteral("127.0.0.1");
        mail.port = port;
        mail.security = MailSettings::Security::None;
        mail.from = QStringLiteral("orvanto@hall.example");
        mail.to = QStringList{QStringLiteral("tech@hall.example")};
        AlertCenter center;
        center.setFirstRetryMilliseconds(300);
        center.setSettings(AlertSettings{true, {}, 0, 0, 10}, mail);
        center.setDescriber([](const QString &) { return AlertMessage::Projector{"Hall A/P1", "KX4410Q"}; });
        center.setErrorDecoder([](const QString &) { return QStringLiteral("Lamp ignition failed"); });
        QSignalSpy log(&center, &AlertCenter::sigLog);
        QSignalSpy notices(&center, &AlertCenter::sigNotify);

        // No server yet: the failure is reported, the message kept.
        center.sweepEnded({AlertInput{"10.0.0.7", true, "12A3", -1, 0}});
        QCOMPARE(notices.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!log.isEmpty(), 20000);
        QVERIFY(log.first().first().toString().startsWith('!'));
        QCOMPARE(center.queuedMails(), 1);

        QProcess server;
        server.start(QStringLiteral("/usr/bin/python3"),
                     {"-m", "aiosmtpd", "-n", "-l", QStringLiteral("127.0.0.1:%1").arg(port), "-c",
                      "aiosmtpd.handlers.Mailbox", maildir.filePath(QStringLiteral("box"))});
        QVERIFY(server.waitForStarted());
        const QString inbox = maildir.filePath(QStringLiteral("box/new"));
        QTRY_VERIFY_WITH_TIMEOUT(QDir(inbox).entryList(QDir::Files).size() == 1, 30000);
        const QByteArray received =
            TestFiles::read(QDir(inbox).filePath(QDir(inbox).entryList(QDir::Files).first()));
        QVERIFY2(received.contains("Subject: Orvanto: Hall A/P1 (10.0.0.7): error 12A3 (Lamp ignition failed)"),
                 received.constData());
        QVERIFY(received.contains("Model: KX4410Q"));
        QTRY_COMPARE(center.queuedMails(), 0);
        server.terminate();
        server.waitForFinished();
    }
};

ORV_TEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
