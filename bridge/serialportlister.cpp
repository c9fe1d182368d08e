#include "bridge/serialportlister.h"

#include <QCoreApplication>
#include <QDir>
#include <QSerialPortInfo>

QList<SerialPortLister::Port> SerialPortLister::availablePorts()
{
    QList<Port> ports;
    if (qEnvironmentVariableIsSet("BRIVOX_SERIAL_PORTS")) {
        const QStringList paths =
            qEnvironmentVariable("BRIVOX_SERIAL_PORTS").split(QDir::listSeparator(), Qt::SkipEmptyParts);
        for (const QString &path : paths) {
            Port port;
            port.portName = path;
            port.description = QStringLiteral("Pseudo terminal");
            port.systemLocation = path;
            ports << port;
        }
        return ports;
    }
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        Port port;
        port.portName = info.portName();
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        port.systemLocation = info.systemLocation();
        port.vendorIdentifier = info.hasVendorIdentifier() ? info.vendorIdentifier() : 0;
        port.productIdentifier = info.hasProductIdentifier() ? info.productIdentifier() : 0;
        ports << port;
    }
    return ports;
}

QStringList SerialPortLister::infoList(const Port &port)
{
    const QString blank = QCoreApplication::translate("SettingsDialog", "N/A");
    auto orBlank = [&blank](const QString &text) { return text.isEmpty() ? blank : text; };
    auto hex = [&blank](quint16 id) { return id ? QString::number(id, 16) : blank; };
    return {port.portName,       orBlank(port.description),  orBlank(port.manufacturer), orBlank(port.serialNumber),
            port.systemLocation, hex(port.vendorIdentifier), hex(port.productIdentifier)};
}
