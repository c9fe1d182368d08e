#pragma once

#include <QString>

// What a second copy of the manager does before it gives up. When the
// running copy brought its window forward the operator sees that window and
// needs no box; otherwise a modal "Warning!" box without parent says that
// the manager is running, in the program's own style.
class DialogInstanceWarning
{
public:
    static constexpr int exitCode = 1;

    // Logs "<lockPath> Locked!" as a plain debug message, shows the box
    // unless the running window was raised, and returns the exit code for
    // the refused start.
    static int refuse(const QString &lockPath, bool runningWindowRaised = false);
};
