#pragma once

#include <QObject>
#include <QString>

class QUdpSocket;

// Receives discovery requests on the bridge's UDP port. Each datagram becomes
// one text "udp=<sender>;time=<hh:mm:ss.zzz>;<datagram text>".
class MyUdpRX : public QObject
{
    Q_OBJECT
public:
    MyUdpRX(quint16 port, QObject *parent = nullptr);

    bool isBound() const { return m_bound; }

signals:
    void sigSendUDPdata(const QString &text);

public slots:
    void processPendingDatagrams();

private:
    QUdpSocket *m_socket = nullptr;
    bool m_bound = false;
};
