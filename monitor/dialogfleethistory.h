#pragma once

#include "monitor/history/fleetview.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <functional>

class HistoryService;
class TextTableModel;

namespace Ui {
class DialogFleetHistory;
}

// The fleet view: lamps expected to reach rated life within 30 days, the
// projectors with the most errors in the last 30 days, and those silent
// longest. Each list exports as CSV.
class DialogFleetHistory : public QDialog
{
    Q_OBJECT

public:
    // Tree name of an address ("" when it has none).
    using Namer = std::function<QString(const QString &ip)>;
    // Rated lamp life of every monitored projector.
    using RatedLives = std::function<QHash<QString, int>()>;

    DialogFleetHistory(HistoryService *history, Namer namer, RatedLives lives, QWidget *parent = nullptr);
    ~DialogFleetHistory() override;

    void setExportFolder(const QString &folder) { m_exportFolder = folder; }
    void showView(const FleetView &view);
    void refresh();

    // The lists as shown (and exported): lamps due, most errors, unreachable.
    const TextTableModel *list(int index) const { return m_lists.value(index); }

private:
    void exportCsv();

    Ui::DialogFleetHistory *ui;
    QPointer<HistoryService> m_history;
    Namer m_namer;
    RatedLives m_lives;
    QVector<TextTableModel *> m_lists;
    int m_request = -1;
    QString m_exportFolder;
};
