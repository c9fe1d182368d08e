#pragma once

#include <QAbstractSocket>
#include <QString>
#include <QStringList>

// How a command session that did not get all its answers tells the console.
// Every command the operator sends must end in the console with its answer or
// with one of these lines, so a projector that is off the network, refuses,
// stays silent or hangs up early is never just an empty console.
//
// The line starts with "!" (the console shows it in orange) and reads
//   !<host> <kind>: <first unanswered command>[ (+N more)] (<reason>)
class SessionFailure
{
public:
    enum class Kind
    {
        Refused,     // nothing listens on the port
        Unreachable, // no route, no such host, or the connect never finished
        TimedOut,    // connected, but the answers did not come in time
        Closed       // the projector hung up before answering everything
    };

    static constexpr QChar Marker = QChar('!');

    // The kind of a connect that failed with error.
    static Kind ofConnectError(QAbstractSocket::SocketError error);
    static QString kindText(Kind kind);
    // commands: the session's list; firstUnanswered: index of the first
    // command without answer.
    static QString line(Kind kind, const QString &host, const QStringList &commands, int firstUnanswered,
                        const QString &reason);
    static bool isFailureLine(const QString &line) { return line.startsWith(Marker); }
};
