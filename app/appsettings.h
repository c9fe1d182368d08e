#pragma once

#include <QString>
#include <QStringList>

// The main window's settings, read once at start. The member defaults are the
// values the program runs with when the file or a key is missing (they differ
// from what the configuration dialog shows for a missing key).
struct AppSettings
{
    QString iniPath;
    QString language = QStringLiteral("en_US");
    QString localIP = QStringLiteral("127.0.0.1");
    QString multicastIP = QStringLiteral("239.255.43.21");
    int tcpPort = 7000;
    // "TcpPort" as written in the file, for the command console's port field.
    QString tcpPortText = QStringLiteral("7000");
    int ipTotal = 25;
    int statusPoll = 9; // minutes
    QString cmdFile = QStringLiteral("default.csv");
    int udpPortRx = 35069;
    int udpPortTx = 35070; // never read from the file
    QString style = QStringLiteral("Dark");
    // "PJLinkPassword", as given, for every PJLink projector that asks for
    // a digest. Never written to a log or console line.
    QString pjlinkPassword;
    bool darkStyle = true; // style == "Dark", case-sensitive
    int scriptLimit = 10; // minutes a script run may take, waits included
    // Every key of group "Default" and its value as text, in key order.
    QStringList defaultKeys;
    QStringList defaultValues;
    // One note per value that could not be used and was replaced by its
    // default: "TcpPort=7000 (not \"abc\")".
    QStringList fallbacks;
};
