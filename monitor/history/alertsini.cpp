#include "monitor/history/alertsini.h"

#include "app/orvlog/OrvLog.h"
#include "app/settingswriter.h"

#include <QFile>
#include <QSettings>

namespace {

int readInt(const QSettings &ini, const QString &key, int fallback, int lowest, int highest, QStringList *notes)
{
    const QVariant raw = ini.value(key);
    if (!raw.isValid())
        return fallback;
    bool ok = false;
    const int value = raw.toString().trimmed().toInt(&ok);
    if (ok && value >= lowest && value <= highest)
        return value;
    notes->append(QStringLiteral("%1=%2 (not \"%3\")").arg(key).arg(fallback).arg(raw.toString()));
    return fallback;
}

bool readFlag(const QSettings &ini, const QString &key, bool fallback, QStringList *notes)
{
    return readInt(ini, key, fallback ? 1 : 0, 0, 1, notes) == 1;
}

} // namespace

AlertsIni AlertsIni::read(const QString &iniPath)
{
    AlertsIni result;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Alerts"));
    MailSettings &mail = result.mail;
    mail.host = ini.value(QStringLiteral("SmtpHost")).toString().trimmed();
    mail.port = readInt(ini, QStringLiteral("SmtpPort"), 25, 1, 65535, &result.fallbacks);
    const QString security = ini.value(QStringLiteral("SmtpSecurity"), QStringLiteral("starttls")).toString();
    if (!MailSettings::securityFromKey(security, &mail.security))
        result.fallbacks.append(QStringLiteral("SmtpSecurity=starttls (not \"%1\")").arg(security));
    mail.user = ini.value(QStringLiteral("SmtpUser")).toString();
    mail.password = ini.value(QStringLiteral("SmtpPassword")).toString();
    mail.from = ini.value(QStringLiteral("MailFrom")).toString().trimmed();
    // QSettings hands a comma-separated value back as a list.
    const QVariant to = ini.value(QStringLiteral("MailTo"));
    mail.to = MailSettings::splitRecipients(to.type() == QVariant::StringList ? to.toStringList().join(',')
                                                                              : to.toString());
    AlertSettings &alerts = result.alerts;
    alerts.onError = readFlag(ini, QStringLiteral("OnError"), false, &result.fallbacks);
    const QVariant categories = ini.value(QStringLiteral("ErrorCategories"));
    alerts.errorCategories = MailSettings::splitRecipients(
        categories.type() == QVariant::StringList ? categories.toStringList().join(',') : categories.toString());
    alerts.lampPercent = readInt(ini, QStringLiteral("LampPercent"), 0, 0, 1000, &result.fallbacks);
    alerts.unreachableMinutes =
        readInt(ini, QStringLiteral("UnreachableMinutes"), 0, 0, 7 * 24 * 60, &result.fallbacks);
    alerts.maxPerHour = readInt(ini, QStringLiteral("MaxPerHour"), 10, 1, MaxPerHourLimit, &result.fallbacks);
    ini.endGroup();

    ini.beginGroup(QStringLiteral("History"));
    result.historyEnabled = readFlag(ini, QStringLiteral("Enabled"), true, &result.fallbacks);
    result.retentionDays = readInt(ini, QStringLiteral("RetentionDays"), 365, 1, MaxRetentionDays, &result.fallbacks);
    ini.endGroup();
    for (const QString &note : qAsConst(result.fallbacks))
        OLOG_WARN() << "Orvanto.ini: value not usable, default taken:" << note;
    return result;
}

bool AlertsIni::write(const QString &iniPath, QString *errorString) const
{
    const bool secret = !mail.password.isEmpty();
    // Owner-only before the password is written: the new file takes over
    // the old one's permissions.
    if (secret && QFile::exists(iniPath))
        QFile::setPermissions(iniPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    using Entry = SettingsWriter::Entry;
    const QVector<Entry> alertEntries{
        {QStringLiteral("SmtpHost"), mail.host},
        {QStringLiteral("SmtpPort"), QString::number(mail.port)},
        {QStringLiteral("SmtpSecurity"), MailSettings::securityKey(mail.security)},
        {QStringLiteral("SmtpUser"), mail.user},
        {QStringLiteral("SmtpPassword"), mail.password},
        {QStringLiteral("MailFrom"), mail.from},
        {QStringLiteral("MailTo"), mail.to.join(QStringLiteral(", "))},
        {QStringLiteral("OnError"), alerts.onError ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("ErrorCategories"), alerts.errorCategories.join(QStringLiteral(", "))},
        {QStringLiteral("LampPercent"), QString::number(alerts.lampPercent)},
        {QStringLiteral("UnreachableMinutes"), QString::number(alerts.unreachableMinutes)},
        {QStringLiteral("MaxPerHour"), QString::number(alerts.maxPerHour)},
    };
    const QVector<Entry> historyEntries{
        {QStringLiteral("Enabled"), historyEnabled ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("RetentionDays"), QString::number(retentionDays)},
    };
    if (!SettingsWriter::writeGroup(iniPath, QStringLiteral("Alerts"), alertEntries, errorString,
                                    SettingsWriter::EmptyValue::RemoveKey) ||
        !SettingsWriter::writeGroup(iniPath, QStringLiteral("History"), historyEntries, errorString))
        return false;
    if (secret)
        QFile::setPermissions(iniPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}
