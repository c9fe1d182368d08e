#pragma once

#include "panel/tabcontrols.h"

// Installation tab: custom light power only in the custom mode.
class InstallTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit InstallTabControls(ControlPanel *panel);

    bool handle(QWidget *widget) override;
    void fill() override;
};
