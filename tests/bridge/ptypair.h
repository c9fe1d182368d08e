#pragma once

#include <QProcess>
#include <QString>

// Two linked pseudo-terminals made by socat, standing in for a serial cable:
// what is written to one end is read at the other. The links live in the
// given folder as "A" (the bridge's end) and "B" (the projector's end).
class PtyPair
{
public:
    explicit PtyPair(const QString &folder);
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    // Starts socat and waits until both links exist.
    bool start();
    // Ends socat: both terminals vanish, as when a USB adapter is pulled.
    void stop();

    QString bridgeEnd() const { return m_folder + QStringLiteral("/A"); }
    QString projectorEnd() const { return m_folder + QStringLiteral("/B"); }
    QByteArray errorText() const { return m_error; }

private:
    QString m_folder;
    QProcess m_socat;
    QByteArray m_error;
};
