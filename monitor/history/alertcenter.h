#pragma once

#include "monitor/history/alertmessage.h"
#include "monitor/history/alertrules.h"
#include "monitor/history/mailsettings.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>

class SmtpMailer;

// Owner of alerting: decides from each sweep (and from failed jobs) what to
// tell, keeps to the hourly limit, and delivers: a desktop notice at once
// (through sigNotify, which the window shows from the tray) and e-mail when
// a server is set. Mail goes out one message at a time from a thread of its
// own; a failed delivery is reported and tried again later with a growing
// pause, so a message is never dropped silently.
class AlertCenter : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;
    static constexpr int LongestRetrySeconds = 30 * 60;

    explicit AlertCenter(QObject *parent = nullptr);
    ~AlertCenter() override;

    void setSettings(const AlertSettings &alerts, const MailSettings &mail);
    void setDescriber(AlertMessage::Describer describer) { m_describe = std::move(describer); }
    void setErrorDecoder(AlertMessage::ErrorDecoder decoder) { m_decode = std::move(decoder); }
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // The pause after the first failed delivery (30 s); it doubles with each
    // further failure up to half an hour.
    void setFirstRetryMilliseconds(int ms) { m_firstRetryMs = ms; }

    void sweepEnded(const QVector<AlertInput> &sweep);
    void jobFailed(const QString &job, const QString &reason);
    // A message to the configured recipients, outside the hourly limit; the
    // outcome comes back through sigTestResult.
    void sendTestMessage(const MailSettings &mail);

    int waitingAlerts() const { return int(m_waiting.size()); }
    int queuedMails() const { return int(m_outbox.size()); }

signals:
    void sigNotify(const QString &title, const QString &text);
    void sigLog(const QString &line);
    void sigTestResult(bool ok, const QString &text);
    // Internal: hands a message to the mail thread.
    void sigDeliver(const MailSettings &mail, const QByteArray &text, quint64 id);

private:
    struct Outgoing
    {
        quint64 id = 0;
        QString subject;
        QByteArray text;
        int failures = 0;
        QDateTime notBefore;
    };

    QDateTime now() const { return m_clock ? m_clock() : QDateTime::currentDateTimeUtc(); }
    void take(const QVector<Alert> &alerts);
    void pump();
    void onSent(quint64 id);
    void onFailed(quint64 id, const QString &reason);
    void schedulePump(const QDateTime &at);

    AlertRules m_rules;
    AlertThrottle m_throttle;
    MailSettings m_mail;
    AlertMessage::Describer m_describe;
    AlertMessage::ErrorDecoder m_decode;
    Clock m_clock;
    QVector<Alert> m_waiting; // held back by the hourly limit
    QList<Outgoing> m_outbox;
    quint64 m_nextId = 1;
    int m_firstRetryMs = 30000;
    quint64 m_inFlight = 0;
    QTimer m_pumpTimer;
    QThread m_mailThread;
    SmtpMailer *m_mailer;
};
