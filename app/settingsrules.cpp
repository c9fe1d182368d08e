#include "app/settingsrules.h"

#include "app/appinfo.h"
#include "net/modelnamerule.h"

#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>

namespace {

bool inRange(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= lowest && value <= highest;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsRules", text);
}

} // namespace

bool SettingsRules::isPort(const QString &text)
{
    return inRange(text, 1, 65535);
}

bool SettingsRules::isIpTotal(const QString &text)
{
    return inRange(text, 1, MaxIpTotal);
}

bool SettingsRules::isStatusPoll(const QString &text)
{
    return inRange(text, 1, MaxStatusPollMinutes);
}

bool SettingsRules::isIPv4(const QString &text)
{
    // QHostAddress also takes "1" or "0x7f000001"; the file holds dotted text.
    QHostAddress address;
    return text.count(QLatin1Char('.')) == 3 && address.setAddress(text) &&
           address.protocol() == QAbstractSocket::IPv4Protocol;
}

QStringList SettingsRules::looks()
{
    return {QStringLiteral("Dark"), QStringLiteral("Light")};
}

bool SettingsRules::isCommandFileName(const QString &text)
{
    return text.endsWith(QLatin1String(".csv")) && ModelNameRule::isPlain(text.chopped(4));
}

QStringList SettingsRules::languages(const QString &programFolder)
{
    QStringList languages{QStringLiteral("en_US")};
    const QString prefix = AppInfo::name() + QLatin1Char('_');
    const QStringList files = QDir(programFolder + QStringLiteral("/i18n"))
                                  .entryList({prefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString language = file.mid(prefix.size()).chopped(3);
        if (!languages.contains(language))
            languages.append(language);
    }
    return languages;
}

bool SettingsRules::isScriptLimit(const QString &text)
{
    return inRange(text, 1, MaxScriptLimitMinutes);
}

SettingsRules::Problem SettingsRules::firstProblem(const ConfigFormValues &values)
{
    const QString port = tr("%1 must be a port number from 1 to 65535.");
    if (!isIpTotal(values.ipTotal))
        return {QStringLiteral("lineEdit_IpTotal"),
                tr("%1 must be a number from 1 to %2.").arg(tr("Max Targets to Search")).arg(MaxIpTotal)};
    if (!isPort(values.tcpPort))
        return {QStringLiteral("lineEdit_TcpPort"), port.arg(tr("TCP Port"))};
    if (!isPort(values.udpPortRx))
        return {QStringLiteral("lineEdit_UdpPortRX"), port.arg(tr("UDP Port RX"))};
    if (!isPort(values.udpPortTx))
        return {QStringLiteral("lineEdit_UdpPortTX"), port.arg(tr("UDP Port TX"))};
    if (!looks().contains(values.style))
        return {QStringLiteral("lineEdit_Style"),
                tr("Style must be one of: %1.").arg(looks().join(QLatin1String(", ")))};
    if (!isCommandFileName(values.cmdFile))
        return {QStringLiteral("lineEdit_CmdFile"), tr("Cmd Files must be the name of a .csv file in pluginPJ.")};
    if (values.language.trimmed().isEmpty())
        return {QStringLiteral("lineEdit_Language"), tr("Language must not be empty.")};
    if (!isStatusPoll(values.statusPoll))
        return {QStringLiteral("lineEdit_StatusPoll"),
                tr("Status Poll Interval must be from 1 to %1 minutes.").arg(MaxStatusPollMinutes)};
    if (!values.scriptLimit.isEmpty() && !isScriptLimit(values.scriptLimit))
        return {QStringLiteral("spinBox_ScriptLimit"),
                tr("Script Time Limit must be from 1 to %1 minutes.").arg(MaxScriptLimitMinutes)};
    return {};
}
