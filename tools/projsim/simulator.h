#pragma once

#include "cataloguetable.h"
#include "simulatoroptions.h"

#include <QObject>
#include <QVector>

class DiscoveryResponder;
class ProjectorState;

// Builds the simulated fleet (or the one serial projector) from the
// command line and keeps it running.
class Simulator : public QObject
{
    Q_OBJECT
public:
    explicit Simulator(const SimulatorOptions &options, QObject *parent = nullptr);

    // Opens every listener (or the serial port). On failure nothing is left
    // listening and the reason is returned.
    bool start(QString *error);

    // A serial number that stays the same for the same model and address.
    static QString serialNumberFor(const QString &model, quint32 seed);

signals:
    // The serial line went away; the program should end.
    void serialPortLost();

private:
    ProjectorState *makeProjector(const QString &key, quint32 seed, int index);
    bool startTcp(QString *error);
    bool startSerial(QString *error);

    SimulatorOptions m_options;
    CatalogueTable m_catalogue;
    QVector<ProjectorState *> m_projectors;
    DiscoveryResponder *m_discovery = nullptr;
};
