#include "panel/installtabcontrols.h"

InstallTabControls::InstallTabControls(ControlPanel *panel) : TabControls(panel, PanelTabs::Install) {}

bool InstallTabControls::handle(QWidget *widget)
{
    if (widget->objectName() == QLatin1String("comboboxLightPower"))
        applyCustomPowerRule(QString());
    return false;
}

void InstallTabControls::fill()
{
    applyCustomPowerRule(QString());
}
