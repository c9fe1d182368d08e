#pragma once

#include "monitor/history/historyworker.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class HistoryEventModel;
class HistoryService;

namespace QtCharts {
class QBarCategoryAxis;
class QBarSet;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
}

namespace Ui {
class DialogHistory;
}

// One projector's history: its events (filterable by kind and text), its
// lamp hours over time and its hours on per day. Asks the history service
// and fills itself when the answer comes; never waits for it. The charts
// are built empty with the window, so the answer only hands them points.
class DialogHistory : public QDialog
{
    Q_OBJECT

public:
    using ErrorDecoder = std::function<QString(const QString &code)>;

    DialogHistory(HistoryService *history, const QString &ip, const QString &title, QWidget *parent = nullptr);
    ~DialogHistory() override;

    void setErrorDecoder(ErrorDecoder decoder);
    void setExportFolder(const QString &folder) { m_exportFolder = folder; }
    // The rows shown, as exported.
    QVector<QStringList> shownRows() const;

    void showHistory(const ProjectorHistory &history);

private:
    void buildCharts();
    void applyFilter();
    void exportCsv();

    Ui::DialogHistory *ui;
    QPointer<HistoryService> m_history;
    QString m_ip;
    int m_request = -1;
    HistoryEventModel *m_events;
    QtCharts::QLineSeries *m_lampLine = nullptr;
    QtCharts::QDateTimeAxis *m_lampTime = nullptr;
    QtCharts::QValueAxis *m_lampHours = nullptr;
    QtCharts::QBarSet *m_onHours = nullptr;
    QtCharts::QBarCategoryAxis *m_onDays = nullptr;
    QString m_exportFolder;
};
