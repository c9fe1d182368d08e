#include "panel/lenstabcontrols.h"

#include <QComboBox>
#include <QSignalBlocker>

LensTabControls::LensTabControls(ControlPanel *panel) : TabControls(panel, PanelTabs::Lens) {}

bool LensTabControls::handle(QWidget *widget)
{
    const QString button = widget->objectName();
    if (button != QLatin1String("pushbuttonLoad") && button != QLatin1String("pushbuttonSave") &&
        button != QLatin1String("pushbuttonClear") && button != QLatin1String("pushbuttonRename"))
        return false;
    auto *selector = find<QComboBox>(QStringLiteral("comboLensMemory"));
    if (!selector || selector->currentIndex() < 0)
        return true;
    const int n = selector->currentIndex() + 1;
    const QString ip = m_panel->target();
    if (button == QLatin1String("pushbuttonLoad"))
        m_panel->sendTo(ip, QStringLiteral("op lens.load = %1").arg(n));
    else if (button == QLatin1String("pushbuttonSave"))
        m_panel->sendTo(ip, QStringLiteral("op lens.save = %1").arg(n));
    else if (button == QLatin1String("pushbuttonClear"))
        m_panel->sendTo(ip, QStringLiteral("op lens.clear = %1").arg(n));
    else
        m_panel->sendTo(ip, QStringLiteral("op lens.mem.%1 = %2").arg(n).arg(selector->currentText().simplified()));
    return true;
}

void LensTabControls::fill()
{
    auto *selector = find<QComboBox>(QStringLiteral("comboLensMemory"));
    if (!selector)
        return;
    const QSignalBlocker blocker(selector);
    const int current = qMax(0, selector->currentIndex());
    selector->clear();
    for (int n = 1; n <= 10; ++n)
        selector->addItem(m_panel->valueOf(QStringLiteral("lens.mem.%1").arg(n)));
    selector->setCurrentIndex(current);
}
