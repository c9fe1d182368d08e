#include "net/pjlinkprobe.h"

#include "net/pjlinkdirectory.h"
#include "net/pjlinkreply.h"

#include <QTcpSocket>
#include <algorithm>
#include <QTimer>

PJLinkProbe::PJLinkProbe(PJLinkDirectory *directory, QObject *parent)
    : QObject(parent)
    , m_directory(directory)
{
}

void PJLinkProbe::probe(const QString &ip)
{
    if (m_directory->isKnown(ip)) {
        const bool pjlink = m_directory->isPJLink(ip);
        const bool auth = m_directory->needsAuth(ip);
        QTimer::singleShot(0, this, [this, ip, pjlink, auth] { emit sigProbed(ip, pjlink, auth); });
        return;
    }
    if (m_waiting.contains(ip) || std::find(m_open.cbegin(), m_open.cend(), ip) != m_open.cend())
        return;
    m_waiting.enqueue(ip);
    startNext();
}

void PJLinkProbe::startNext()
{
    while (m_open.size() < m_maxConcurrent && !m_waiting.isEmpty()) {
        const QString ip = m_waiting.dequeue();
        auto *socket = new QTcpSocket(this);
        m_open.insert(socket, ip);
        auto *timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, socket] { finish(socket, false, false); });
        connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket] { finish(socket, false, false); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            // The greeting is one short line; a peer that talks on without
            // a CR is not a PJLink projector.
            QByteArray line = socket->peek(PJLinkReply::MaxLineBytes);
            if (!line.contains('\r') && line.size() < PJLinkReply::MaxLineBytes)
                return;
            const int cr = line.indexOf('\r');
            line = cr < 0 ? QByteArray() : line.left(cr);
            const PJLinkReply reply = PJLinkReply::parse(line);
            finish(socket, reply.kind() == PJLinkReply::Kind::Greeting, reply.needsAuth());
        });
        timer->start(m_timeoutMs);
        socket->connectToHost(ip, m_port);
    }
}

void PJLinkProbe::finish(QTcpSocket *socket, bool pjlink, bool needsAuth)
{
    const auto it = m_open.find(socket);
    if (it == m_open.end())
        return;
    const QString ip = it.value();
    m_open.erase(it);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    m_directory->setProbed(ip, pjlink, needsAuth);
    emit sigProbed(ip, pjlink, needsAuth);
    startNext();
}
