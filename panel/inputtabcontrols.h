#pragma once

#include "panel/tabcontrols.h"

// Input tab: the picture-in-picture controls follow the PIP option.
class InputTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit InputTabControls(ControlPanel *panel);

    bool handle(QWidget *widget) override;
    void fill() override;

private:
    void applyPipRule();
};
