#pragma once

#include "bridge/clientwritehandle.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpSocket>

class QTcpServer;
class QTimer;

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
    // How long a client that stopped sending waits for the answer to its
    // last command.
    static constexpr int HalfCloseGraceMs = 3000;

    explicit MyServer(QObject *parent = nullptr, quint16 port = DefaultPort);

    bool isListening() const;
    QTcpSocket *servedConnection() const { return m_served; }
    // Client sockets still held: the served one and replaced ones closing.
    int connectionCount() const;
    // True while a client that has stopped sending still waits for an answer.
    bool isAwaitingHalfClosedAnswer() const { return m_halfClosed.isValid(); }

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
    void dropHalfClosed();

    QTcpServer *m_server = nullptr;
    QPointer<QTcpSocket> m_served;
    bool m_readScheduled = false;
    // A command of the served client is still unanswered.
    bool m_answerPending = false;
    // Kept from the served client's first command on, for a half-close.
    ClientWriteHandle m_servedSpare;
    ClientWriteHandle m_halfClosed;
    QTimer *m_halfCloseTimer = nullptr;
};
