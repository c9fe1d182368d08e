#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Gives a fresh configuration folder working copies of the settings and table
// files shipped beside the program. A copy that already exists belongs to the
// user and is never replaced.
class ConfigSeeder
{
public:
    struct Outcome
    {
        QString destination; // path in the configuration folder
        bool found = false;  // already there; nothing copied
        bool copied = false; // copied from the program folder just now
    };

    // "Orvanto.ini", "CronJobs.csv", "GroupIP.csv", in seeding order.
    static QStringList seededFileNames();

    // One outcome per seeded file, in seeding order.
    static QVector<Outcome> seed(const QString &programFolder, const QString &configFolder);
};
