#pragma once

#include <QString>

// What a second copy of the manager shows before it gives up: a modal
// "Warning!" box without parent.
class DialogInstanceWarning
{
public:
    static constexpr int exitCode = 1;

    // Logs "<lockPath> Locked!" as a plain debug message, shows the box and
    // returns the exit code for the refused start.
    static int refuse(const QString &lockPath);
};
