#include "net/pjlinkdatagram.h"

#include "net/pjlinkerrorstatus.h"

namespace {

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isMac(const QByteArray &text)
{
    if (text.size() != 17)
        return false;
    for (int i = 0; i < text.size(); ++i) {
        const bool separator = i % 3 == 2;
        if (separator ? text.at(i) != ':' : !isHex(text.at(i)))
            return false;
    }
    return true;
}

bool isDigits(const QByteArray &text, int count, char first, char last)
{
    if (text.size() != count)
        return false;
    for (const char c : text) {
        if (c < first || c > last)
            return false;
    }
    return true;
}

// INPT: a type digit 1..6 and a number 1..9 or A..Z (class 2).
bool isInput(const QByteArray &text)
{
    return text.size() == 2 && text.at(0) >= '1' && text.at(0) <= '6'
           && ((text.at(1) >= '1' && text.at(1) <= '9') || (text.at(1) >= 'A' && text.at(1) <= 'Z'));
}

} // namespace

PJLinkDatagram PJLinkDatagram::parse(const QByteArray &datagram)
{
    PJLinkDatagram result;
    if (datagram.size() < 9 || datagram.size() > 64 || !datagram.startsWith("%2") || !datagram.endsWith('\r')
        || datagram.at(6) != '=')
        return result;
    const QByteArray command = datagram.mid(2, 4);
    const QByteArray value = datagram.mid(7, datagram.size() - 8);
    bool valid = false;
    Kind kind = Kind::Status;
    if (command == "ACKN" || command == "LKUP") {
        kind = command == "ACKN" ? Kind::Acknowledge : Kind::LinkUp;
        valid = isMac(value);
    } else if (command == "POWR") {
        valid = isDigits(value, 1, '0', '3');
    } else if (command == "ERST") {
        valid = isDigits(value, PJLinkErrorStatus::Digits, '0', '2');
    } else if (command == "INPT") {
        valid = isInput(value);
    } else if (command == "AVMT") {
        valid = value == "10" || value == "11" || value == "20" || value == "21" || value == "30" || value == "31";
    }
    if (!valid)
        return result;
    result.m_kind = kind;
    if (kind == Kind::Status) {
        result.m_command = QString::fromLatin1(command);
        result.m_value = QString::fromLatin1(value);
    } else {
        result.m_mac = QString::fromLatin1(value);
    }
    return result;
}
