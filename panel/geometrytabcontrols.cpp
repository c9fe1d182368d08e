#include "panel/geometrytabcontrols.h"

#include "panel/geometrystep.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

GeometryTabControls::GeometryTabControls(ControlPanel *panel) : TabControls(panel, PanelTabs::Geometry) {}

bool GeometryTabControls::handle(QWidget *widget)
{
    if (!qobject_cast<QPushButton *>(widget))
        return false;
    if (widget->objectName().startsWith(QLatin1String("pushbtn")))
        step(widget);
    else
        reset(widget->objectName());
    return true;
}

void GeometryTabControls::step(QWidget *button)
{
    int direction = 0;
    const QString sliderName = GeometryStep::sliderFor(button->objectName(), &direction);
    auto *slider = find<QSlider>(sliderName);
    if (!slider || !slider->isEnabled())
        return;
    // The slider's own change sends the new value; at its end nothing moves.
    slider->setValue(slider->value() + direction * slider->singleStep());
}

void GeometryTabControls::reset(const QString &button)
{
    const QString ip = m_panel->target();
    const QStringList sliders = GeometryStep::resetSliders(button);
    QStringList commands;
    for (const QString &name : sliders) {
        if (auto *slider = find<QSlider>(name)) {
            const QSignalBlocker blocker(slider);
            slider->setValue(0);
            m_panel->showSliderValue(slider);
            m_panel->markChanged(name);
        }
        const QString op = m_panel->opOf(name, ip);
        if (!op.isEmpty())
            commands << QStringLiteral("op %1 = 0").arg(op);
    }
    if (!commands.isEmpty())
        m_panel->startBatch(ip, QCoreApplication::translate("ControlPanel", "Reset"), commands);
}
