#pragma once
// Helpers shared by the bridge tests.
#include "bridge/mytcpserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <sys/socket.h>

// Open file descriptors of this process: sockets and ports not released show up here.
inline int openFileCount()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
        .size();
}

inline std::unique_ptr<QTcpSocket> connectClient()
{
    auto client = std::make_unique<QTcpSocket>();
    client->connectToHost(QHostAddress::LocalHost, MyServer::DefaultPort);
    return client->waitForConnected(3000) ? std::move(client) : nullptr;
}

// What arrives until at least size bytes are there, and a little longer: whatever follows them is a fault.
inline QByteArray readAtLeast(QIODevice *device, int size, int waitMs = 5000)
{
    QByteArray got;
    for (QDeadlineTimer deadline(waitMs); got.size() < size && !deadline.hasExpired();) {
        QTest::qWait(5);
        got += device->readAll();
    }
    QTest::qWait(150);
    return got + device->readAll();
}

// HalfClose: as "printf 'op model ?\r\n' | socat -t 2 - TCP:host:7000" does, stop sending once the command is out.
enum AskMode { KeepSending, HalfClose };

// A client's command through the bridge and what comes back (see readAtLeast).
inline QByteArray ask(const QByteArray &command, int answerSize, int waitMs = 5000, AskMode mode = KeepSending)
{
    auto client = connectClient();
    if (!client)
        return "no connection";
    client->write(command);
    if (mode == HalfClose && (!client->flush() || ::shutdown(int(client->socketDescriptor()), SHUT_WR) != 0))
        return "no half-close";
    return readAtLeast(client.get(), answerSize, waitMs);
}

// Random bytes without 'o'/'O', so that no line of them can pass for an op answer.
inline QByteArray garbage(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes.replace('o', '.').replace('O', '.');
}

// The test runs in a network namespace of its own: loopback and the two-host helper's links only.
inline bool insideSandbox()
{
    for (const QNetworkInterface &ni : QNetworkInterface::allInterfaces()) {
        if (!ni.flags().testFlag(QNetworkInterface::IsLoopBack) && !ni.name().startsWith(QLatin1String("orv")))
            return false;
    }
    return true;
}

