#pragma once

#include "app/configformvalues.h"

#include <QString>
#include <QStringList>

// What a usable setting looks like. The main window's reader falls back to
// the default for a value that breaks these rules; the configuration dialog
// refuses to store one.
class SettingsRules
{
public:
    // The status poll runs on a millisecond timer: minutes * 60000 must fit an int.
    static constexpr int MaxStatusPollMinutes = 35791;

    // The target search probes <prefix>.1 ... <prefix>.IpTotal of the
    // local /24: past .254 there is only the broadcast address and text
    // that is no address at all ("10.0.0.300").
    static constexpr int MaxIpTotal = 254;

    // A TCP or UDP port number, 1 ... 65535.
    static bool isPort(const QString &text);
    // Targets of the search, 1 ... MaxIpTotal.
    static bool isIpTotal(const QString &text);
    // Minutes of the status poll, 1 ... MaxStatusPollMinutes.
    static bool isStatusPoll(const QString &text);
    // Minutes a script run may take ("ScriptLimit"), 1 ... MaxScriptLimitMinutes.
    static constexpr int MaxScriptLimitMinutes = 24 * 60;
    static bool isScriptLimit(const QString &text);
    // A dotted IPv4 address.
    static bool isIPv4(const QString &text);
    // "Dark" or "Light", exactly.
    static QStringList looks();
    // A command file name: a plain file name in the plug-in folder.
    static bool isCommandFileName(const QString &text);
    // "en_US" and the language of every translation shipped in
    // <programFolder>/i18n ("Orvanto_zh_CN.qm" gives "zh_CN").
    static QStringList languages(const QString &programFolder);

    // A problem of the dialog's values: which form field and what is wrong.
    struct Problem
    {
        QString field; // object name of the line edit
        QString text;  // for the operator, translated
    };
    // The first value that the main window would not use as it stands, or
    // a problem with an empty field when all is well.
    static Problem firstProblem(const ConfigFormValues &values);
};
