#include "bridge/brivoxini.h"

#include "bridge/serialparameterlists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

const QString GroupName = QStringLiteral("Default");

// A value holding a comma comes back from the INI reader as a list.
QString textValue(const QSettings &settings, const QString &key, const QString &fallback)
{
    const QVariant value = settings.value(key, fallback);
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

QString BrivoxIni::defaultPath()
{
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    const QString folder = folders.isEmpty() ? QDir::homePath() : folders.first();
    return folder + QStringLiteral("/Brivox.ini");
}

BrivoxIni::BrivoxIni(const QString &path) : m_path(path) {}

BrivoxIni::Values BrivoxIni::read() const
{
    const Values defaults;
    Values values;
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(GroupName);
    values.port = textValue(settings, QStringLiteral("Port"), defaults.port);
    values.baudRate = textValue(settings, QStringLiteral("BaudRate"), defaults.baudRate);
    values.dataBits = textValue(settings, QStringLiteral("DataBits"), defaults.dataBits);
    values.parity = textValue(settings, QStringLiteral("Parity"), defaults.parity);
    values.stopBits = textValue(settings, QStringLiteral("StopBits"), defaults.stopBits);
    values.flowControl = textValue(settings, QStringLiteral("FlowControl"), defaults.flowControl);
    values.localEcho = settings.value(QStringLiteral("LocalEcho"), defaults.localEcho).toBool();
    values.portStored = settings.contains(QStringLiteral("Port"));
    values.parityStored = settings.contains(QStringLiteral("Parity"));
    settings.endGroup();
    return values;
}

bool BrivoxIni::write(const Values &values, QString *errorText) const
{
    auto fail = [errorText](const QString &reason) {
        if (errorText)
            *errorText = reason;
        return false;
    };

    const QFileInfo target(m_path);
    if (!QDir().mkpath(target.absolutePath()))
        return fail(QStringLiteral("cannot create folder %1").arg(target.absolutePath()));

    // The INI text is composed on a scratch copy so that the user's file is
    // only ever replaced as a whole, and keeps whatever else it holds.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/brivox-ini-XXXXXX"));
    if (!scratch.open())
        return fail(scratch.errorString());
    QFile current(m_path);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly))
            return fail(current.errorString());
        const QByteArray previous = current.readAll();
        if (scratch.write(previous) != previous.size())
            return fail(scratch.errorString());
    }
    scratch.close();
    {
        QSettings settings(scratch.fileName(), QSettings::IniFormat);
        settings.beginGroup(GroupName);
        settings.setValue(QStringLiteral("Port"), values.port);
        settings.setValue(QStringLiteral("BaudRate"), values.baudRate);
        settings.setValue(QStringLiteral("DataBits"), values.dataBits);
        settings.setValue(QStringLiteral("Parity"), values.parity);
        settings.setValue(QStringLiteral("StopBits"), values.stopBits);
        settings.setValue(QStringLiteral("FlowControl"), values.flowControl);
        settings.setValue(QStringLiteral("LocalEcho"), values.localEcho);
        settings.endGroup();
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return fail(QStringLiteral("cannot compose the settings"));
    }
    QFile composed(scratch.fileName());
    if (!composed.open(QIODevice::ReadOnly))
        return fail(composed.errorString());
    const QByteArray text = composed.readAll();

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    if (out.write(text) != text.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return fail(reason);
    }
    if (!out.commit())
        return fail(out.errorString());
    return true;
}

SerialSettings BrivoxIni::toSettings(const Values &values)
{
    SerialSettings s;
    s.name = values.port;
    s.stringBaudRate = values.baudRate;
    s.baudRate = SerialParameterLists::valueFor(SerialParameterLists::baudRates(), values.baudRate);
    s.stringDataBits = values.dataBits;
    s.dataBits = SerialParameterLists::valueFor(SerialParameterLists::dataBits(), values.dataBits);
    s.stringParity = values.parity;
    s.parity = SerialParameterLists::valueFor(SerialParameterLists::parities(), values.parity);
    s.stringStopBits = values.stopBits;
    s.stopBits = SerialParameterLists::valueFor(SerialParameterLists::stopBits(), values.stopBits);
    s.stringFlowControl = values.flowControl;
    s.flowControl = SerialParameterLists::valueFor(SerialParameterLists::flowControls(), values.flowControl);
    s.localEchoEnabled = values.localEcho;
    return s;
}
