#pragma once

#include "panel/tabcontrols.h"

// Lens tab: the memory selector, filled with the ten memory names, and the
// load, save, clear and rename buttons that act on its entry.
class LensTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit LensTabControls(ControlPanel *panel);

    bool handle(QWidget *widget) override;
    void fill() override;
};
