#pragma once

#include "panel/tabcontrols.h"

// Info tab: the power buttons and the lamp picture. The lamp check after
// Power On belongs to the projector that was switched on: it is skipped when
// the panel has moved to another projector by then.
class InfoTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit InfoTabControls(ControlPanel *panel);

    bool handle(QWidget *widget) override;
    void fill() override;

    // Asks ip's power state and shows it, if ip is still the target.
    void checkLamp(const QString &ip);
    void showLamp(int state);

private:
    void powerButton(bool on);
};
