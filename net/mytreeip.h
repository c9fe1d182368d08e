#pragma once

#include <QPersistentModelIndex>
#include <QTreeWidget>

#include <functional>

// The group and projector tree. A projector may be dropped only inside a
// group: over empty space (or between top-level rows, which would make it
// a group of its own) the drop is refused and the row stays where it was.
// The move itself is the tree widget's, so the row keeps its check state,
// icon, status tip and learned columns.
class MyTreeIP : public QTreeWidget
{
    Q_OBJECT

public:
    explicit MyTreeIP(QWidget *parent = nullptr);

    // Where a drop lands relative to the row under the pointer.
    enum DropSpot
    {
        DropOnRow,
        DropAboveRow,
        DropBelowRow,
        DropOnEmptySpace
    };
    // Whether a drop there keeps the tree two levels deep.
    static bool acceptsDrop(const QTreeWidgetItem *target, DropSpot spot);

    // Asked before an edit replaces the text of item's column: why text may
    // not go in, or empty. A refused edit leaves the old text in place and
    // emits sigEditRefused; an edit that changes nothing is not asked about.
    using EditCheck = std::function<QString(const QTreeWidgetItem *item, int column, const QString &text)>;
    void setEditCheck(EditCheck check) { m_editCheck = std::move(check); }

    using QTreeWidget::edit;

signals:
    void sigEditRefused(const QString &why);

protected:
    void dropEvent(QDropEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

protected slots:
    void commitData(QWidget *editor) override;

private:
    EditCheck m_editCheck;
    QPersistentModelIndex m_editing;
};
