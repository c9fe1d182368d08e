#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class CommandDispatch;
class IPfinder;

// Owner of the TCP target search and of the start-up connection check: both
// probe with the one IPfinder and merge what they learn into the connected-IP
// list. An address that answers is added the moment its result is known; at
// the end, probed addresses that did not answer are taken out, unless
// someone else (discovery) added them while the scan ran. Addresses the scan
// did not probe keep their state. Only one runs at a time; the window
// disables its search action from sigStarted to sigFinished.
class TargetSearch : public QObject
{
    Q_OBJECT

public:
    enum Kind
    {
        StartupCheck,
        RangeSearch
    };

    TargetSearch(IPfinder *finder, CommandDispatch *dispatch, QObject *parent = nullptr);

    IPfinder *finder() const { return m_finder; }
    bool isRunning() const;

    // Probes localIP's range (IPfinder::candidateRange), at most
    // SettingsRules::MaxIpTotal addresses; false while busy.
    bool search(const QString &localIP, int ipTotal);
    // Probes the tree's addresses once at start; false while busy.
    bool checkAddresses(const QStringList &addresses);
    // Adds to what the scan found (projectors that answered another way).
    using FoundFilter = std::function<QStringList(const QStringList &found)>;
    void setFoundFilter(FoundFilter filter) { m_foundFilter = std::move(filter); }

signals:
    void sigStarted(int kind);
    // After found (the probed addresses that answered) was merged.
    void sigFinished(int kind, const QStringList &found);

private:
    bool start(Kind kind, const QStringList &addresses);
    void probeReported(const QString &ip, int ms);
    void scanFinished(const QStringList &found);

    IPfinder *m_finder;
    CommandDispatch *m_dispatch;
    Kind m_kind = StartupCheck;
    FoundFilter m_foundFilter;
    QStringList m_probed;
    quint64 m_additionsAtStart = 0;
};
