#pragma once

#include <QCoreApplication>
#include <QString>

// How the projector that the console and the control panel act on is named
// to the operator: tree name, address and model, whichever are known.
// Names come from the operator's inventory file and are shown as plain text.
class TargetDescription
{
    Q_DECLARE_TR_FUNCTIONS(TargetDescription)

public:
    // "Main Hall 3 - 127.0.0.4 - KX4410Q"; pieces that are not known are
    // left out; no address gives the "no target" text.
    static QString compose(const QString &name, const QString &ip, const QString &model);
    // The control panel's header line.
    static QString panelHeader(const QString &description);
    // The status-bar message of a change of target.
    static QString retargetMessage(const QString &description);
};
