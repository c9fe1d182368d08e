#pragma once

#include <QObject>
#include <QUdpSocket>

// Orvanto's ear on the PJLink UDP port (4352): sends the class 2 search
// ("%2SRCH") from the same socket, so the "%2ACKN=<MAC>" answers come back
// to it, and takes the projectors' own notifications (LKUP, POWR, ERST,
// INPT, AVMT). Datagrams of any other form are counted, not logged.
class PJLinkListener : public QObject
{
    Q_OBJECT
public:
    explicit PJLinkListener(QObject *parent = nullptr);

    // Binding can fail (another program on the port); discovery then goes
    // without PJLink and nothing else changes.
    bool start(quint16 port = 4352);
    void search(const QHostAddress &broadcast = QHostAddress::Broadcast, quint16 port = 4352);
    int ignoredCount() const { return m_ignored; }

signals:
    void sigAcknowledged(const QString &ip, const QString &mac);
    // command is "LKUP" (value: the MAC), "POWR", "ERST", "INPT" or "AVMT".
    void sigNotification(const QString &ip, const QString &command, const QString &value);

private:
    void readDatagrams();

    QUdpSocket m_socket;
    int m_ignored = 0;
};
