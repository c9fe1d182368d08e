#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The serial ports the bridge may choose from.
//
// The system's ports are listed through the serial library. When the
// environment variable BRIVOX_SERIAL_PORTS is set, its entries (device paths
// separated by the platform's list separator) are listed instead: that lets a
// pseudo-terminal pair stand in for a cable, and an empty value simulates a
// computer without any serial port.
class SerialPortLister
{
public:
    struct Port
    {
        QString portName;
        QString description;
        QString manufacturer;
        QString serialNumber;
        QString systemLocation;
        quint16 vendorIdentifier = 0;
        quint16 productIdentifier = 0;
    };

    static QList<Port> availablePorts();

    // The seven texts an entry of the port list carries: name, description,
    // manufacturer, serial number, location, vendor and product identifier
    // in lower-case hexadecimal; empty texts and zero identifiers are "N/A".
    static QStringList infoList(const Port &port);
};
