#include "net/myudprx.h"

#include "app/orvlog/OrvLog.h"
#include "net/discoveryreply.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QPointer>
#include <QTimer>

MyUdpRX::MyUdpRX(const QString &multicastAddress, const quint16 &port, QObject *parent)
    : QObject(parent), m_multicast(multicastAddress)
{
    const bool bound = m_socket.bind(QHostAddress::AnyIPv4, port,
                                     QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    OLOG_DEBUG() << "UDPrx Bind" << port << (bound ? "true" : "false");
    // The kernel may grant less (its own maximum); the drain below keeps
    // what it grants as empty as it can.
    m_socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, ReceiveBufferBytes);
    OLOG_DEBUG() << "UDPrx receive buffer"
                 << m_socket.socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt();
    connect(&m_socket, &QUdpSocket::readyRead, this, &MyUdpRX::processPendingDatagrams);
}

void MyUdpRX::processPendingDatagrams()
{
    drainSocket();
    if (!m_sliceQueued)
        handOnSlice();
}

void MyUdpRX::drainSocket()
{
    while (m_socket.hasPendingDatagrams()) {
        // receiveDatagram sizes its buffer to the datagram (at most 64 KB).
        QByteArray data = m_socket.receiveDatagram().data();
        if (int(m_queue.size()) >= MaxQueued) {
            ++m_dropped;
            continue;
        }
        m_queue.push_back(std::move(data));
    }
}

void MyUdpRX::handOnSlice()
{
    QPointer<MyUdpRX> guard(this);
    QElapsedTimer clock;
    clock.start();
    int cut = 0;
    int handled = 0;
    while (!m_queue.empty() && handled < MaxDatagramsPerTurn && (handled == 0 || clock.elapsed() < SliceBudgetMs)) {
        const QByteArray data = std::move(m_queue.front());
        m_queue.pop_front();
        ++handled;
        bool truncated = false;
        const QString text = DiscoveryReply::datagramText(data, &truncated);
        if (truncated)
            ++cut;
        emit sigSendUDPdata(tr("UDP:%1").arg(text));
        if (!guard)
            return;
        // What arrived meanwhile joins the queue before the kernel's buffer
        // can run over.
        if ((handled & 15) == 0)
            drainSocket();
    }
    if (cut > 0)
        OLOG_WARN() << "UDP replies cut to" << DiscoveryReply::MaxReplyBytes << "bytes:" << cut;
    if (m_dropped > 0) {
        OLOG_WARN() << "UDP replies dropped, queue full:" << m_dropped;
        m_dropped = 0;
    }
    if (m_queue.empty())
        return;
    // The rest on the next turn: paint and other sockets come first.
    m_sliceQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_sliceQueued = false;
        drainSocket();
        handOnSlice();
    });
}
