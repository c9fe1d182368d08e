#pragma once

#include "panel/tabcontrols.h"

// Geometry tab: the step buttons move their slider one step (the slider's
// own change sends the value); the reset buttons zero their sliders and send
// the zeros as one batch.
class GeometryTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit GeometryTabControls(ControlPanel *panel);

    bool handle(QWidget *widget) override;
    void step(QWidget *button);

private:
    void reset(const QString &button);
};
