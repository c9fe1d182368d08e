#pragma once

// The pictures, pages and fonts of ui/orvanto.qrc live in a static library,
// where the linker drops the resource data unless someone refers to it.
// Every user of ":/..." paths in the shell calls this first; it is cheap
// after the first call.
class ShellResources
{
public:
    static void ensureLoaded();
};
