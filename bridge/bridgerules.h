#pragma once

#include <QByteArray>
#include <QString>

// How the bridge turns client input into serial commands, and what it answers
// by itself when the computer has no serial port at all.
class BridgeRules
{
public:
    // Upper bound of one TCP read: the rest of the input waits for the next
    // round so that one command text never exceeds the receive buffer.
    static constexpr int MaxTcpRead = 1023;

    // Model the bridge pretends to be.
    static QString model() { return QStringLiteral("KX4410Q"); }

    // Serial number given for "op ser.no ?" when there is no port: three
    // capital letters, "-", seven digits.
    static QString placeholderSerialNumber() { return QStringLiteral("BVX-0910100"); }

    // Bytes up to the first zero byte as Latin-1 text.
    static QString latin1UpToNul(const QByteArray &bytes);

    // One TCP read as one command text: up to the first zero byte, with white
    // space simplified (ends trimmed, inner runs made one blank).
    static QString commandText(const QByteArray &chunk);

    // True when text begins with "op " in any letter case.
    static bool isOpLine(const QString &text);

    // The command as written to the serial port: CR LF behind, local 8-bit.
    static QByteArray serialCommand(const QString &line);

    // The bridge's own answer to line when no serial port exists; no line
    // terminator, as the manager reads whatever arrives.
    static QString localAnswer(const QString &line);
};
