#include "monitor/fleetsummary.h"

#include "monitor/tablemodelstatus.h"

#include <QSet>
#include <QStringList>

FleetSummary FleetSummary::count(const TableModelStatus &model)
{
    FleetSummary summary;
    const QStringList connectedList = model.connectedList();
    const QSet<QString> connected(connectedList.begin(), connectedList.end());
    summary.total = model.rowCount();
    for (int row = 0; row < summary.total; ++row) {
        if (!connected.contains(model.cell(row, TableModelStatus::AddressColumn))) {
            ++summary.noAnswer;
            continue;
        }
        bool ok = false;
        const int state = model.cell(row, TableModelStatus::StatusColumn).trimmed().toInt(&ok);
        switch (ok ? state : -1) {
        case 0:
            ++summary.standby;
            break;
        case 1:
            ++summary.warming;
            break;
        case 2:
            ++summary.on;
            break;
        case 3:
            ++summary.cooling;
            break;
        case 4:
            ++summary.error;
            break;
        default:
            ++summary.noAnswer;
            break;
        }
    }
    return summary;
}

QString FleetSummary::text() const
{
    QStringList parts{tr("%1 on").arg(on), tr("%1 standby").arg(standby)};
    if (warming > 0)
        parts << tr("%1 warming up").arg(warming);
    if (cooling > 0)
        parts << tr("%1 cooling down").arg(cooling);
    parts << tr("%1 error").arg(error) << tr("%1 no answer").arg(noAnswer);
    const QString counts = parts.join(tr(", "));
    return total == 1 ? tr("1 projector: %1").arg(counts) : tr("%1 projectors: %2").arg(total).arg(counts);
}
