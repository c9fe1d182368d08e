#pragma once

#include "app/configformvalues.h"

#include <QPair>
#include <QString>
#include <QVector>

// Saves settings into an INI file without ever leaving a half-written or
// emptied file behind: the new content is built in a temporary copy in the
// same folder and then put in place with QSaveFile. Keys and groups that are
// not being set are kept.
class SettingsWriter
{
public:
    using Entry = QPair<QString, QString>;

    // The keys the configuration dialog stores, in the order it sets them.
    static QVector<Entry> dialogEntries(const ConfigFormValues &values);

    enum class EmptyValue
    {
        KeepKey,  // the key stays as it was (the default is meant)
        RemoveKey // the key goes (an optional text the operator cleared)
    };

    // Sets entries in group of iniPath; an entry with an empty key is left
    // out, one with an empty value as emptyValue says. A read-only target is
    // refused and left as it is. On failure returns false and describes why
    // in *errorString.
    static bool writeGroup(const QString &iniPath, const QString &group, const QVector<Entry> &entries,
                           QString *errorString = nullptr, EmptyValue emptyValue = EmptyValue::KeepKey);

    static bool saveDialogValues(const QString &iniPath, const ConfigFormValues &values,
                                 QString *errorString = nullptr);
};
