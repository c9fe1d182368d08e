#pragma once

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// Which conditions deserve an alert, as set in Config ([Alerts]).
struct AlertSettings
{
    bool onError = false;
    // Two-digit hexadecimal error categories to alert on; empty: every category.
    QStringList errorCategories;
    int lampPercent = 0;        // 0: off
    int unreachableMinutes = 0; // 0: off
    int maxPerHour = 10;
};

// One projector as a sweep left it, for the alert rules.
struct AlertInput
{
    QString ip;
    bool reachable = true;
    QString errorCode;
    int lampHours = -1;
    int ratedLife = 0;
};

struct Alert
{
    enum Condition
    {
        Error,
        Lamp,
        Unreachable,
        JobFailed
    };

    Condition condition = Error;
    QString ip;     // the job's file name for JobFailed
    QString detail; // error code, lamp percentage, minutes, failure text
    QDateTime since;
    bool cleared = false;
};

// Turns sweeps into alerts: one alert when a condition starts, one "cleared"
// notice when it ends, nothing in between, however many sweeps see it.
class AlertRules
{
public:
    void setSettings(const AlertSettings &settings) { m_settings = settings; }
    const AlertSettings &settings() const { return m_settings; }

    QVector<Alert> evaluate(const QVector<AlertInput> &sweep, const QDateTime &now);
    // A failed scheduled job is an alert of its own (it cannot "clear").
    static Alert jobFailed(const QString &job, const QString &reason, const QDateTime &now);

    // Error category of a four-digit code, upper-case ("12" of "12A3").
    static QString categoryOf(const QString &errorCode);

private:
    bool errorWanted(const QString &code) const;
    void raise(QVector<Alert> &out, Alert::Condition condition, const QString &ip, const QString &detail,
               const QDateTime &since);
    void clear(QVector<Alert> &out, Alert::Condition condition, const QString &ip, const QDateTime &now);

    AlertSettings m_settings;
    // Active conditions: (condition, ip) -> the alert that started it.
    QHash<QPair<int, QString>, Alert> m_active;
    QHash<QString, QDateTime> m_unreachableSince;
};

// At most maxPerHour messages in any hour.
class AlertThrottle
{
public:
    explicit AlertThrottle(int maxPerHour = 10) : m_max(maxPerHour) {}
    void setMaxPerHour(int maxPerHour) { m_max = maxPerHour; }
    // True (and counted) when one more message may go out now.
    bool take(const QDateTime &now);
    // When the next message may go out; invalid when one may go out now.
    QDateTime nextSlot(const QDateTime &now) const;

private:
    void forget(const QDateTime &now) const;

    int m_max;
    mutable QVector<QDateTime> m_sent;
};
