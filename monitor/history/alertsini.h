#pragma once

#include "monitor/history/alertrules.h"
#include "monitor/history/mailsettings.h"

#include <QString>
#include <QStringList>

// Groups [Alerts] and [History] of Orvanto.ini, so that a site can roll
// alerting out as a file. Unusable values fall back to their defaults with
// a note in fallbacks (and a WARN from read()).
struct AlertsIni
{
    AlertSettings alerts;
    MailSettings mail;
    bool historyEnabled = true;
    int retentionDays = 365;
    QStringList fallbacks;

    static constexpr int MaxRetentionDays = 3650;
    static constexpr int MaxPerHourLimit = 1000;

    static AlertsIni read(const QString &iniPath);
    // Writes both groups; the file becomes readable by its owner only when
    // it holds a password. False with *errorString on failure.
    bool write(const QString &iniPath, QString *errorString = nullptr) const;
};
