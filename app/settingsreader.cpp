#include "app/settingsreader.h"

#include "app/appinfo.h"
#include "app/orvlog/OrvLog.h"
#include "app/settingsrules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include <functional>

namespace {

const QString groupDefault = QStringLiteral("Default");

// Reads key as text; a present value that fails usable() gives fallback, with
// a WARN line and a note naming the key, the value used and the one refused.
QString checked(const QSettings &ini, const QString &key, const QString &fallback,
                const std::function<bool(const QString &)> &usable, QStringList *notes)
{
    if (!ini.contains(key))
        return fallback;
    const QString value = ini.value(key).toString();
    if (usable(value))
        return value.trimmed();
    OLOG_WARN() << "Setting not usable:" << key << value << "using" << fallback;
    notes->append(QStringLiteral("%1=%2 (not \"%3\")").arg(key, fallback, value));
    return fallback;
}

} // namespace

QString SettingsReader::commandLineIniPath(const QStringList &arguments)
{
    OLOG_INFO() << "Command Line Arguments:" << arguments.size() << arguments;
    // "--" only ends the options (the command line accepts it before a file
    // name that starts with a dash); it is not an argument of its own.
    QStringList given = arguments;
    const int marker = given.indexOf(QStringLiteral("--"), 1);
    if (marker > 0)
        given.removeAt(marker);
    if (given.size() == 2) {
        OLOG_INFO() << "INI file: " << given.at(1);
        return given.at(1);
    }
    OLOG_INFO() << "Default INI file!";
    return QString();
}

QString SettingsReader::configIniPath(const QString &configFolder)
{
    return configFolder + QLatin1Char('/') + AppInfo::name() + QStringLiteral(".ini");
}

AppSettings SettingsReader::read(const QStringList &arguments, const QString &configFolder,
                                 const QStringList &localAddresses, const QString &pluginFolder)
{
    QString iniPath = commandLineIniPath(arguments);
    if (iniPath.isEmpty() || !QFileInfo(iniPath).isFile()) {
        iniPath = configIniPath(configFolder);
        OLOG_INFO() << "INI file:" << iniPath << (QFileInfo(iniPath).isFile() ? "Exist!" : "Not Found!");
    }
    return readFile(iniPath, localAddresses, pluginFolder);
}

QString SettingsReader::fallbackStatusMessage(const QStringList &fallbacks)
{
    if (fallbacks.isEmpty())
        return QString();
    return QCoreApplication::translate("SettingsReader", "Error in settings, default used: %1")
        .arg(fallbacks.join(QLatin1String(", ")));
}

AppSettings SettingsReader::readFile(const QString &iniPath, const QStringList &localAddresses,
                                     const QString &pluginFolder)
{
    AppSettings s;
    s.iniPath = iniPath;
    // A missing, unreadable or malformed file simply leaves the defaults.
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(groupDefault);

    const QStringList keys = ini.childKeys();
    for (const QString &key : keys) {
        // A line like "=x" parses as an empty key, which has no value to ask for.
        if (key.isEmpty())
            continue;
        s.defaultKeys.append(key);
        s.defaultValues.append(ini.value(key).toString());
    }
    OLOG_INFO() << "Default INI:" << s.defaultKeys;

    // A value that cannot be used falls back to its default, so that a typo
    // never leaves the console on port 0 or polls every 0 minutes.
    QStringList *notes = &s.fallbacks;
    const auto number = [&](const QString &key, int fallback, const std::function<bool(const QString &)> &usable) {
        return checked(ini, key, QString::number(fallback), usable, notes).toInt();
    };
    s.language = ini.value(QStringLiteral("Language"), s.language).toString();
    s.style = checked(
        ini, QStringLiteral("Style"), s.style, [](const QString &v) { return SettingsRules::looks().contains(v); },
        notes);
    s.darkStyle = s.style == QLatin1String("Dark");
    s.tcpPort = number(QStringLiteral("TcpPort"), s.tcpPort, &SettingsRules::isPort);
    s.tcpPortText = QString::number(s.tcpPort);
    s.cmdFile = checked(
        ini, QStringLiteral("CmdFile"), s.cmdFile,
        [&pluginFolder](const QString &v) {
            return SettingsRules::isCommandFileName(v) &&
                   (pluginFolder.isEmpty() || QFileInfo(pluginFolder + QLatin1Char('/') + v).isFile());
        },
        notes);
    s.ipTotal = number(QStringLiteral("IpTotal"), s.ipTotal, &SettingsRules::isIpTotal);
    s.statusPoll = number(QStringLiteral("StatusPoll"), s.statusPoll, &SettingsRules::isStatusPoll);
    s.udpPortRx = number(QStringLiteral("UdpPortRx"), s.udpPortRx, &SettingsRules::isPort);
    s.scriptLimit = number(QStringLiteral("ScriptLimit"), s.scriptLimit, &SettingsRules::isScriptLimit);
    s.multicastIP = ini.value(QStringLiteral("MulticastIP"), s.multicastIP).toString();
    s.pjlinkPassword = ini.value(QStringLiteral("PJLinkPassword")).toString();
    // A host with exactly one usable interface needs no configured address.
    if (localAddresses.size() == 1)
        s.localIP = localAddresses.first();
    else
        s.localIP = checked(ini, QStringLiteral("LocalIP"), s.localIP, &SettingsRules::isIPv4, notes);
    ini.endGroup();

    const QLocale locale = QLocale::system();
    OLOG_INFO() << "Local Language:" << QLocale::countryToString(locale.country()) << ">" << locale.name();
    OLOG_INFO() << "INI Language:" << s.language;
    return s;
}

ConfigFormValues SettingsReader::readForDialog(const QString &iniPath)
{
    ConfigFormValues v;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(groupDefault);
    v.localIP = ini.value(QStringLiteral("LocalIP"), v.localIP).toString();
    v.ipTotal = ini.value(QStringLiteral("IpTotal"), v.ipTotal).toString();
    v.tcpPort = ini.value(QStringLiteral("TcpPort"), v.tcpPort).toString();
    v.udpPortRx = ini.value(QStringLiteral("UdpPortRx"), v.udpPortRx).toString();
    v.udpPortTx = ini.value(QStringLiteral("UdpPortTx"), v.udpPortTx).toString();
    v.language = ini.value(QStringLiteral("Language"), v.language).toString();
    v.style = ini.value(QStringLiteral("Style"), v.style).toString();
    v.cmdFile = ini.value(QStringLiteral("CmdFile"), v.cmdFile).toString();
    v.statusPoll = ini.value(QStringLiteral("StatusPoll"), v.statusPoll).toString();
    v.scriptLimit = ini.value(QStringLiteral("ScriptLimit")).toString();
    v.pjlinkPassword = ini.value(QStringLiteral("PJLinkPassword")).toString();
    ini.endGroup();
    return v;
}
