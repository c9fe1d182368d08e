#include "net/mytreeip.h"

#include <QDropEvent>

MyTreeIP::MyTreeIP(QWidget *parent) : QTreeWidget(parent) {}

bool MyTreeIP::acceptsDrop(const QTreeWidgetItem *target, DropIndicatorPosition position)
{
    if (!target)
        return false;
    if (target->parent())
        return position == AboveItem || position == BelowItem; // beside a projector: its group
    return position == OnItem; // into a group, never beside it
}

void MyTreeIP::dropEvent(QDropEvent *event)
{
    if (!acceptsDrop(itemAt(event->pos()), dropIndicatorPosition())) {
        event->ignore();
        return;
    }
    QTreeWidget::dropEvent(event);
}
