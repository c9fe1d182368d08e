#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

class PJLinkMonitor;

// The scripts' way to a PJLink projector: tcpcmd/allcmd lines for an
// address that speaks PJLink go out as PJLink lines on its session, and the
// answers to exactly those lines come back in the scripts' "ip>\tanswer"
// shape. Answers to the status sweep on the same session are told apart
// by their command echo and stay out of the script's result.
class PJLinkScriptRoute : public QObject
{
    Q_OBJECT
public:
    explicit PJLinkScriptRoute(PJLinkMonitor *monitor, QObject *parent = nullptr);

    // -1 when ip is not a PJLink projector (the op session takes the
    // commands then); otherwise the number of answers now awaited from it.
    // Lines that are no PJLink line for it are skipped.
    int send(const QString &ip, const QStringList &commands);

signals:
    void sigResult(const QString &text);
    // Nothing more is awaited from ip: every line answered, or its session
    // failed.
    void sigSettled(const QString &ip);

private:
    void onAnswer(const QString &ip, const QString &line);
    void onFailed(const QString &ip);

    PJLinkMonitor *m_monitor;
    // Per address, the "%<class><CMD4>" heads still to be answered, in order.
    QHash<QString, QStringList> m_expected;
};
