#pragma once

#include <QByteArray>

// Cuts the serial byte stream into lines ending in a line feed. Bytes of an
// unfinished line stay until its line feed arrives; a run that grows past
// MaxLineLength without one is handed out on its own, so that a talkative
// device without line feeds cannot fill the memory.
class SerialLineFramer
{
public:
    static constexpr int MaxLineLength = 4096;

    void append(const QByteArray &bytes) { m_buffer.append(bytes); }

    // True when takeLine() has something to hand out.
    bool hasLine() const;

    // The next line, its line feed included; empty when there is none.
    // complete tells whether it ended in a line feed or was cut at the bound.
    QByteArray takeLine(bool *complete = nullptr);

    int pendingSize() const { return m_buffer.size(); }
    void clear() { m_buffer.clear(); }

private:
    QByteArray m_buffer;
};
