#pragma once

#include "pjlinksimoptions.h"
#include "simulatoroptions.h"

#include <QObject>

// The fleet of simulated PJLink projectors (--pjlink 1|2), one per address
// of the common address options, on the PJLink port instead of the op port.
class PJLinkSimulator : public QObject
{
    Q_OBJECT
public:
    PJLinkSimulator(const SimulatorOptions &options, const PJLinkSimOptions &pjlink, QObject *parent = nullptr);

    bool start(QString *error);

private:
    SimulatorOptions m_options;
    PJLinkSimOptions m_pjlink;
};
