#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUdpSocket>
#include <QVector>

// Answers the manager's discovery request ("?ZZ?" anywhere in a datagram to
// UDP port 35070) once for every projector it was given: a broadcast to port
// 35069 of "ip=..;mac=..;model=..;serial=..;", sent from the projector's own
// address so that it leaves by the right interface.
class DiscoveryResponder : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 RequestPort = 35070;
    static constexpr quint16 ReplyPort = 35069;

    explicit DiscoveryResponder(QObject *parent = nullptr);

    void addProjector(const QHostAddress &address, const QString &model, const QString &serialNumber);
    // Binding may fail (another responder without address sharing); the
    // TCP side of the simulator works without it.
    bool start(QString *error);

    // A stable made-up MAC for an address: "02:50:4A:" + its last three bytes.
    static QString macFor(const QHostAddress &address);
    static QByteArray replyFor(const QHostAddress &address, const QString &model, const QString &serialNumber);

private:
    void readRequests();

    struct Projector
    {
        QHostAddress address;
        QByteArray reply;
        QUdpSocket *sender = nullptr;
    };
    QUdpSocket m_requests;
    QVector<Projector> m_projectors;
};
