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
    return exec(QStringLiteral("CREATE TABLE IF NOT EXISTS states(ip TEXT NOT NULL, t INTEGER NOT NULL, "
                               "reachable INTEGER NOT NULL, power TEXT, error TEXT, lamp INTEGER, input TEXT, "
                               "signal TEXT)")) &&
           exec(QStringLiteral("CREATE INDEX IF NOT EXISTS states_ip_t ON states(ip, t)")) &&
           exec(QStringLiteral("CREATE INDEX IF NOT EXISTS states_t ON states(t)")) &&
           exec(QStringLiteral("CREATE TABLE IF NOT EXISTS events(ip TEXT NOT NULL, t INTEGER NOT NULL, "
                               "kind TEXT NOT NULL, detail TEXT)")) &&
           exec(QStringLiteral("CREATE INDEX IF NOT EXISTS events_ip_t ON events(ip, t)")) &&
           exec(QStringLiteral("CREATE INDEX IF NOT EXISTS events_kind_t ON events(kind, t)"));
}

bool HistoryStore::loadLastStates()
{
    m_last.clear();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // SQLite takes the bare columns from the row that holds the maximum.
    if (!query.exec(QStringLiteral("SELECT ip, reachable, power, error, lamp, input, signal, MAX(t) FROM states "
                                   "GROUP BY ip"))) {
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
        m_last.insert(state.ip, state);
    }
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
    bool ok = true;
    {
        QSqlQuery state(db);
        state.prepare(QStringLiteral("INSERT INTO states(ip, t, reachable, power, error, lamp, input, signal) "
                                     "VALUES(?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const ProjectorState &s : qAsConst(result.changedStates)) {
            state.addBindValue(s.ip);
            state.addBindValue(seconds(time));
            state.addBindValue(s.reachable ? 1 : 0);
            state.addBindValue(s.power);
            state.addBindValue(s.errorCode);
            state.addBindValue(s.lampHours < 0 ? QVariant(QVariant::Int) : QVariant(s.lampHours));
            state.addBindValue(s.input);
            state.addBindValue(s.signal);
            if (!(ok = state.exec()))
                break;
        }
        QSqlQuery event(db);
        event.prepare(QStringLiteral("INSERT INTO events(ip, t, kind, detail) VALUES(?, ?, ?, ?)"));
        for (int i = 0; ok && i < result.events.size(); ++i) {
            const HistoryEvent &e = result.events.at(i);
            event.addBindValue(e.ip);
            event.addBindValue(seconds(e.time));
            event.addBindValue(HistoryEvent::kindKey(e.kind));
            event.addBindValue(e.detail);
            ok = event.exec();
        }
        if (!ok) {
            const QSqlError error = state.lastError().isValid() ? state.lastError() : event.lastError();
            state.clear();
            event.clear();
            db.rollback();
            turnOff(describe(error));
            return {};
        }
    }
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        turnOff(describe(error));
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
    QSqlQuery event(db);
    event.prepare(QStringLiteral("INSERT INTO events(ip, t, kind, detail) VALUES(?, ?, ?, ?)"));
    for (const HistoryEvent &e : events) {
        event.addBindValue(e.ip);
        event.addBindValue(seconds(e.time));
        event.addBindValue(HistoryEvent::kindKey(e.kind));
        event.addBindValue(e.detail);
        if (!event.exec()) {
            const QSqlError error = event.lastError();
            event.clear();
            db.rollback();
            turnOff(describe(error));
            return false;
        }
    }
    return db.commit();
}

bool HistoryStore::prune(const QDateTime &cutoff)
{
    if (m_health != Health::Open)
        return false;
    const QString t = QString::number(seconds(cutoff));
    return exec(QStringLiteral("DELETE FROM events WHERE t < ") + t) &&
           exec(QStringLiteral("DELETE FROM states WHERE t < ") + t +
                QStringLiteral(" AND t < (SELECT MAX(s2.t) FROM states s2 WHERE s2.ip = states.ip)"));
}

QVector<HistoryEvent> HistoryStore::events(const QString &ip, const QDateTime &since) const
{
    QVector<HistoryEvent> result;
    if (m_health != Health::Open)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT t, kind, detail FROM events WHERE ip = ? AND t >= ? ORDER BY t, rowid"));
    query.addBindValue(ip);
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

QVector<QPair<QDateTime, int>> HistoryStore::lampSeries(const QString &ip, const QDateTime &since) const
{
    QVector<QPair<QDateTime, int>> result;
    if (m_health != Health::Open)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT t, lamp FROM states WHERE ip = ? AND t >= ? AND lamp IS NOT NULL "
                                 "ORDER BY t"));
    query.addBindValue(ip);
    query.addBindValue(sinceSeconds(since));
    if (!query.exec())
        return result;
    int previous = -1;
    while (query.next()) {
        const int hours = query.value(1).toInt();
        if (hours == previous)
            continue; // a change of some other column
        previous = hours;
        result.append({fromSeconds(query.value(0).toLongLong()), hours});
    }
    return result;
}

QVector<QPair<QDateTime, QString>> HistoryStore::powerSeries(const QString &ip, const QDateTime &since) const
{
    QVector<QPair<QDateTime, QString>> result;
    if (m_health != Health::Open)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT t, reachable, power FROM states WHERE ip = ? AND t >= ? ORDER BY t"));
    query.addBindValue(ip);
    query.addBindValue(sinceSeconds(since));
    if (!query.exec())
        return result;
    while (query.next()) {
        // An unreachable projector is not known to be on.
        const QString power = query.value(1).toBool() ? query.value(2).toString() : QString();
        if (result.isEmpty() || result.constLast().second != power)
            result.append({fromSeconds(query.value(0).toLongLong()), power});
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
    query.prepare(QStringLiteral("SELECT ip, count(*) AS n FROM events WHERE kind = ? AND t >= ? GROUP BY ip "
                                 "ORDER BY n DESC, ip LIMIT ?"));
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
    QHash<QString, QDateTime> lost;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ip, MAX(t) FROM events WHERE kind = ? GROUP BY ip"));
    query.addBindValue(HistoryEvent::kindKey(HistoryEvent::ProjectorLost));
    if (query.exec()) {
        while (query.next())
            lost.insert(query.value(0).toString(), fromSeconds(query.value(1).toLongLong()));
    }
    for (auto it = m_last.cbegin(); it != m_last.cend(); ++it) {
        if (!it->reachable)
            result.append({it.key(), lost.value(it.key())});
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
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // Two passes over the (ip, t) index: the first and the last sample of each.
    query.prepare(QStringLiteral("SELECT ip, MIN(t), lamp FROM states WHERE t >= ? AND lamp IS NOT NULL GROUP BY ip"));
    query.addBindValue(sinceSeconds(since));
    if (query.exec()) {
        while (query.next()) {
            auto &span = result[query.value(0).toString()];
            span.first = {fromSeconds(query.value(1).toLongLong()), query.value(2).toInt()};
        }
    }
    query.prepare(QStringLiteral("SELECT ip, MAX(t), lamp FROM states WHERE t >= ? AND lamp IS NOT NULL GROUP BY ip"));
    query.addBindValue(sinceSeconds(since));
    if (query.exec()) {
        while (query.next()) {
            auto &span = result[query.value(0).toString()];
            span.second = {fromSeconds(query.value(1).toLongLong()), query.value(2).toInt()};
        }
    }
    return result;
}
