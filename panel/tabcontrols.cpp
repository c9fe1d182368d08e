#include "panel/tabcontrols.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSlider>

TabControls::TabControls(ControlPanel *panel, int tab) : QObject(panel), m_panel(panel), m_tab(tab) {}

bool TabControls::handle(QWidget *)
{
    return false;
}

void TabControls::fill() {}

void TabControls::targetLeaving(const QString &) {}

void TabControls::applyCustomPowerRule(const QString &suffix)
{
    auto *mode = find<QComboBox>(QStringLiteral("comboboxLightPower") + suffix);
    auto *level = find<QSlider>(QStringLiteral("sliderCustomPowerLevel") + suffix);
    if (!mode || !level)
        return;
    const QString text = mode->currentText();
    level->setEnabled(text.contains(QCoreApplication::translate("ControlPanel", "Custom"), Qt::CaseInsensitive) ||
                      text.contains(QLatin1String("Custom"), Qt::CaseInsensitive));
}
