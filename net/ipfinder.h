#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class QTcpSocket;
class QTimer;
class SessionPool;

// Finds projectors that do not answer the discovery broadcast by trying to
// open a connection to their command port.
//
// Up to MaxConcurrent probes run at once, each limited to the time-out, all
// without a nested event loop: a scan returns at once and reports through
// signals, so 254 addresses of which most never answer take a few time-outs
// instead of minutes, and the window never waits. What a scan reports does
// not depend on the order in which the probes finish: sigFoundIP comes once
// per address in list order, and sigScanFinished lists the addresses that
// connected, in list order. No byte is ever sent.
class IPfinder : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultTimeoutMs = 250;
    static constexpr quint16 DefaultPort = 7000;
    static constexpr int MaxConcurrent = 64;

    explicit IPfinder(QObject *parent = nullptr);
    ~IPfinder() override;

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    void setMaxConcurrent(int count) { m_maxConcurrent = qMax(1, count); }
    // With a pool, every connect attempt waits for one of its slots.
    void setSessionPool(SessionPool *pool) { m_pool = pool; }

    // Starts probing; false (and nothing happens) while a scan still runs.
    // An empty list finishes on the next event-loop turn.
    bool scan(const QStringList &addresses);
    bool isScanning() const { return m_running; }

    // The search range: localIP up to its last "." (the whole text when it
    // has none), then ".1" ... "." + ipTotal. Empty for ipTotal <= 0.
    static QStringList candidateRange(const QString &localIP, int ipTotal);

    // A connect that took elapsedNs counts in started milliseconds, at least
    // 1: a projector on the same host or a fast LAN connects within the
    // first millisecond and must not be taken for a miss.
    static int connectMs(qint64 elapsedNs, int timeoutMs);

signals:
    // Once per address, in list order: ms the connection took (> 0) or -1;
    // percent = index * 100 / count, so it stays below 100 for count > 1.
    void sigFoundIP(const QString &ip, int ms, int percent);
    void sigScanFinished(const QStringList &found);

public slots:
    void slotMySocketState(int state);

private:
    struct Probe
    {
        QTcpSocket *socket = nullptr;
        QTimer *timer = nullptr;
        QElapsedTimer clock;
        int index = -1;
    };

    void startNext(Probe *probe);
    bool connectProbe(Probe *probe);
    void finishProbe(Probe *probe, int ms);
    void reportInOrder();
    void finishScan();

    QVector<Probe *> m_probes;
    QStringList m_addresses;
    QVector<int> m_results; // per address: ms, -1 miss, 0 not yet known
    int m_nextToStart = 0;
    int m_nextToReport = 0;
    int m_timeoutMs = DefaultTimeoutMs;
    int m_maxConcurrent = MaxConcurrent;
    quint16 m_port = DefaultPort;
    bool m_running = false;
    SessionPool *m_pool = nullptr;
};
