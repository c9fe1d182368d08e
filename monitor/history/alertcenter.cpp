#include "monitor/history/alertcenter.h"

#include "app/orvlog/OrvLog.h"
#include "monitor/history/mailtext.h"
#include "monitor/history/smtpmailer.h"

AlertCenter::AlertCenter(QObject *parent) : QObject(parent), m_mailer(new SmtpMailer)
{
    qRegisterMetaType<MailSettings>("MailSettings");
    m_pumpTimer.setSingleShot(true);
    connect(&m_pumpTimer, &QTimer::timeout, this, &AlertCenter::pump);
    m_mailer->moveToThread(&m_mailThread);
    connect(&m_mailThread, &QThread::finished, m_mailer, &QObject::deleteLater);
    connect(this, &AlertCenter::sigDeliver, m_mailer, &SmtpMailer::send, Qt::QueuedConnection);
    connect(m_mailer, &SmtpMailer::sent, this, &AlertCenter::onSent, Qt::QueuedConnection);
    connect(m_mailer, &SmtpMailer::failed, this, &AlertCenter::onFailed, Qt::QueuedConnection);
    m_mailThread.setObjectName(QStringLiteral("alert mail"));
    m_mailThread.start();
}

AlertCenter::~AlertCenter()
{
    // A delivery in progress ends within libcurl's own time-out.
    m_mailThread.quit();
    m_mailThread.wait();
}

void AlertCenter::setSettings(const AlertSettings &alerts, const MailSettings &mail)
{
    m_rules.setSettings(alerts);
    m_throttle.setMaxPerHour(alerts.maxPerHour);
    m_mail = mail;
}

void AlertCenter::sweepEnded(const QVector<AlertInput> &sweep)
{
    take(m_rules.evaluate(sweep, now()));
}

void AlertCenter::jobFailed(const QString &job, const QString &reason)
{
    take({AlertRules::jobFailed(job, reason, now())});
}

void AlertCenter::take(const QVector<Alert> &alerts)
{
    if (alerts.isEmpty())
        return;
    for (const Alert &alert : alerts) {
        const QString line = AlertMessage::headline(alert, m_describe, m_decode);
        OLOG_INFO() << "Alert:" << line;
        emit sigNotify(tr("Orvanto alert"), line);
    }
    m_waiting += alerts;
    pump();
}

void AlertCenter::pump()
{
    const QDateTime current = now();
    if (!m_waiting.isEmpty() && m_mail.isUsable()) {
        if (m_throttle.take(current)) {
            const AlertMessage message = AlertMessage::compose(m_waiting, m_describe, m_decode);
            Outgoing mail;
            mail.id = m_nextId++;
            mail.subject = message.subject;
            mail.text = MailText::build(m_mail.from, m_mail.to, message.subject, message.body, current);
            m_outbox.append(mail);
            m_waiting.clear();
        } else {
            schedulePump(m_throttle.nextSlot(current));
        }
    } else if (!m_mail.isUsable()) {
        m_waiting.clear(); // shown on the desktop already; no mail to send
    }
    if (m_inFlight || m_outbox.isEmpty())
        return;
    Outgoing &next = m_outbox.first();
    if (next.notBefore.isValid() && current < next.notBefore) {
        schedulePump(next.notBefore);
        return;
    }
    m_inFlight = next.id;
    emit sigDeliver(m_mail, next.text, next.id);
}

void AlertCenter::schedulePump(const QDateTime &at)
{
    const qint64 ms = qBound<qint64>(0, now().msecsTo(at), qint64(LongestRetrySeconds) * 1000);
    if (!m_pumpTimer.isActive() || m_pumpTimer.remainingTime() > ms)
        m_pumpTimer.start(int(ms));
}

void AlertCenter::sendTestMessage(const MailSettings &mail)
{
    if (!mail.isUsable()) {
        emit sigTestResult(false, tr("Set the mail server, the sender and at least one recipient first."));
        return;
    }
    const QString subject = tr("Orvanto: test message");
    const QString body = tr("This is a test message from Orvanto. Alerts will reach you at this address.");
    const QByteArray text = MailText::build(mail.from, mail.to, subject, body, now());
    const quint64 id = m_nextId++;
    // A test goes ahead of the queue and is never retried: the operator is waiting for its answer.
    auto *mailer = new SmtpMailer;
    auto *thread = new QThread(this);
    mailer->moveToThread(thread);
    connect(thread, &QThread::finished, mailer, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(mailer, &SmtpMailer::sent, this, [this, thread] {
        emit sigTestResult(true, tr("The test message was accepted by the mail server."));
        thread->quit();
    });
    connect(mailer, &SmtpMailer::failed, this, [this, thread](quint64, const QString &reason) {
        emit sigTestResult(false, tr("The test message could not be sent: %1").arg(reason));
        thread->quit();
    });
    thread->start();
    QMetaObject::invokeMethod(mailer, [mailer, mail, text, id] { mailer->send(mail, text, id); },
                              Qt::QueuedConnection);
}

void AlertCenter::onSent(quint64 id)
{
    if (id != m_inFlight)
        return;
    m_inFlight = 0;
    if (!m_outbox.isEmpty() && m_outbox.first().id == id)
        m_outbox.removeFirst();
    pump();
}

void AlertCenter::onFailed(quint64 id, const QString &reason)
{
    if (id != m_inFlight)
        return;
    m_inFlight = 0;
    if (m_outbox.isEmpty() || m_outbox.first().id != id)
        return;
    Outgoing &mail = m_outbox.first();
    ++mail.failures;
    const qint64 pauseMs =
        qMin<qint64>(qint64(LongestRetrySeconds) * 1000, qint64(m_firstRetryMs) << qMin(mail.failures - 1, 10));
    mail.notBefore = now().addMSecs(pauseMs);
    OLOG_WARN() << "Alert mail not sent:" << reason << "- trying again in" << pauseMs / 1000 << "s";
    emit sigLog(QStringLiteral("!") + tr("Alert mail \"%1\" not sent: %2 (trying again in %3 s)")
                                            .arg(mail.subject, reason)
                                            .arg(pauseMs / 1000));
    schedulePump(mail.notBefore);
}
