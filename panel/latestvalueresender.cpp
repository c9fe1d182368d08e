#include "panel/latestvalueresender.h"

#include <QTimer>

LatestValueResender::LatestValueResender(Sender sender, QObject *parent)
    : QObject(parent), m_sender(std::move(sender)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    // Precise: a coarse timer may fire up to 5 % early, into the interval.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &LatestValueResender::flush);
}

void LatestValueResender::setIntervalMs(int ms)
{
    m_intervalMs = ms;
}

int LatestValueResender::intervalMs() const
{
    return m_intervalMs;
}

LatestValueResender::Setting LatestValueResender::parseSetting(const QString &command)
{
    Setting setting;
    const int equals = command.indexOf(QLatin1Char('='));
    if (equals < 0)
        return setting;
    const QString head = command.left(equals).simplified();
    if (!head.startsWith(QLatin1String("op "), Qt::CaseInsensitive))
        return setting;
    setting.word = head.mid(3).trimmed().toLower();
    setting.value = command.mid(equals + 1).trimmed();
    setting.valid = !setting.word.isEmpty() && !setting.word.contains(QLatin1Char(' '));
    return setting;
}

bool LatestValueResender::send(const QString &ip, const QString &command)
{
    const Setting setting = parseSetting(command);
    // A setting that would only be dropped waits for the interval instead:
    // a drag then reaches the projector every interval, not just at its end.
    const auto last = m_lastSendClock.constFind(ip);
    if (setting.valid && last != m_lastSendClock.constEnd() && last->elapsed() < m_intervalMs) {
        m_pending.insert(key(ip, setting.word), qMakePair(ip, command));
        if (!m_timer->isActive())
            m_timer->start(int(m_intervalMs - last->elapsed()));
        return false;
    }
    if (!m_sender(ip, command))
        return false;
    m_lastSendClock[ip].start();
    if (setting.valid) {
        remember(ip, setting);
        // A newer value went out on its own; an older one must not follow.
        m_pending.remove(key(ip, setting.word));
    } else {
        forget(ip);
    }
    return true;
}

void LatestValueResender::noteSentElsewhere(const QString &ip, const QStringList &commands)
{
    for (const QString &command : commands) {
        const Setting setting = parseSetting(command);
        if (!setting.valid) {
            forget(ip);
            continue;
        }
        m_lastSent.remove(key(ip, setting.word));
        m_pending.remove(key(ip, setting.word));
    }
}

void LatestValueResender::remember(const QString &ip, const Setting &setting)
{
    Sent &sent = m_lastSent[key(ip, setting.word)];
    sent.value = setting.value;
    sent.clock.start();
}

void LatestValueResender::forget(const QString &ip)
{
    const QString prefix = key(ip, QString());
    for (auto it = m_lastSent.begin(); it != m_lastSent.end();) {
        if (it.key().startsWith(prefix))
            it = m_lastSent.erase(it);
        else
            ++it;
    }
}

void LatestValueResender::noteDropped(const QString &ip, const QString &command)
{
    const Setting setting = parseSetting(command);
    if (!setting.valid)
        return;
    m_pending.insert(key(ip, setting.word), qMakePair(ip, command));
    // Counted from this drop: the rule measures from the latest attempt.
    m_timer->start(m_intervalMs);
}

void LatestValueResender::flush()
{
    const auto pending = m_pending;
    m_pending.clear();
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        const QString &ip = it.value().first;
        const QString &command = it.value().second;
        const Setting setting = parseSetting(command);
        const auto sent = m_lastSent.constFind(it.key());
        if (sent != m_lastSent.constEnd() && sent->value == setting.value && sent->clock.elapsed() <= MemoryMs)
            continue;
        // A drop here comes back through noteDropped and re-arms the timer.
        if (!m_sender(ip, command))
            continue;
        m_lastSendClock[ip].start();
        remember(ip, setting);
    }
}
