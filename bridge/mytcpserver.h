#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpSocket>

class QTcpServer;

// The bridge's TCP side: listens on port 7000 and serves one client at a
// time, the one that connected last. Each read of the client's bytes (at most
// BridgeRules::MaxTcpRead of them) becomes one command text.
class MyServer : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 7000;
    // How long a replaced connection may take to hand over its last bytes.
    static constexpr int RetireGraceMs = 2000;

    explicit MyServer(QObject *parent = nullptr, quint16 port = DefaultPort);

    bool isListening() const;
    QTcpSocket *servedConnection() const { return m_served; }
    // Client sockets still held: the served one and replaced ones closing.
    int connectionCount() const;

signals:
    void sigSendTCPdata(const QString &text);

public slots:
    void newConnection();
    void startRead();
    void connectionAboutToClose();
    void slotWriteTCP(const QByteArray &bytes);

private:
    bool readChunk(QTcpSocket *socket);
    void scheduleRead();
    void retire(QTcpSocket *socket);

    QTcpServer *m_server = nullptr;
    QPointer<QTcpSocket> m_served;
    bool m_readScheduled = false;
};
