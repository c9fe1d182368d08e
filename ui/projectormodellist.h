#pragma once

#include <QString>
#include <QVector>

// The projector models this installation knows: one per command catalogue
// in the plug-in folder, each with its picture, then the catch-all entry.
class ProjectorModelList
{
public:
    struct Entry
    {
        QString name;
        QString picturePath;
    };

    static QString unknownName() { return QStringLiteral("UnKnown"); }
    static QString unknownPicture() { return QStringLiteral(":/images/ProjectorBlue.png"); }

    static QVector<Entry> scan(const QString &pluginFolder);
};
