#include "monitor/history/historystore.h"

#include "app/orvlog/OrvLog.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace {

// SQLite's primary result codes, as Qt reports them in nativeErrorCode().
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteFull = 13;
constexpr int SqliteNotADatabase = 26;

int nativeCode(const QSqlError &error)
{
    // Extended codes carry the primary code in the low byte.
    return error.nativeErrorCode().toInt() & 0xff;
}

bool meansCorrupt(const QSqlError &error)
{
    const int code = nativeCode(error);
    return code == SqliteCorrupt || code == SqliteNotADatabase;
}

QString describe(const QSqlError &error)
{
    switch (nativeCode(error)) {
    case SqliteBusy:
    case SqliteLocked:
        return QStringLiteral("the history file is locked by another program");
    case SqliteFull:
        return QStringLiteral("the disk is full");
    case SqliteCorrupt:
    case SqliteNotADatabase:
        return QStringLiteral("the history file is damaged");
    default:
        return error.text();
    }
}

qint64 seconds(const QDateTime &time)
{
    return time.toSecsSinceEpoch();
}

QDateTime fromSeconds(qint64 value)
{
    return QDateTime::fromSecsSinceEpoch(value, Qt::UTC);
}

qint64 sinceSeconds(const QDateTime &since)
{
    return since.isValid() ? seconds(since) : std::numeric_limits<qint64>::min();
}

} // namespace

HistoryStore::HistoryStore()
{
    static QAtomicInt counter;
    m_connection = QStringLiteral("orv-history-%1").arg(counter.fetchAndAddRelaxed(1));
}

HistoryStore::~HistoryStore()
{
    close();
}

bool HistoryStore::open(const QString &path, const QDateTime &now)
{
    close();
    m_path = path;
    m_offReason.clear();
    m_movedAside.clear();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        turnOff(QStringLiteral("the SQLite driver of Qt is not installed"));
        return false;
    }
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) {
        turnOff(QStringLiteral("the folder %1 does not exist").arg(QFileInfo(path).absolutePath()));
        return false;
    }
    QSqlError failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(path);
        // A second copy or a backup tool holding the file: give up quickly
        // rather than stall the history for minutes.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open()) {
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
                failure = probe.lastError();
        } else {
            failure = db.lastError();
        }
    }
    if (failure.isValid()) {
        turnOff(describe(failure));
        if (meansCorrupt(failure))
            moveAside(now);
        return false;
    }
    m_health = Health::Open;
    return exec(QStringLiteral("PRAGMA journal_mode=WAL")) && exec(QStringLiteral("PRAGMA synchronous=NORMAL")) &&
           createSchema() && loadLastStates();
}

void HistoryStore::moveAside(const QDateTime &now)
{
    // Damaged: keep it for the operator under a dated name, never delete it.
    const QString aside = m_path + QStringLiteral(".corrupt-") + now.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (!QFile::rename(m_path, aside)) {
        m_offReason = QStringLiteral("the history file is damaged and could not be moved aside");
        OLOG_WARN() << "History:" << m_offReason << m_path;
        return;
    }
    m_movedAside = aside;
    for (const char *suffix : {"-wal", "-shm"})
        QFile::rename(m_path + QLatin1String(suffix), aside + QLatin1String(suffix));
    m_offReason = QStringLiteral("the history file was damaged and has been moved to %1").arg(aside);
    OLOG_WARN() << "History:" << m_offReason;
}

void HistoryStore::close()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    if (m_health == Health::Open)
        m_health = Health::Closed;
    m_last.clear();
}

void HistoryStore::turnOff(const QString &reason)
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_health = Health::Off;
    m_offReason = reason;
    OLOG_WARN() << "History off:" << reason;
}

bool HistoryStore::exec(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(sql))
        return true;
    const QSqlError error = query.lastError();
    query.clear();
    turnOff(describe(error));
    return false;
}

