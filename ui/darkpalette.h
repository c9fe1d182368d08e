#pragma once

#include <QPalette>

// The application palette of the "Dark" look.
class DarkPalette
{
public:
    static QPalette make();
    // True when the palette carries the dark look's signature colours.
    static bool isDark(const QPalette &palette);
};
