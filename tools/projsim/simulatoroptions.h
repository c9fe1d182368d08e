#pragma once

#include "addressmode.h"

#include <QHostAddress>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// The command line of projsim, parsed.
class SimulatorOptions
{
public:
    // Parses the arguments (without the program name at [0] removed: pass
    // QCoreApplication::arguments()). On failure returns false with a message.
    bool parse(const QStringList &arguments, QString *error);
    static QString usage();

    quint16 port = 7000;
    QVector<QHostAddress> addresses;
    QMap<QString, AddressMode> modes; // address text -> mode
    QString model = QStringLiteral("KX4410Q");
    QString catalogue;

    QString serialPort;
    qint32 baudRate = 115200;
    bool echo = true;
    int slowMs = 0;
    bool partial = false;
    bool burst = false;
    bool logRequests = false;

    // Answer the manager's discovery broadcast for every served address.
    bool discovery = true;

    int warmupMs = 3000;
    int cooldownMs = 3000;
    int hourMs = 60000;
    int hours = -1;                // -1: spread over the fleet
    QMap<QString, int> power;      // address text ("" = all) -> power state
    QMap<QString, QString> faults; // address text ("" = all) -> error code
    QMap<QString, int> lifePercent; // address text ("" = all) -> hours as % of the rated life
    QMap<QString, int> driftMs;     // address text ("" = all) -> period of status changes

    AddressMode modeFor(const QHostAddress &address) const;
};
