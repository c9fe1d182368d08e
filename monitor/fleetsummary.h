#pragma once

#include <QCoreApplication>
#include <QString>

class TableModelStatus;

// The status bar's one-line reading of the whole fleet, counted from the
// status table: "40 projectors: 31 on, 6 standby, 1 error, 2 no answer".
// A projector that is not connected, or has not reported a state yet,
// counts as "no answer"; warming up and cooling down are named only while
// some projector is in them.
class FleetSummary
{
    Q_DECLARE_TR_FUNCTIONS(FleetSummary)

public:
    int total = 0;
    int on = 0;
    int standby = 0;
    int warming = 0;
    int cooling = 0;
    int error = 0;
    int noAnswer = 0;

    static FleetSummary count(const TableModelStatus &model);
    QString text() const;
};
