#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

class QTableView;

// Editors and painting of the scheduler table: drop-downs for the script
// name and Run, a time editor for HH:MM, check boxes for the days (coloured
// for the dark or the light look) and the Running column as a countdown bar.
class QStyle;

class SchedulerItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // Range of the Running bar: two days, so a job already past today
    // still shows the time to its next run.
    static constexpr int RunningRange = 172800;
    // A bar at or under this many seconds is drawn red: the job runs soon.
    static constexpr int SoonSeconds = 3599;

    SchedulerItemDelegate(QTableView *view, const QStringList &scriptFiles, bool darkStyle);

    void setScriptFiles(const QStringList &files) { m_scriptFiles = files; }
    QStringList scriptFiles() const { return m_scriptFiles; }
    bool darkStyle() const { return m_dark; }

    // "hh:mm:ss" of the Running cell (wraps at 24 hours).
    static QString runningText(int seconds);
    // The Run cell's word on screen: "Yes" and "No" translated, anything
    // else as it stands.
    static QString runWord(const QString &stored);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The cell's selection and alternating background without its text; the
    // style that drew it is returned for the rest of the cell.
    QStyle *paintBackground(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintDay(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintRun(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintRunning(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

    QStringList m_scriptFiles;
    bool m_dark;
};
