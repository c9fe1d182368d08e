#pragma once

#include <QTreeWidget>

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

protected:
    void dropEvent(QDropEvent *event) override;
};
