#include "panel/servicetabcontrols.h"

#include <QLabel>

ServiceTabControls::ServiceTabControls(ControlPanel *panel) : TabControls(panel, PanelTabs::Service) {}

void ServiceTabControls::fill()
{
    auto *code = find<QLabel>(QStringLiteral("textErrcode"));
    if (!code)
        return;
    const QString text = code->text();
    if (text.startsWith(QLatin1String("00")))
        code->setStyleSheet(QStringLiteral("QLabel{color:grey;font-weight:bold}"));
    else if (m_panel->alternating())
        code->setStyleSheet(QStringLiteral("QLabel{color:gold;font-weight:bold}"));
    else
        code->setStyleSheet(QStringLiteral("QLabel{color:magenta;font-weight:bold}"));
    if (auto *meaning = find<QLabel>(QStringLiteral("labelErrcodeMeaning")))
        meaning->setText(m_panel->decodeError(text));
}
