#pragma once

#include <QString>

// The line parameters the main window sets on the port. The numbers are the
// serial library's enumeration values; the texts are what the file holds and
// what the status bar and the port label show.
struct SerialSettings
{
    QString name;
    qint32 baudRate = 0;
    QString stringBaudRate;
    int dataBits = 0;
    QString stringDataBits;
    int parity = 0;
    QString stringParity;
    int stopBits = 0;
    QString stringStopBits;
    int flowControl = 0;
    QString stringFlowControl;
    bool localEchoEnabled = true;
};
