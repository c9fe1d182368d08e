#pragma once

#include <QString>

// The configuration dialog's fields as free text. The member defaults are what
// the dialog shows for a missing key; note that StatusPoll and CmdFile differ
// from the values the main window falls back to.
struct ConfigFormValues
{
    QString localIP = QStringLiteral("127.0.0.1");
    QString ipTotal = QStringLiteral("25");
    QString tcpPort = QStringLiteral("7000");
    QString udpPortRx = QStringLiteral("35069");
    QString udpPortTx = QStringLiteral("35070");
    QString language = QStringLiteral("en_US");
    QString style = QStringLiteral("Dark");
    QString cmdFile = QStringLiteral("KX4410Q.csv");
    QString statusPoll = QStringLiteral("5");
    // Minutes; empty while the file has no "ScriptLimit" and the operator
    // kept the program's default (AppSettings::scriptLimit): nothing to store.
    QString scriptLimit;
    QString pjlinkPassword;
};
