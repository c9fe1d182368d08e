#include "app/settingswriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>

namespace {

bool fail(QString *errorString, const QString &text)
{
    if (errorString)
        *errorString = text;
    return false;
}

// A file without any write permission bit was made read-only on purpose;
// respect that even when running with privileges that could override it.
bool isReadOnly(const QFileInfo &info)
{
    const QFileDevice::Permissions writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & writeBits);
}

} // namespace

QVector<SettingsWriter::Entry> SettingsWriter::dialogEntries(const ConfigFormValues &values)
{
    return {
        {QStringLiteral("LocalIP"), values.localIP},     {QStringLiteral("IpTotal"), values.ipTotal},
        {QStringLiteral("Language"), values.language},   {QStringLiteral("Style"), values.style},
        {QStringLiteral("CmdFile"), values.cmdFile},     {QStringLiteral("StatusPoll"), values.statusPoll},
        {QStringLiteral("TcpPort"), values.tcpPort},     {QStringLiteral("UdpPortRx"), values.udpPortRx},
        {QStringLiteral("UdpPortTx"), values.udpPortTx},
        {QStringLiteral("ScriptLimit"), values.scriptLimit},
        {QStringLiteral("PJLinkPassword"), values.pjlinkPassword},
    };
}

bool SettingsWriter::writeGroup(const QString &iniPath, const QString &group, const QVector<Entry> &entries,
                                QString *errorString, EmptyValue emptyValue)
{
    const QFileInfo target(iniPath);
    const QString folder = target.absolutePath();
    if (!QDir().mkpath(folder))
        return fail(errorString, QStringLiteral("Cannot create folder %1").arg(folder));

    QByteArray previous;
    if (target.exists()) {
        if (!target.isFile())
            return fail(errorString, QStringLiteral("%1 is not a file").arg(iniPath));
        if (isReadOnly(target))
            return fail(errorString, QStringLiteral("%1 is read-only").arg(iniPath));
        QFile current(iniPath);
        if (!current.open(QIODevice::ReadOnly))
            return fail(errorString, QStringLiteral("Cannot read %1: %2").arg(iniPath, current.errorString()));
        previous = current.readAll();
    }

    // QSettings writes in place; let it work on a scratch copy so that the
    // real file is only ever replaced as a whole.
    QTemporaryFile scratch(folder + QLatin1Char('/') + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!scratch.open())
        return fail(errorString,
                    QStringLiteral("Cannot create a temporary file in %1: %2").arg(folder, scratch.errorString()));
    if (scratch.write(previous) != previous.size() || !scratch.flush())
        return fail(errorString, QStringLiteral("Cannot write %1: %2").arg(scratch.fileName(), scratch.errorString()));
    scratch.close();

    {
        QSettings settings(scratch.fileName(), QSettings::IniFormat);
        settings.beginGroup(group);
        // An empty value would only stand for "use the default" in the
        // file; leaving the key as it was says the same without a stray line.
        for (const Entry &entry : entries) {
            if (!entry.first.isEmpty() && !entry.second.isEmpty())
                settings.setValue(entry.first, entry.second);
            else if (!entry.first.isEmpty() && emptyValue == EmptyValue::RemoveKey)
                settings.remove(entry.first);
        }
        settings.endGroup();
        settings.sync();
        // A FormatError only says the old content had unparsable lines; what
        // could be parsed has been written back.
        if (settings.status() == QSettings::AccessError)
            return fail(errorString, QStringLiteral("Cannot write %1").arg(scratch.fileName()));
    }

    QFile built(scratch.fileName());
    if (!built.open(QIODevice::ReadOnly))
        return fail(errorString, QStringLiteral("Cannot read %1: %2").arg(built.fileName(), built.errorString()));
    const QByteArray content = built.readAll();
    built.close();

    QSaveFile out(iniPath);
    if (!out.open(QIODevice::WriteOnly))
        return fail(errorString, QStringLiteral("Cannot write %1: %2").arg(iniPath, out.errorString()));
    if (out.write(content) != content.size()) {
        out.cancelWriting();
        return fail(errorString, QStringLiteral("Cannot write %1: %2").arg(iniPath, out.errorString()));
    }
    if (!out.commit())
        return fail(errorString, QStringLiteral("Cannot write %1: %2").arg(iniPath, out.errorString()));
    return true;
}

bool SettingsWriter::saveDialogValues(const QString &iniPath, const ConfigFormValues &values, QString *errorString)
{
    return writeGroup(iniPath, QStringLiteral("Default"), dialogEntries(values), errorString);
}
