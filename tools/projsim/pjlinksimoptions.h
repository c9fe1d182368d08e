#pragma once

#include <QHostAddress>
#include <QMap>
#include <QString>
#include <QStringList>

// The PJLink part of projsim's command line. Its options are taken out of
// the argument list first; the rest (addresses, ranges, warm-up and
// cool-down times) is parsed by SimulatorOptions as for op projectors.
class PJLinkSimOptions
{
public:
    // Removes the PJLink options from arguments. On a bad value returns
    // false with a message.
    bool take(QStringList *arguments, QString *error);
    static QString usage();

    bool enabled() const { return classLevel > 0; }

    int classLevel = 0;           // 0: op projectors, 1 or 2: PJLink
    quint16 port = 4352;
    QString password;             // empty: no authentication
    int delayMs = 0;              // before every answer
    int idleMs = 30000;           // hang up after this long without a request
    bool single = false;          // one connection at a time
    bool closeAfterAnswer = false; // hang up after every answer
    QHostAddress notifyHost;      // LKUP and status notifications go here
    quint16 notifyPort = 4352;
    QMap<QString, QString> lamps; // address ("" = all) -> "hours[,hours...]"
    QMap<QString, QString> erst;  // address ("" = all) -> six digits
    QMap<QString, int> power;     // address ("" = all) -> 0 standby, 1 on
    QStringList silent;           // addresses that greet and never answer
};
