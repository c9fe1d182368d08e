#pragma once

#include <QByteArray>
#include <QtGlobal>

// A second handle on a client's TCP connection, through which the answer can
// still be written after the client has closed its sending side.
//
// Operators' scripts often send one command and half-close at once (for
// example "printf 'op model ?\r\n' | socat -t 2 - TCP:host:7000"). The socket
// layer takes the end of the client's input for the end of the connection and
// drops its own handle; the connection itself stays open as long as this one
// is held, so the projector's answer, which comes later, can still go out.
class ClientWriteHandle
{
public:
    ClientWriteHandle() = default;
    // Duplicates descriptor; invalid when that fails.
    explicit ClientWriteHandle(qintptr descriptor);
    ~ClientWriteHandle();
    ClientWriteHandle(const ClientWriteHandle &) = delete;
    ClientWriteHandle &operator=(const ClientWriteHandle &) = delete;
    ClientWriteHandle(ClientWriteHandle &&other) noexcept;
    ClientWriteHandle &operator=(ClientWriteHandle &&other) noexcept;

    bool isValid() const { return m_descriptor >= 0; }

    // Writes bytes and ends the connection; the handle is spent afterwards.
    // False when nothing could be written.
    bool writeAndClose(const QByteArray &bytes);

    // Lets the connection go without writing anything.
    void reset();

private:
    qintptr m_descriptor = -1;
};