bool HistoryStore::createSchema()
{
    // States are clustered by projector and time: one projector's history is
    // one range of the table, and a year of a large fleet needs no second
    // index. "latest" holds each projector's newest state for the next start.
    return exec(QStringLiteral("CREATE TABLE IF NOT EXISTS projectors(pid INTEGER PRIMARY KEY, ip TEXT NOT NULL UNIQUE)")) &&
           exec(QStringLiteral("CREATE TABLE IF NOT EXISTS states(pid INTEGER NOT NULL, t INTEGER NOT NULL, "
                               "reachable INTEGER NOT NULL, power TEXT, error TEXT, lamp INTEGER, input TEXT, "
                               "signal TEXT, PRIMARY KEY(pid, t)) WITHOUT ROWID")) &&
           exec(QStringLiteral("CREATE TABLE IF NOT EXISTS latest(pid INTEGER PRIMARY KEY, t INTEGER NOT NULL, "
                               "reachable INTEGER NOT NULL, power TEXT, error TEXT, lamp INTEGER, input TEXT, "
                               "signal TEXT)")) &&
           exec(QStringLiteral("CREATE TABLE IF NOT EXISTS events(pid INTEGER NOT NULL, t INTEGER NOT NULL, "
                               "kind TEXT NOT NULL, detail TEXT)")) &&
           exec(QStringLiteral("CREATE INDEX IF NOT EXISTS events_pid_t ON events(pid, t)")) &&
           exec(QStringLiteral("CREATE INDEX IF NOT EXISTS events_kind_t ON events(kind, t)"));
}

bool HistoryStore::loadLastStates()
{
    m_last.clear();
    m_pids.clear();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    bool ok = query.exec(QStringLiteral("SELECT pid, ip FROM projectors"));
    while (ok && query.next())
        m_pids.insert(query.value(1).toString(), query.value(0).toLongLong());
    ok = ok && query.exec(QStringLiteral("SELECT p.ip, l.reachable, l.power, l.error, l.lamp, l.input, l.signal, l.t "
                                         "FROM latest l JOIN projectors p ON p.pid = l.pid"));
    if (!ok) {
        const QSqlError error = query.lastError();
        query.clear();
        turnOff(describe(error));
        return false;
    }
    while (query.next()) {
        ProjectorState state;
        state.ip = query.value(0).toString();
        state.reachable = query.value(1).toBool();
        state.power = query.value(2).toString();
        state.errorCode = query.value(3).toString();
        state.lampHours = query.value(4).isNull() ? -1 : query.value(4).toInt();
        state.input = query.value(5).toString();
        state.signal = query.value(6).toString();
        state.storedAt = query.value(7).toLongLong();
        m_last.insert(state.ip, state);
    }
    return true;
}

qint64 HistoryStore::pidOf(const QString &ip) const
{
    return m_pids.value(ip, -1);
}

bool HistoryStore::ensurePid(const QString &ip, qint64 *pid)
{
    const auto known = m_pids.constFind(ip);
    if (known != m_pids.constEnd()) {
        *pid = *known;
        return true;
    }
    QSqlQuery insert(QSqlDatabase::database(m_connection, false));
    insert.prepare(QStringLiteral("INSERT INTO projectors(ip) VALUES(?)"));
    insert.addBindValue(ip);
    if (!insert.exec())
        return false;
    *pid = insert.lastInsertId().toLongLong();
    m_pids.insert(ip, *pid);
    return true;
}

