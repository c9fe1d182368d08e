#include "net/mytreeip.h"

#include <QDropEvent>

MyTreeIP::MyTreeIP(QWidget *parent) : QTreeWidget(parent) {}

bool MyTreeIP::acceptsDrop(const QTreeWidgetItem *target, DropSpot spot)
{
    if (!target)
        return false;
    if (target->parent())
        return spot == DropAboveRow || spot == DropBelowRow; // beside a projector: its group
    return spot == DropOnRow; // into a group, never beside it
}

void MyTreeIP::dropEvent(QDropEvent *event)
{
    DropSpot spot = DropOnEmptySpace;
    switch (dropIndicatorPosition()) {
    case OnItem:
        spot = DropOnRow;
        break;
    case AboveItem:
        spot = DropAboveRow;
        break;
    case BelowItem:
        spot = DropBelowRow;
        break;
    case OnViewport:
        break;
    }
    if (!acceptsDrop(itemAt(event->pos()), spot)) {
        event->ignore();
        return;
    }
    QTreeWidget::dropEvent(event);
}
