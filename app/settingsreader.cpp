#include "app/settingsreader.h"

#include "app/appinfo.h"
#include "app/orvlog/OrvLog.h"

#include <QFileInfo>
#include <QLocale>
#include <QSettings>

namespace {

const QString groupDefault = QStringLiteral("Default");

} // namespace

QString SettingsReader::commandLineIniPath(const QStringList &arguments)
{
    OLOG_INFO() << "Command Line Arguments:" << arguments.size() << arguments;
    if (arguments.size() == 2) {
        OLOG_INFO() << "INI file: " << arguments.at(1);
        return arguments.at(1);
    }
    OLOG_INFO() << "Default INI file!";
    return QString();
}

QString SettingsReader::configIniPath(const QString &configFolder)
{
    return configFolder + QLatin1Char('/') + AppInfo::name() + QStringLiteral(".ini");
}

AppSettings SettingsReader::read(const QStringList &arguments, const QString &configFolder,
                                 const QStringList &localAddresses)
{
    QString iniPath = commandLineIniPath(arguments);
    if (iniPath.isEmpty() || !QFileInfo(iniPath).isFile()) {
        iniPath = configIniPath(configFolder);
        OLOG_INFO() << "INI file:" << iniPath << (QFileInfo(iniPath).isFile() ? "Exist!" : "Not Found!");
    }
    return readFile(iniPath, localAddresses);
}

AppSettings SettingsReader::readFile(const QString &iniPath, const QStringList &localAddresses)
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

    // Numbers go through QVariant's conversion on purpose: text that is not a
    // number reads as 0, as it always has.
    s.language = ini.value(QStringLiteral("Language"), s.language).toString();
    s.style = ini.value(QStringLiteral("Style"), s.style).toString();
    s.darkStyle = s.style == QLatin1String("Dark");
    const QVariant tcpPort = ini.value(QStringLiteral("TcpPort"), s.tcpPort);
    s.tcpPort = tcpPort.toInt();
    s.tcpPortText = tcpPort.toString();
    s.cmdFile = ini.value(QStringLiteral("CmdFile"), s.cmdFile).toString();
    s.ipTotal = ini.value(QStringLiteral("IpTotal"), s.ipTotal).toInt();
    s.statusPoll = ini.value(QStringLiteral("StatusPoll"), s.statusPoll).toInt();
    s.udpPortRx = ini.value(QStringLiteral("UdpPortRx"), s.udpPortRx).toInt();
    s.multicastIP = ini.value(QStringLiteral("MulticastIP"), s.multicastIP).toString();
    // A host with exactly one usable interface needs no configured address.
    if (localAddresses.size() == 1)
        s.localIP = localAddresses.first();
    else
        s.localIP = ini.value(QStringLiteral("LocalIP"), s.localIP).toString();
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
    ini.endGroup();
    return v;
}
