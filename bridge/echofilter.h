#pragma once

#include <QByteArray>
#include <QString>

// Tells the projector's echo of the command just written apart from its
// answers. Projectors repeat each command on the serial line before they
// answer it; the echo must not reach the TCP client.
//
// The filter remembers and compares bytes, never decoded text: a command
// holding bytes >= 0x80 (UTF-8 "Å", or 0x85 and 0xA0, which as Latin-1 are
// white space) must match its echo exactly as it went out. Only ASCII white
// space is simplified on both sides.
class EchoFilter
{
public:
    enum class Kind
    {
        Echo,   // repeats the last command written: dropped
        Answer, // an "op " line to forward to the client
        Other   // not an "op " line: shown only
    };

    // Remembers the bytes just written to the port (up to the first zero byte).
    void remember(const QByteArray &written);

    // What was remembered, for traces.
    QByteArray lastSerialCommand() const { return m_last; }

    // Classifies one received serial line (its bytes; a zero byte ends it).
    // Before anything was written every "op " line counts as echo.
    Kind classify(const QByteArray &line) const;

private:
    QByteArray m_last;
};
