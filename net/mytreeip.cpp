#include "net/mytreeip.h"

#include <QDropEvent>
#include <QMetaProperty>

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

bool MyTreeIP::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool started = QTreeWidget::edit(index, trigger, event);
    if (started)
        m_editing = index;
    return started;
}

void MyTreeIP::commitData(QWidget *editor)
{
    QTreeWidgetItem *item = m_editing.isValid() ? itemFromIndex(m_editing) : nullptr;
    if (m_editCheck && item && editor) {
        const QMetaProperty property = editor->metaObject()->userProperty();
        const QString text = property.read(editor).toString();
        const int column = m_editing.column();
        if (text != item->text(column)) {
            const QString why = m_editCheck(item, column, text);
            if (!why.isEmpty()) {
                emit sigEditRefused(why);
                return;
            }
        }
    }
    QTreeWidget::commitData(editor);
}
