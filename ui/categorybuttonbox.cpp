#include "ui/categorybuttonbox.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QTimer>

CategoryButtonBox::CategoryButtonBox(QWidget *parent) : QDialogButtonBox(parent)
{
    // The box's own single-row layout keeps track of the buttons but no
    // longer places them; flow() does.
    if (layout())
        layout()->setEnabled(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QList<QWidget *> CategoryButtonBox::shownButtons() const
{
    QList<QWidget *> shown;
    // Children are in the order the buttons were made, which is the order
    // the catalogue lists its categories in.
    for (QObject *child : children()) {
        auto *button = qobject_cast<QAbstractButton *>(child);
        if (button && !button->isHidden())
            shown << button;
    }
    return shown;
}

QSize CategoryButtonBox::buttonSize(QWidget *button)
{
    // The pressed category is drawn in bold, which the size hint (taken
    // with the normal weight) does not allow for.
    QSize size = button->sizeHint();
    if (auto *text = qobject_cast<QAbstractButton *>(button)) {
        QFont bold = text->font();
        bold.setBold(true);
        const int extra = QFontMetrics(bold).horizontalAdvance(text->text()) -
                          QFontMetrics(text->font()).horizontalAdvance(text->text());
        size.rwidth() += qMax(0, extra) + 4;
    }
    return size;
}

int CategoryButtonBox::flow(int width, bool apply) const
{
    int x = 0, y = 0, rowHeight = 0;
    for (QWidget *button : shownButtons()) {
        const QSize size = buttonSize(button);
        if (x > 0 && x + size.width() > width) {
            x = 0;
            y += rowHeight + Spacing;
            rowHeight = 0;
        }
        if (apply)
            button->setGeometry(QRect(QPoint(x, y), size));
        x += size.width() + Spacing;
        rowHeight = qMax(rowHeight, size.height());
    }
    return y + rowHeight;
}

int CategoryButtonBox::heightForWidth(int width) const
{
    return flow(width, false);
}

QSize CategoryButtonBox::sizeHint() const
{
    int width = 0;
    for (QWidget *button : shownButtons())
        width += buttonSize(button).width() + Spacing;
    return QSize(qMax(width - Spacing, 0), m_rowsHeight);
}

QSize CategoryButtonBox::minimumSizeHint() const
{
    int width = 0;
    for (QWidget *button : shownButtons())
        width = qMax(width, buttonSize(button).width());
    return QSize(width, m_rowsHeight);
}

bool CategoryButtonBox::event(QEvent *event)
{
    const bool handled = QDialogButtonBox::event(event);
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::Show:
        relayoutLater();
        break;
    default:
        break;
    }
    return handled;
}

void CategoryButtonBox::resizeEvent(QResizeEvent *event)
{
    QDialogButtonBox::resizeEvent(event);
    relayout();
}

void CategoryButtonBox::relayout()
{
    const int height = flow(width(), true);
    if (height != m_rowsHeight) {
        m_rowsHeight = height;
        setFixedHeight(height);
        updateGeometry();
    }
}

void CategoryButtonBox::relayoutLater()
{
    // A button announces itself before its text is set; measure it once the
    // caller has finished filling the row.
    if (m_relayoutPending)
        return;
    m_relayoutPending = true;
    QTimer::singleShot(0, this, [this] {
        m_relayoutPending = false;
        updateGeometry();
        relayout();
    });
}
