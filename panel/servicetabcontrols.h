#pragma once

#include "panel/tabcontrols.h"

// Service tab: the error code, coloured and explained.
class ServiceTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit ServiceTabControls(ControlPanel *panel);

    void fill() override;
};
