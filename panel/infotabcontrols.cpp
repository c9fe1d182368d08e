#include "panel/infotabcontrols.h"

#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

namespace {
constexpr int LampCheckDelayMs = 3000;
}

InfoTabControls::InfoTabControls(ControlPanel *panel) : TabControls(panel, PanelTabs::Info) {}

bool InfoTabControls::handle(QWidget *widget)
{
    const QString name = widget->objectName();
    if (name != QLatin1String("pushbuttonPowerOn") && name != QLatin1String("pushbuttonPowerOff"))
        return false;
    powerButton(name == QLatin1String("pushbuttonPowerOn"));
    return true;
}

void InfoTabControls::fill()
{
    if (auto *h = find<QLabel>(QStringLiteral("_textHRefreshRate_Info")))
        h->setText(m_panel->valueOf(m_panel->opOf(h->objectName())) + QStringLiteral(" / ") +
                   m_panel->valueOf(m_panel->opOf(QStringLiteral("_textVRefreshRate_Info"))));
    const QString statusOp = m_panel->catalogue()->cmdName2op(QStringLiteral("(Projector Status)"), m_panel->target());
    bool known = false;
    const int state = m_panel->valueOf(statusOp).section(QLatin1Char(' '), 0, 0).toInt(&known);
    if (known)
        showLamp(state);
}

void InfoTabControls::powerButton(bool on)
{
    const QString ip = m_panel->target();
    if (auto *lamp = find<QLabel>(QStringLiteral("labelLampPixmap")))
        lamp->setPixmap(QPixmap(QStringLiteral(":/images/Lamp1_24x24.png")));
    const int state = m_panel->dispatch()->powerState(ip);
    if (state == 0 || state == 3) {
        if (on) {
            m_panel->sendTo(ip, QStringLiteral("op ") + m_panel->opOf(QStringLiteral("pushbuttonPowerOn"), ip));
            QTimer::singleShot(LampCheckDelayMs, this, [this, ip] { checkLamp(ip); });
        }
    } else if (state == 1 || state == 2) {
        if (!on)
            m_panel->sendTo(ip, QStringLiteral("op ") + m_panel->opOf(QStringLiteral("pushbuttonPowerOff"), ip));
    } else {
        emit m_panel->sigStatus(QCoreApplication::translate("ControlPanel", "Error:") + QLatin1Char(' ') +
                                QString::number(state));
    }
}

void InfoTabControls::checkLamp(const QString &ip)
{
    // The picture shows the target's lamp; another projector's state has no
    // place there.
    if (ip != m_panel->target())
        return;
    showLamp(m_panel->dispatch()->powerState(ip));
}

void InfoTabControls::showLamp(int state)
{
    auto *lamp = find<QLabel>(QStringLiteral("labelLampPixmap"));
    if (!lamp)
        return;
    QString path = QStringLiteral(":/images/Warning_24x24.png");
    if (state == 1 || state == 2)
        path = QStringLiteral(":/images/Lamp1_24x24.png");
    else if (state == 0 || state == 3)
        path = QStringLiteral(":/images/Lamp0_24x24.png");
    lamp->setPixmap(QPixmap(path));
}
