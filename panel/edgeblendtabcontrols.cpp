#include "panel/edgeblendtabcontrols.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

namespace {
constexpr int GainAllIntervalMs = 300;
}

EdgeBlendTabControls::EdgeBlendTabControls(ControlPanel *panel)
    : TabControls(panel, PanelTabs::EdgeBlend), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(GainAllIntervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!m_pending)
            return;
        m_pending = false;
        sendGain(m_pendingIp, m_pendingValue);
        m_timer->start();
    });
}

bool EdgeBlendTabControls::handle(QWidget *widget)
{
    const QString name = widget->objectName();
    if (name == QLatin1String("comboboxLightPower_2"))
        applyCustomPowerRule(QStringLiteral("_2"));
    if (name != QLatin1String("sliderEB_GainAll"))
        return false;
    if (auto *slider = qobject_cast<QSlider *>(widget))
        gainAll(slider->value());
    return true;
}

void EdgeBlendTabControls::fill()
{
    applyCustomPowerRule(QStringLiteral("_2"));
}

void EdgeBlendTabControls::targetLeaving(const QString &oldIp)
{
    // The trailing value was the operator's last word for that projector.
    if (m_pending && m_pendingIp == oldIp)
        sendGain(oldIp, m_pendingValue);
    m_pending = false;
    m_timer->stop();
}

void EdgeBlendTabControls::gainAll(int value)
{
    for (const char *name : {"sliderEB_GainRed", "sliderEB_GainGreen", "sliderEB_GainBlue"}) {
        if (auto *slider = find<QSlider>(QLatin1String(name))) {
            const QSignalBlocker blocker(slider);
            slider->setValue(value);
            m_panel->showSliderValue(slider);
            m_panel->markChanged(slider->objectName());
        }
    }
    // One batch per step of a drag would open a session per step: the first
    // goes out at once, later ones at most every interval, the last always.
    const QString ip = m_panel->target();
    if (m_timer->isActive()) {
        m_pending = true;
        m_pendingIp = ip;
        m_pendingValue = value;
        return;
    }
    sendGain(ip, value);
    m_timer->start();
}

void EdgeBlendTabControls::sendGain(const QString &ip, int value)
{
    const QString v = QString::number(value);
    m_panel->sendListTo(ip, {QStringLiteral("op eb.red = ") + v, QStringLiteral("op eb.green = ") + v,
                             QStringLiteral("op eb.blue = ") + v});
}
