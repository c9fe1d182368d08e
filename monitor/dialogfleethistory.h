#pragma once

#include "monitor/history/fleetview.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <functional>

class HistoryService;
class QTableWidget;

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

    // Header and rows of a list as shown (and exported).
    static QStringList headerOf(const QTableWidget *table);
    static QVector<QStringList> rowsOf(const QTableWidget *table);

private:
    void fill(QTableWidget *table, const QStringList &header, const QVector<QStringList> &rows);
    void exportCsv();

    Ui::DialogFleetHistory *ui;
    QPointer<HistoryService> m_history;
    Namer m_namer;
    RatedLives m_lives;
    int m_request = -1;
    QString m_exportFolder;
};
