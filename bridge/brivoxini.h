#pragma once

#include "bridge/serialsettings.h"

#include <QString>

// "Brivox.ini": the serial parameters, stored as the texts of the settings
// dialog's lists in group "Default". The main window reads the file again
// each time it opens the port, so the file is the source of the parameters.
class BrivoxIni
{
public:
    struct Values
    {
        QString port = QStringLiteral("Com3");
        QString baudRate = QStringLiteral("9600");
        QString dataBits = QStringLiteral("8");
        QString parity = QStringLiteral("N");
        QString stopBits = QStringLiteral("1");
        QString flowControl = QStringLiteral("None");
        bool localEcho = true;
        // Whether the file held these keys, or their defaults stand in.
        bool portStored = false;
        bool parityStored = false;
    };

    // "Brivox.ini" in the first per-user roaming application-data folder.
    static QString defaultPath();

    explicit BrivoxIni(const QString &path = defaultPath());

    QString path() const { return m_path; }

    // Missing file or keys give the defaults above.
    Values read() const;

    // Writes every key of group "Default", keeping any other content of the
    // file. The file is replaced in one step: when anything fails the
    // previous file stays as it was and false is returned with the reason.
    bool write(const Values &values, QString *errorText = nullptr) const;

    // Texts to numbers through the parameter lists.
    static SerialSettings toSettings(const Values &values);

private:
    QString m_path;
};
