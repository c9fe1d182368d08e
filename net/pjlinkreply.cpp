#include "net/pjlinkreply.h"

#include <QCoreApplication>
#include <QTextCodec>

namespace {

bool isHexDigits(const QByteArray &text, int count)
{
    if (text.size() != count)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

bool isCommandLetters(const QByteArray &text)
{
    if (text.size() != 4)
        return false;
    for (const char c : text) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Class 2 names and input names may be UTF-8; older projectors send
// Latin-1. Take UTF-8 only when the bytes are valid UTF-8.
QString decodeValue(const QByteArray &bytes)
{
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0 ? text : QString::fromLatin1(bytes);
}

} // namespace

PJLinkReply PJLinkReply::parse(const QByteArray &line)
{
    PJLinkReply reply;
    if (line.size() > MaxLineBytes - 1) {
        reply.m_problem = Problem::TooLong;
        return reply;
    }
    for (const char c : line) {
        if (uchar(c) < 0x20) {
            reply.m_problem = Problem::BadHeader;
            return reply;
        }
    }
    if (line.startsWith("PJLINK ")) {
        const QByteArray rest = line.mid(7);
        if (rest == "0") {
            reply.m_kind = Kind::Greeting;
        } else if (rest == "ERRA") {
            reply.m_kind = Kind::AuthFailed;
        } else if (rest.startsWith("1 ") && isHexDigits(rest.mid(2), 8)) {
            reply.m_kind = Kind::Greeting;
            reply.m_needsAuth = true;
            reply.m_random = rest.mid(2);
        } else {
            reply.m_problem = Problem::BadGreeting;
        }
        return reply;
    }
    const int eq = line.indexOf('=');
    if (eq < 0) {
        reply.m_problem = Problem::NoEquals;
        return reply;
    }
    if (eq != 6 || line.at(0) != '%' || line.at(1) < '1' || line.at(1) > '9' || !isCommandLetters(line.mid(2, 4))) {
        reply.m_problem = Problem::BadHeader;
        return reply;
    }
    const QByteArray value = line.mid(7);
    if (value == "ERRA") {
        // Some projectors refuse a wrong digest in the answer itself.
        reply.m_kind = Kind::AuthFailed;
        return reply;
    }
    reply.m_kind = Kind::Answer;
    reply.m_class = QLatin1Char(line.at(1));
    reply.m_command = QString::fromLatin1(line.mid(2, 4));
    reply.m_value = decodeValue(value);
    if (value == "ERR1")
        reply.m_error = Error::Undefined;
    else if (value == "ERR2")
        reply.m_error = Error::OutOfParameter;
    else if (value == "ERR3")
        reply.m_error = Error::UnavailableTime;
    else if (value == "ERR4")
        reply.m_error = Error::ProjectorFailure;
    return reply;
}

bool PJLinkReply::answers(const QString &request) const
{
    if (m_kind != Kind::Answer || request.size() < 6 || request.at(0) != QLatin1Char('%'))
        return false;
    return request.at(1) == m_class && request.midRef(2, 4).compare(m_command, Qt::CaseInsensitive) == 0;
}

QString PJLinkReply::errorText(Error error)
{
    switch (error) {
    case Error::None:
        return QString();
    case Error::Undefined:
        return QCoreApplication::translate("PJLinkReply", "Undefined command");
    case Error::OutOfParameter:
        return QCoreApplication::translate("PJLinkReply", "Out of parameter");
    case Error::UnavailableTime:
        return QCoreApplication::translate("PJLinkReply", "Unavailable time (warming up or cooling down)");
    case Error::ProjectorFailure:
        return QCoreApplication::translate("PJLinkReply", "Projector failure");
    }
    return QString();
}

QString PJLinkReply::problemName(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return QString();
    case Problem::TooLong:
        return QStringLiteral("line too long");
    case Problem::NoEquals:
        return QStringLiteral("line without '='");
    case Problem::BadHeader:
        return QStringLiteral("bad header");
    case Problem::BadGreeting:
        return QStringLiteral("bad greeting");
    }
    return QString();
}
