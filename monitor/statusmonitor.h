#pragma once

#include "monitor/powerswitchrule.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

class QProgressBar;
class QTimer;
class QWidget;
class CommandCatalogue;
class CommandDispatch;
class PowerSwitchWalk;
class PJLinkDirectory;
class TableModelStatus;

// Owner of status monitoring: the status table's model, the sweeps that
// fill it, the polling timers, the periodic-task countdown, the export and
// All On / All Off.
//
// Sweeps go out through command dispatch, all sessions of one sweep sharing
// one stamp; the console (connected to sigTaskStarted and sigLog) counts
// their end lines and writes the sweep's task log. Answers come back
// through updateFromAnswer(), which the window's answer router calls.
class StatusMonitor : public QObject
{
    Q_OBJECT

public:
    static constexpr int TargetSweepDelayMs = 3000;
    static constexpr int StatusSweepDelayMs = 8000;
    static constexpr int MaxPollMinutes = 35000;
    static constexpr int MaxCellLength = 256;
    // After All On / All Off the switched projectors are asked their power
    // state again: soon (the table shows them turning on or cooling), and
    // once warm-up or cool-down should be over (the final state).
    static constexpr int RecheckSoonMs = 3000;
    static constexpr int RecheckSettledMs = 90000;

    // Asks the operator before switching the fleet; true to go on.
    using Confirmation = std::function<bool(PowerSwitchRule::Direction direction)>;
    // Shows a folder to the operator (the desktop's file manager).
    using FolderOpener = std::function<void(const QString &folder)>;

    StatusMonitor(CommandDispatch *dispatch, const CommandCatalogue *catalogue, QObject *parent = nullptr);

    TableModelStatus *model() const { return m_model; }
    PowerSwitchWalk *walk() const { return m_walk; }
    QTimer *pollTimer() const { return m_pollTimer; }

    void setPollMinutes(int minutes);
    int pollMinutes() const { return m_pollMinutes; }
    void setUserDataFolder(const QString &folder) { m_userDataFolder = folder; }
    void setConfirmation(Confirmation confirmation) { m_confirmation = std::move(confirmation); }
    void setFolderOpener(FolderOpener opener) { m_folderOpener = std::move(opener); }
    // PJLink projectors are left out of every op query and the op power walk.
    void setPJLinkDirectory(const PJLinkDirectory *directory) { m_pjlinkDirectory = directory; }
    void setRecheckDelays(int soonMs, int settledMs)
    {
        m_recheckSoonMs = soonMs;
        m_recheckSettledMs = settledMs;
    }

    // Arms the repeating status poll and the two first sweeps (target sweep
    // after 3 s, status sweep after 8 s). Timers only fire once the event
    // loop runs, so this may be called while the window is being built.
    void startPolling();
    // Stops every polling timer (the first sweeps included).
    void stopPolling();

    // One row per address, all values gone (the tree's checked projectors).
    void rebuild(const QStringList &addresses);

    // The status sweep: eight queries to every connected row.
    void sweep();
    // The target sweep: the model query alone, which loads each catalogue.
    void targetSweep();
    // The eight queries to one projector, outside any task (double-click).
    bool refreshAddress(const QString &ip);
    // The queries of a status sweep for ip; functions its model lacks are
    // left out.
    QStringList sweepQueries(const QString &ip) const;

    // One answer of a projector, as the answer router splits it.
    void updateFromAnswer(const QString &ip, const QString &key, const QString &value);

    // All On / All Off: asks, logs the header line, then walks the
    // connected projectors without holding the window. Does nothing while a
    // walk is still running or when no projector is connected.
    void switchAll(PowerSwitchRule::Direction direction);
    bool isSwitching() const;

    // Writes the table to <user data folder>/yyMMdd_hhmmss_status.txt and
    // shows the folder; false (nothing shown) when it cannot be written.
    bool exportStatus(const QDateTime &now);

    // The countdown bar of the periodic-task row, owned by parent.
    QProgressBar *createPollBar(QWidget *parent);
    // Shows the time left until the next status poll (once a second while
    // the periodic-task table is visible).
    void showCountdown();

signals:
    void sigLog(const QString &line);
    // A task of sessions sessions sharing stamp begins.
    void sigTaskStarted(const QTime &stamp, int sessions);
    // A status sweep went out to these connected projectors.
    void sigStatusSweepSent(const QStringList &connected);
    void sigStatusMessage(const QString &text);
    // All On / All Off was confirmed for these addresses (PJLink ones too).
    void sigSwitchConfirmed(PowerSwitchRule::Direction direction, const QStringList &addresses);

private:
    QStringList connectedRows() const;
    void refreshLife(int row, const QString &ip);
    void recheckPower(const QStringList &addresses);

    CommandDispatch *m_dispatch;
    const CommandCatalogue *m_catalogue;
    TableModelStatus *m_model;
    PowerSwitchWalk *m_walk;
    QTimer *m_pollTimer;
    QTimer *m_firstTargetSweep;
    QTimer *m_firstStatusSweep;
    QProgressBar *m_pollBar = nullptr;
    int m_pollMinutes = 5;
    int m_shownSeconds = -1;
    QString m_userDataFolder;
    Confirmation m_confirmation;
    FolderOpener m_folderOpener;
    const PJLinkDirectory *m_pjlinkDirectory = nullptr;
    QStringList m_switched; // by the walk now running
    int m_recheckSoonMs = RecheckSoonMs;
    int m_recheckSettledMs = RecheckSettledMs;
};
