#pragma once

#include "monitor/lamphoursbar.h"

#include <QStyledItemDelegate>

class QProgressBar;

// Paints the "Lamp Hours" column as a bar against the row's rated life
// (green, brown past 75 %, red past 90 %; a light source past its rated
// life gets a dashed red frame and "Replace" before its hours, so it does
// not pass for one at 95 %); every other column is painted the usual way.
class StatusBarDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit StatusBarDelegate(QObject *parent = nullptr);
    ~StatusBarDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // One styled bar per colour, made once: styling a widget is far too slow
    // to do for every cell of every repaint.
    QProgressBar *barFor(LampHoursBar::Colour colour) const;
    QProgressBar *overLifeBar() const;

    mutable QProgressBar *m_bars[3] = {nullptr, nullptr, nullptr};
    mutable QProgressBar *m_overLife = nullptr;
};
