#pragma once

#include <QString>

// How the projector behind one address misbehaves (or not) for testing.
//   normal      answers every request at once
//   delay:MS    answers every request MS milliseconds late
//   silent      accepts and reads, never answers
//   close[:N]   answers N requests (default 0), then closes at the next one;
//               close:0 on its own closes right after the first request
//   split[:MS]  sends every answer in two TCP segments MS ms apart (100)
//   nul         answers with a zero byte inside the answer
//   garbage     answers every request with binary junk
//   refuse      nothing listens there: connects are refused
//   backlog     a listener whose accept queue is full: connects hang
class AddressMode
{
public:
    enum Kind
    {
        Normal,
        Delay,
        Silent,
        Close,
        Split,
        Nul,
        Garbage,
        Refuse,
        Backlog
    };

    AddressMode() = default;
    AddressMode(Kind kind, int parameter = 0) : m_kind(kind), m_parameter(parameter) {}

    // Parses "delay:250" and friends; returns false for an unknown mode.
    static bool parse(const QString &text, AddressMode *mode);

    Kind kind() const { return m_kind; }
    int parameter() const { return m_parameter; }
    QString toString() const;

private:
    Kind m_kind = Normal;
    int m_parameter = 0;
};
