#include "automation/scriptname.h"

#include <QDir>

bool ScriptName::isSafe(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // Backslash and colon too: the same table is used on Windows, where
    // "..\x.js" and "C:x.js" leave the folder.
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() == 0)
            return false;
    return true;
}

QString ScriptName::pathIn(const QString &folder, const QString &name)
{
    if (!isSafe(name))
        return QString();
    return QDir(folder).filePath(name);
}

bool ScriptName::isPlainFileName(const QString &name)
{
    if (!isSafe(name) || name.size() > MaxPlainNameLength || name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || QStringLiteral("<>\"|?*").contains(c))
            return false;
    return true;
}
