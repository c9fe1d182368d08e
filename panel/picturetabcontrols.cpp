#include "panel/picturetabcontrols.h"

#include <QTimer>

namespace {
constexpr int ColourResetRefreshMs = 400;
}

PictureTabControls::PictureTabControls(ControlPanel *panel) : TabControls(panel, PanelTabs::Picture) {}

bool PictureTabControls::handle(QWidget *widget)
{
    const QString name = widget->objectName();
    if (name != QLatin1String("pushbuttonHSG_Reset"))
        return false;
    const QString ip = m_panel->target();
    m_panel->sendTo(ip, QStringLiteral("op ") + m_panel->opOf(name, ip));
    // The projector's new colours are read back once it has them; by then
    // the panel may show another projector, whose colours did not change.
    QTimer::singleShot(ColourResetRefreshMs, this, [this, ip] { m_panel->requestTabFor(PanelTabs::Picture, ip); });
    emit m_panel->sigStatusRefresh();
    return true;
}
