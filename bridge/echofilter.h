#pragma once

#include <QByteArray>
#include <QString>

// Tells the projector's echo of the command just written apart from its
// answers. Projectors repeat each command on the serial line before they
// answer it; the echo must not reach the TCP client.
class EchoFilter
{
public:
    enum class Kind
    {
        Echo,   // repeats the last command written: dropped
        Answer, // an "op " line to forward to the client
        Other   // not an "op " line: shown only
    };

    // Remembers the bytes just written to the port.
    void remember(const QByteArray &written);

    QString lastSerialCommand() const { return m_last; }

    // Classifies one received serial line (text up to its first zero byte).
    // Before anything was written every "op " line counts as echo.
    Kind classify(const QString &lineText) const;

private:
    QString m_last;
};
