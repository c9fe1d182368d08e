#pragma once

#include <QString>

// The three folders of the program: where it is installed, where it logs,
// and where the user's settings and tables live.
class ShellFolders
{
public:
    static QString programFolder();
    static QString userDataFolder();
    static QString configFolder();
};
