#include "ui/shellresources.h"

#include <QtGlobal>

#include <atomic>

// Q_INIT_RESOURCE must be used outside of any namespace.
static void initOrvantoResources()
{
    Q_INIT_RESOURCE(orvanto);
}

void ShellResources::ensureLoaded()
{
    static std::atomic<bool> loaded{false};
    if (!loaded.exchange(true))
        initOrvantoResources();
}
