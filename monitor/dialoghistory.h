#pragma once

#include "monitor/history/historyworker.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class HistoryService;

namespace Ui {
class DialogHistory;
}

// One projector's history: its events (filterable by kind and text), its
// lamp hours over time and its hours on per day. Asks the history service
// and fills itself when the answer comes; never waits for it.
class DialogHistory : public QDialog
{
    Q_OBJECT

public:
    using ErrorDecoder = std::function<QString(const QString &code)>;

    DialogHistory(HistoryService *history, const QString &ip, const QString &title, QWidget *parent = nullptr);
    ~DialogHistory() override;

    void setErrorDecoder(ErrorDecoder decoder) { m_decode = std::move(decoder); }
    void setExportFolder(const QString &folder) { m_exportFolder = folder; }
    // The rows shown, as exported.
    QVector<QStringList> shownRows() const;
    static QStringList exportHeader();

    void showHistory(const ProjectorHistory &history);

private:
    void applyFilter();
    void exportCsv();
    QString eventWords(const HistoryEvent &event) const;
    QString detailWords(const HistoryEvent &event) const;

    Ui::DialogHistory *ui;
    QPointer<HistoryService> m_history;
    QString m_ip;
    int m_request = -1;
    ProjectorHistory m_shown;
    ErrorDecoder m_decode;
    QString m_exportFolder;
};
