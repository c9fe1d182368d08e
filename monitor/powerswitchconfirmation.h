#pragma once

#include "monitor/powerswitchrule.h"

#include <QCoreApplication>

class QWidget;

// The question before All On / All Off: Apply or Cancel, Cancel the default.
class PowerSwitchConfirmation
{
    Q_DECLARE_TR_FUNCTIONS(PowerSwitchConfirmation)

public:
    static bool ask(QWidget *parent, PowerSwitchRule::Direction direction);
};
