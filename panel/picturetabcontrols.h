#pragma once

#include "panel/tabcontrols.h"

// Picture tab: the colour reset and the read-back of the projector's new
// colours a moment later, for the projector that was reset only.
class PictureTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit PictureTabControls(ControlPanel *panel);

    bool handle(QWidget *widget) override;
};
