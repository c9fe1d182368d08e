#include "monitor/powerswitchconfirmation.h"

#include <QMessageBox>
#include <QPixmap>

bool PowerSwitchConfirmation::ask(QWidget *parent, PowerSwitchRule::Direction direction)
{
    const bool on = direction == PowerSwitchRule::Direction::On;
    QMessageBox box(parent);
    box.setObjectName(on ? QStringLiteral("messageBoxAllOn") : QStringLiteral("messageBoxAllOff"));
    box.setIconPixmap(QPixmap(on ? QStringLiteral(":/images/light-on.png") : QStringLiteral(":/images/light-off.png"))
                          .scaledToWidth(48, Qt::SmoothTransformation));
    box.setText(on ? tr("   Turn On All Projectors   ") : tr("   Turn Off All Projectors   "));
    box.setInformativeText(on ? tr("Do you want to switch on ALL projectors ?")
                              : tr("Do you want to switch off ALL projectors ?"));
    box.setStandardButtons(QMessageBox::Apply | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Apply;
}
