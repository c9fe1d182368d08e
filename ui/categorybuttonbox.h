#pragma once

#include <QDialogButtonBox>

// The console's row of category buttons. A model has a dozen and more
// categories, more than one row holds on most screens, so the buttons wrap
// into further rows (in the order they were added) instead of running off
// into a scroll bar. Everything else is the button box: addButton, buttons(),
// clear() and the clicked(QAbstractButton *) signal.
class CategoryButtonBox : public QDialogButtonBox
{
    Q_OBJECT

public:
    explicit CategoryButtonBox(QWidget *parent = nullptr);

    // The height the rows take at width.
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static constexpr int Spacing = 6;

    QList<QWidget *> shownButtons() const;
    static QSize buttonSize(QWidget *button);
    // Lays the buttons out for width (moving them when apply); the height used.
    int flow(int width, bool apply) const;
    void relayoutLater();
    // Places the buttons for the current width and asks for the height the
    // rows need (the box's own layout cannot say it).
    void relayout();

    bool m_relayoutPending = false;
    int m_rowsHeight = 0;
};
