#include "panel/panelforms.h"

#include "panel/paneltabs.h"
#include "ui_panel3d.h"
#include "ui_panelcontrol.h"
#include "ui_paneledgeblend.h"
#include "ui_panelgeometry.h"
#include "ui_panelinfo.h"
#include "ui_panelinput.h"
#include "ui_panelinstall.h"
#include "ui_panellens.h"
#include "ui_panelpicture.h"
#include "ui_panelservice.h"

#include <QWidget>

namespace {

// The widget keeps nothing of the generated class but its children.
template <typename Form> QWidget *build(QWidget *parent)
{
    auto *widget = new QWidget(parent);
    Form form;
    form.setupUi(widget);
    return widget;
}

} // namespace

QWidget *PanelForms::create(int index, QWidget *parent)
{
    switch (index) {
    case PanelTabs::Info:
        return build<Ui::PanelInfo>(parent);
    case PanelTabs::Input:
        return build<Ui::PanelInput>(parent);
    case PanelTabs::Picture:
        return build<Ui::PanelPicture>(parent);
    case PanelTabs::ThreeD:
        return build<Ui::Panel3D>(parent);
    case PanelTabs::Control:
        return build<Ui::PanelControl>(parent);
    case PanelTabs::Install:
        return build<Ui::PanelInstall>(parent);
    case PanelTabs::Lens:
        return build<Ui::PanelLens>(parent);
    case PanelTabs::EdgeBlend:
        return build<Ui::PanelEdgeBlend>(parent);
    case PanelTabs::Geometry:
        return build<Ui::PanelGeometry>(parent);
    case PanelTabs::Service:
        return build<Ui::PanelService>(parent);
    default:
        return nullptr;
    }
}
