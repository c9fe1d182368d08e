#pragma once

#include <QByteArray>
#include <QString>

// One line a PJLink projector sends on its TCP port, without its CR:
// the greeting ("PJLINK 0", "PJLINK 1 <8 hex digits>"), the refusal of a
// wrong digest ("PJLINK ERRA") or an answer "%<class><CMD4>=<value>".
//
// The wire is untrusted: a line longer than the protocol allows, without
// "=", with a header that is not a class digit and four command letters,
// or with bytes below 0x20 is Invalid with a reason, never half taken.
class PJLinkReply
{
public:
    // Longest line the protocol allows, its CR included.
    static constexpr int MaxLineBytes = 136;

    enum class Kind
    {
        Invalid,
        Greeting,
        AuthFailed,
        Answer
    };
    enum class Error
    {
        None,
        Undefined,        // ERR1: the projector does not know the command
        OutOfParameter,   // ERR2
        UnavailableTime,  // ERR3: e.g. while warming up or cooling down
        ProjectorFailure, // ERR4
    };
    enum class Problem
    {
        None,
        TooLong,
        NoEquals,
        BadHeader,
        BadGreeting,
    };

    static PJLinkReply parse(const QByteArray &line);

    Kind kind() const { return m_kind; }
    Problem problem() const { return m_problem; }

    // Greeting only: whether the projector asks for a digest, and its
    // random number (8 hexadecimal digits).
    bool needsAuth() const { return m_needsAuth; }
    QByteArray random() const { return m_random; }

    // Answer only.
    QChar classDigit() const { return m_class; }
    QString command() const { return m_command; } // upper-case four letters
    QString value() const { return m_value; }
    Error error() const { return m_error; }
    bool isOk() const { return m_value == QLatin1String("OK"); }

    // True when this answer echoes the class and command of a request line
    // such as "%1POWR ?" (the answer to another request would otherwise be
    // taken for this one's).
    bool answers(const QString &request) const;

    // "ERR3" and the like in words, for the console and the table.
    static QString errorText(Error error);
    static QString problemName(Problem problem);

private:
    Kind m_kind = Kind::Invalid;
    Problem m_problem = Problem::None;
    bool m_needsAuth = false;
    QByteArray m_random;
    QChar m_class;
    QString m_command;
    QString m_value;
    Error m_error = Error::None;
};
