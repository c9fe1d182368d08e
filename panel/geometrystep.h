#pragma once

#include <QString>

// The Geometry tab's step buttons ("pushbtnKH0", "pushbtnCTLV1", ...): which
// slider a button moves and in which direction.
class GeometryStep
{
public:
    // Slider object name for a step button, empty when name is none;
    // direction becomes -1 ("0" suffix) or +1 ("1" suffix).
    static QString sliderFor(const QString &buttonName, int *direction);
    // The sliders and commands a reset button sets to 0, by its name.
    static QStringList resetSliders(const QString &buttonName);
};
