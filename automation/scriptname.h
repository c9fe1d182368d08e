#pragma once

#include <QString>

// Script names come from the job table, the file itself and from scripts;
// each must name a file directly inside the scripts folder.
class ScriptName
{
public:
    // A plain file name: no folder part, no drive, not "." or "..".
    static bool isSafe(const QString &name);
    // A name scripts give to a file the program writes for them (a saved
    // log): no folder part on any system, no "..", no characters Windows
    // refuses in names, at most MaxPlainNameLength characters.
    static bool isPlainFileName(const QString &name);
    static constexpr int MaxPlainNameLength = 64;
    // The file's path inside folder, or a null string when the name is unsafe.
    static QString pathIn(const QString &folder, const QString &name);
};
