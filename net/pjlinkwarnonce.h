#pragma once

#include <QString>

// A projector that sends garbage sends it on every poll. The log gets one
// WARN per projector and kind of trouble for the whole run, not one per line.
class PJLinkWarnOnce
{
public:
    // True the first time host and kind come together in this run.
    static bool first(const QString &host, const QString &kind);
    // For tests that need a fresh run.
    static void reset();
};
