#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QTimer;

// Makes the last value of a drag reach the projector. The single-send rule
// drops a command that follows another to the same projector within 300 ms,
// so a slider moved quickly would leave the projector at an early value.
// A setting ("op word = value") that comes within the interval after the
// last command sent from here, or that the rule dropped, is remembered,
// newest value per projector and word; once the interval has passed the
// remembered values are sent, except where the projector got that very value
// from here a moment ago (within MemoryMs: an older memory may have been
// overtaken by another client). Actions (no "=") go straight through, are
// never repeated and make this projector's memories void, as they may change
// any setting. A value sent directly cancels an older one still waiting.
class LatestValueResender : public QObject
{
    Q_OBJECT
public:
    // Sends one command; true when it went out.
    using Sender = std::function<bool(const QString &ip, const QString &command)>;

    // How long a value sent from here counts as the projector's own.
    static constexpr int MemoryMs = 1000;

    explicit LatestValueResender(Sender sender, QObject *parent = nullptr);

    void setIntervalMs(int ms);
    int intervalMs() const;

    // Sends through the sender and remembers what went out; false when the
    // command was dropped or waits for the interval.
    bool send(const QString &ip, const QString &command);

    int pendingCount() const { return m_pending.size(); }

    // Commands that reached ip on another path (a batch): they are newer
    // than any value of the same word still waiting here.
    void noteSentElsewhere(const QString &ip, const QStringList &commands);

public slots:
    // The single-send rule dropped command for ip.
    void noteDropped(const QString &ip, const QString &command);

private:
    struct Setting
    {
        QString word;
        QString value;
        bool valid = false;
    };
    static Setting parseSetting(const QString &command);
    static QString key(const QString &ip, const QString &word) { return ip + QLatin1Char('\n') + word; }
    void flush();
    void remember(const QString &ip, const Setting &setting);
    void forget(const QString &ip);

    Sender m_sender;
    QTimer *m_timer;
    // A little over the single-send interval of 300 ms.
    int m_intervalMs = 320;
    struct Sent
    {
        QString value;
        QElapsedTimer clock;
    };
    QHash<QString, Sent> m_lastSent;                     // ip + word -> value sent from here
    QHash<QString, QElapsedTimer> m_lastSendClock;       // ip -> since the last command sent
    QHash<QString, QPair<QString, QString>> m_pending;   // ip + word -> (ip, command)
};
