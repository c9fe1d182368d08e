#include "panel/paneltabs.h"

QString PanelTab::iconPath() const
{
    static const char *const codes[] = {"B", "M", "Y", "R"};
    if (iconCode < 0 || iconCode > 3)
        return QString();
    return QStringLiteral(":/images/%132x32.png").arg(QLatin1String(codes[iconCode]));
}

bool PanelTab::requests(const QString &objectName) const
{
    for (const QString &prefix : requestPrefixes)
        if (objectName.startsWith(prefix))
            return true;
    return false;
}

const QVector<PanelTab> &PanelTabs::all()
{
    using K = PanelTab::Kind;
    const QString combo = QStringLiteral("combobox"), slider = QStringLiteral("slider"),
                  group = QStringLiteral("groupbox"), text = QStringLiteral("text"),
                  utext = QStringLiteral("_text"), line = QStringLiteral("lineedit");
    static const QVector<PanelTab> tabs{
        {Info, QStringLiteral("tabInfo"), tr("Info"), 0, false, {group, combo, text, utext},
         K::ComboBoxes | K::RadioButtons | K::PushButtons, false},
        {Input, QStringLiteral("tabInput"), tr("Input"), 1, false, {group, combo, text},
         K::ComboBoxes | K::RadioButtons, false},
        {Picture, QStringLiteral("tabPicture"), tr(" Picture "), 1, false, {slider, combo},
         K::ComboBoxes | K::Sliders | K::PushButtons, true},
        {ThreeD, QStringLiteral("tab3D"), tr("3D"), 1, false, {slider, combo}, K::ComboBoxes | K::Sliders, false},
        {Control, QStringLiteral("tabControl"), tr("Control"), 1, false, {combo, group},
         K::ComboBoxes | K::RadioButtons, false},
        {Install, QStringLiteral("tabInstall"), tr("Installation"), 2, true, {combo, slider, line},
         K::ComboBoxes | K::Sliders | K::PushButtons | K::LineEdits, false},
        {Lens, QStringLiteral("tabLens"), tr("Lens"), 2, true, {combo, text}, K::ComboBoxes | K::PushButtons, false},
        {EdgeBlend, QStringLiteral("tabEdgeBlend"), tr("EdgeBlend"), 2, true, {slider, combo},
         K::ComboBoxes | K::Sliders | K::PushButtons, true},
        {Geometry, QStringLiteral("tabGeometry"), tr("Geometry"), 2, true, {slider, combo},
         K::ComboBoxes | K::Sliders | K::PushButtons, true},
        {Service, QStringLiteral("tabService"), tr("Service"), 3, true, {text}, 0, false},
    };
    return tabs;
}

PanelTab PanelTabs::at(int index)
{
    return all().value(index);
}

QString PanelTabs::defaultSettingFile(int index)
{
    switch (index) {
    case Picture:
        return QStringLiteral("NoName.picture.setting");
    case EdgeBlend:
        return QStringLiteral("NoName.edgeblend.setting");
    case Geometry:
        return QStringLiteral("NoName.geometry.setting");
    default:
        return QString();
    }
}
