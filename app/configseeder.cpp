#include "app/configseeder.h"

#include "app/appinfo.h"

#include <QFile>

QStringList ConfigSeeder::seededFileNames()
{
    return {AppInfo::name() + QStringLiteral(".ini"), QStringLiteral("CronJobs.csv"), QStringLiteral("GroupIP.csv")};
}

QVector<ConfigSeeder::Outcome> ConfigSeeder::seed(const QString &programFolder, const QString &configFolder)
{
    QVector<Outcome> outcomes;
    const QStringList names = seededFileNames();
    for (const QString &name : names) {
        Outcome outcome;
        outcome.destination = configFolder + QLatin1Char('/') + name;
        if (QFile::exists(outcome.destination)) {
            outcome.found = true;
        } else {
            // QFile::copy refuses to overwrite, so a file appearing in the
            // meantime is still left alone.
            outcome.copied = QFile::copy(programFolder + QLatin1Char('/') + name, outcome.destination);
            // The working copy is the user's to edit, even when the shipped
            // file was installed read-only.
            if (outcome.copied)
                QFile::setPermissions(outcome.destination,
                                      QFile::permissions(outcome.destination) | QFileDevice::WriteOwner);
        }
        outcomes.append(outcome);
    }
    return outcomes;
}
