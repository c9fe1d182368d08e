#pragma once

#include <QByteArray>
#include <QList>

// Cuts a byte stream into request lines. A line ends at CR, LF or CR LF;
// empty lines are dropped. A run of bytes longer than the limit without a
// line end is handed out as one line so that junk cannot grow the buffer.
class LineSplitter
{
public:
    explicit LineSplitter(int maximumLength = 4096) : m_maximumLength(maximumLength) {}

    QList<QByteArray> feed(const QByteArray &bytes);
    const QByteArray &pending() const { return m_buffer; }

private:
    QByteArray m_buffer;
    int m_maximumLength;
};