HistoryDiff::Result HistoryStore::recordSweep(const QVector<ProjectorState> &sweep, const QDateTime &time)
{
    if (m_health != Health::Open)
        return {};
    HistoryDiff::Result result = HistoryDiff::compare(m_last, sweep, time);
    if (result.changedStates.isEmpty() && result.events.isEmpty())
        return result;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        turnOff(describe(db.lastError()));
        return {};
    }
    const QHash<QString, qint64> pidsBefore = m_pids;
    QSqlError failure;
    {
        QSqlQuery state(db);
        QSqlQuery latest(db);
        QSqlQuery event(db);
        state.prepare(QStringLiteral("INSERT OR REPLACE INTO states(pid, t, reachable, power, error, lamp, input, "
                                     "signal) VALUES(?, ?, ?, ?, ?, ?, ?, ?)"));
        latest.prepare(QStringLiteral("INSERT OR REPLACE INTO latest(pid, t, reachable, power, error, lamp, input, "
                                      "signal) VALUES(?, ?, ?, ?, ?, ?, ?, ?)"));
        event.prepare(QStringLiteral("INSERT INTO events(pid, t, kind, detail) VALUES(?, ?, ?, ?)"));
        for (const ProjectorState &s : qAsConst(result.changedStates)) {
            qint64 pid = -1;
            if (!ensurePid(s.ip, &pid)) {
                failure = db.lastError();
                break;
            }
            for (QSqlQuery *q : {&state, &latest}) {
                q->addBindValue(pid);
                q->addBindValue(seconds(time));
                q->addBindValue(s.reachable ? 1 : 0);
                q->addBindValue(s.power);
                q->addBindValue(s.errorCode);
                q->addBindValue(s.lampHours < 0 ? QVariant(QVariant::Int) : QVariant(s.lampHours));
                q->addBindValue(s.input);
                q->addBindValue(s.signal);
                if (!q->exec()) {
                    failure = q->lastError();
                    break;
                }
            }
            if (failure.isValid())
                break;
        }
        for (int i = 0; !failure.isValid() && i < result.events.size(); ++i) {
            const HistoryEvent &e = result.events.at(i);
            event.addBindValue(pidOf(e.ip));
            event.addBindValue(seconds(e.time));
            event.addBindValue(HistoryEvent::kindKey(e.kind));
            event.addBindValue(e.detail);
            if (!event.exec())
                failure = event.lastError();
        }
    }
    if (failure.isValid() || !db.commit()) {
        if (!failure.isValid())
            failure = db.lastError();
        db.rollback();
        m_pids = pidsBefore;
        turnOff(describe(failure));
        return {};
    }
    for (const ProjectorState &s : qAsConst(result.changedStates))
        m_last.insert(s.ip, s);
    return result;
}

bool HistoryStore::addEvents(const QVector<HistoryEvent> &events)
{
    if (m_health != Health::Open)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    db.transaction();
    QSqlError failure;
    {
        QSqlQuery event(db);
        event.prepare(QStringLiteral("INSERT INTO events(pid, t, kind, detail) VALUES(?, ?, ?, ?)"));
        for (const HistoryEvent &e : events) {
            qint64 pid = -1;
            if (!ensurePid(e.ip, &pid)) {
                failure = db.lastError();
                break;
            }
            event.addBindValue(pid);
            event.addBindValue(seconds(e.time));
            event.addBindValue(HistoryEvent::kindKey(e.kind));
            event.addBindValue(e.detail);
            if (!event.exec()) {
                failure = event.lastError();
                break;
            }
        }
    }
    if (failure.isValid() || !db.commit()) {
        db.rollback();
        turnOff(describe(failure.isValid() ? failure : db.lastError()));
        return false;
    }
    return true;
}

bool HistoryStore::prune(const QDateTime &cutoff)
{
    return prune(cutoff, projectors());
}

bool HistoryStore::prune(const QDateTime &cutoff, const QStringList &ips)
{
    if (m_health != Health::Open)
        return false;
    // The newest state of each projector lives on in "latest": the next
    // sweep still compares with it.
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        turnOff(describe(db.lastError()));
        return false;
    }
    QSqlError failure;
    {
        QSqlQuery states(db);
        QSqlQuery events(db);
        states.prepare(QStringLiteral("DELETE FROM states WHERE pid = ? AND t < ?"));
        events.prepare(QStringLiteral("DELETE FROM events WHERE pid = ? AND t < ?"));
        for (const QString &ip : ips) {
            const qint64 pid = pidOf(ip);
            if (pid < 0)
                continue;
            for (QSqlQuery *q : {&states, &events}) {
                q->addBindValue(pid);
                q->addBindValue(seconds(cutoff));
                if (!q->exec()) {
                    failure = q->lastError();
                    break;
                }
            }
            if (failure.isValid())
                break;
        }
    }
    if (failure.isValid() || !db.commit()) {
        if (!failure.isValid())
            failure = db.lastError();
        db.rollback();
        turnOff(describe(failure));
        return false;
    }
    return true;
}

QVector<HistoryEvent> HistoryStore::events(const QString &ip, const QDateTime &since) const
{
    QVector<HistoryEvent> result;
    if (m_health != Health::Open || pidOf(ip) < 0)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT t, kind, detail FROM events WHERE pid = ? AND t >= ? ORDER BY t, rowid"));
    query.addBindValue(pidOf(ip));
    query.addBindValue(sinceSeconds(since));
    if (!query.exec())
        return result;
    while (query.next()) {
        HistoryEvent e;
        e.ip = ip;
        e.time = fromSeconds(query.value(0).toLongLong());
        if (!HistoryEvent::kindFromKey(query.value(1).toString(), &e.kind))
            continue;
        e.detail = query.value(2).toString();
        result.append(e);
    }
    return result;
}

