#include "panel/inputtabcontrols.h"

#include <QComboBox>

InputTabControls::InputTabControls(ControlPanel *panel) : TabControls(panel, PanelTabs::Input) {}

bool InputTabControls::handle(QWidget *widget)
{
    // The option is a setting of its own and is sent like any combo box.
    if (widget->objectName() == QLatin1String("comboboxPipOption"))
        applyPipRule();
    return false;
}

void InputTabControls::fill()
{
    applyPipRule();
}

void InputTabControls::applyPipRule()
{
    auto *option = find<QComboBox>(QStringLiteral("comboboxPipOption"));
    const bool on = option && option->currentText().contains(QLatin1String("On"), Qt::CaseInsensitive);
    for (const char *name : {"comboboxPipInput", "groupboxPipPosition"})
        if (QWidget *w = find<QWidget>(QLatin1String(name)))
            w->setEnabled(on);
}
