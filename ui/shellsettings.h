#pragma once

#include <QString>
#include <QStringList>

// The values of group "Default" of Orvanto.ini as the main window uses them.
// The initialisers are the values that hold before (or without) the INI file:
// the settings reader overwrites them once while the window is being built.
struct ShellSettings
{
    QString iniPath;
    QString language = QStringLiteral("en_US");
    QString localIP = QStringLiteral("127.0.0.1");
    QString multicastIP = QStringLiteral("239.255.43.21");
    int tcpPort = 7000;
    int ipTotal = 25;
    int statusPollMinutes = 9;
    QString cmdFile = QStringLiteral("default.csv");
    int udpPortRx = 35069;
    int udpPortTx = 35070;
    // "Style" is "Dark" (exactly) unless the file says otherwise.
    bool darkStyle = true;
    QStringList allValues;
};