HistoryStore::Series HistoryStore::series(const QString &ip, const QDateTime &since) const
{
    Series result;
    if (m_health != Health::Open || pidOf(ip) < 0)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT t, reachable, power, lamp FROM states WHERE pid = ? AND t >= ? ORDER BY t"));
    query.addBindValue(pidOf(ip));
    query.addBindValue(sinceSeconds(since));
    if (!query.exec())
        return result;
    while (query.next()) {
        const QDateTime time = fromSeconds(query.value(0).toLongLong());
        // An unreachable projector is not known to be on.
        const QString power = query.value(1).toBool() ? query.value(2).toString() : QString();
        if (result.power.isEmpty() || result.power.constLast().second != power)
            result.power.append({time, power});
        const QVariant lamp = query.value(3);
        // A row stored for a change of some other column repeats the count.
        if (!lamp.isNull() && (result.lampHours.isEmpty() || result.lampHours.constLast().second != lamp.toInt()))
            result.lampHours.append({time, lamp.toInt()});
    }
    return result;
}

QVector<QPair<QString, int>> HistoryStore::errorCounts(const QDateTime &since, int limit) const
{
    QVector<QPair<QString, int>> result;
    if (m_health != Health::Open)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT p.ip, count(*) AS n FROM events e JOIN projectors p ON p.pid = e.pid "
                                 "WHERE e.kind = ? AND e.t >= ? GROUP BY e.pid ORDER BY n DESC, p.ip LIMIT ?"));
    query.addBindValue(HistoryEvent::kindKey(HistoryEvent::ErrorAppeared));
    query.addBindValue(sinceSeconds(since));
    query.addBindValue(limit);
    if (!query.exec())
        return result;
    while (query.next())
        result.append({query.value(0).toString(), query.value(1).toInt()});
    return result;
}

QVector<QPair<QString, QDateTime>> HistoryStore::unreachableSince() const
{
    QVector<QPair<QString, QDateTime>> result;
    if (m_health != Health::Open)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT MAX(t) FROM events WHERE pid = ? AND kind = ?"));
    for (auto it = m_last.cbegin(); it != m_last.cend(); ++it) {
        if (it->reachable)
            continue;
        QDateTime lost;
        query.addBindValue(pidOf(it.key()));
        query.addBindValue(HistoryEvent::kindKey(HistoryEvent::ProjectorLost));
        if (query.exec() && query.next() && !query.value(0).isNull())
            lost = fromSeconds(query.value(0).toLongLong());
        result.append({it.key(), lost});
    }
    std::sort(result.begin(), result.end(), [](const auto &a, const auto &b) {
        // Never seen answering (no "lost" event) counts as longest.
        if (a.second.isValid() != b.second.isValid())
            return !a.second.isValid();
        return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    return result;
}

QHash<QString, QPair<QPair<QDateTime, int>, QPair<QDateTime, int>>> HistoryStore::lampSpan(
    const QDateTime &since) const
{
    QHash<QString, QPair<QPair<QDateTime, int>, QPair<QDateTime, int>>> result;
    if (m_health != Health::Open)
        return result;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery first(db);
    QSqlQuery last(db);
    first.prepare(QStringLiteral("SELECT t, lamp FROM states WHERE pid = ? AND t >= ? AND lamp IS NOT NULL "
                                 "ORDER BY t LIMIT 1"));
    last.prepare(QStringLiteral("SELECT t, lamp FROM states WHERE pid = ? AND t >= ? AND lamp IS NOT NULL "
                                "ORDER BY t DESC LIMIT 1"));
    // Two seeks per projector along the (pid, t) key.
    for (auto it = m_pids.cbegin(); it != m_pids.cend(); ++it) {
        QPair<QPair<QDateTime, int>, QPair<QDateTime, int>> span;
        bool found = true;
        for (QSqlQuery *q : {&first, &last}) {
            q->addBindValue(it.value());
            q->addBindValue(sinceSeconds(since));
            if (!q->exec() || !q->next()) {
                found = false;
                break;
            }
            (q == &first ? span.first : span.second) = {fromSeconds(q->value(0).toLongLong()), q->value(1).toInt()};
        }
        if (found)
            result.insert(it.key(), span);
    }
    return result;
}
