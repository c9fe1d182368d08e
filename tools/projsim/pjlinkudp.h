#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>
#include <QVector>

class PJLinkProjectorState;

// The UDP side of the simulated PJLink class 2 projectors: answers "%2SRCH"
// with one "%2ACKN=<MAC>" per projector (sent to the searcher's address and
// port, from the projector's own address), and sends each projector's
// "%2LKUP=<MAC>" at start and its status notifications to the notify host.
class PJLinkUdp : public QObject
{
    Q_OBJECT
public:
    PJLinkUdp(quint16 port, const QHostAddress &notifyHost, quint16 notifyPort, QObject *parent = nullptr);

    void addProjector(const QHostAddress &address, PJLinkProjectorState *state);
    bool start(QString *error);

private:
    void readSearches();
    void sendFrom(int index, const QByteArray &line, const QHostAddress &to, quint16 port);

    struct Projector
    {
        QHostAddress address;
        QByteArray mac;
        QUdpSocket *sender = nullptr;
    };
    quint16 m_port;
    QHostAddress m_notifyHost;
    quint16 m_notifyPort;
    QUdpSocket m_searches;
    QVector<Projector> m_projectors;
};
