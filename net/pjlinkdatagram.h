#pragma once

#include <QByteArray>
#include <QString>

// The UDP side of PJLink class 2 on port 4352: the search request a manager
// broadcasts ("%2SRCH"), the projectors' answer "%2ACKN=<MAC>", and the
// notifications a projector sends on its own: "%2LKUP=<MAC>" when it becomes
// reachable, "%2POWR=", "%2ERST=", "%2INPT=", "%2AVMT=" when its state
// changes.
//
// Anybody on the segment can send to the port, so a datagram counts only
// when it is exactly one of these forms (its CR included); everything else
// is Invalid and merely counted by the receiver.
class PJLinkDatagram
{
public:
    static constexpr quint16 Port = 4352;

    enum class Kind
    {
        Invalid,
        Acknowledge, // %2ACKN=<MAC>
        LinkUp,      // %2LKUP=<MAC>
        Status,      // %2POWR / ERST / INPT / AVMT
    };

    static QByteArray searchRequest() { return QByteArrayLiteral("%2SRCH\r"); }
    static PJLinkDatagram parse(const QByteArray &datagram);

    Kind kind() const { return m_kind; }
    // Acknowledge and LinkUp: the MAC as sent (six pairs of hex digits
    // joined by ':').
    QString mac() const { return m_mac; }
    // Status: "POWR", "ERST", "INPT" or "AVMT" and its value.
    QString command() const { return m_command; }
    QString value() const { return m_value; }

private:
    Kind m_kind = Kind::Invalid;
    QString m_mac;
    QString m_command;
    QString m_value;
};
