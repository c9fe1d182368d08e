#include "monitor/statusbardelegate.h"

#include "monitor/tablemodelstatus.h"

#include <QPainter>
#include <QProgressBar>

StatusBarDelegate::StatusBarDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

StatusBarDelegate::~StatusBarDelegate()
{
    for (QProgressBar *bar : m_bars)
        delete bar;
    delete m_overLife;
}

QProgressBar *StatusBarDelegate::overLifeBar() const
{
    if (!m_overLife) {
        m_overLife = new QProgressBar;
        m_overLife->setAttribute(Qt::WA_DontShowOnScreen);
        m_overLife->setTextVisible(true);
        m_overLife->setAlignment(Qt::AlignCenter);
        m_overLife->setStyleSheet(QStringLiteral(
            "QProgressBar{font-family:Arial;font-weight:bold;color:white;background-color:transparent;"
            "border:2px dashed #F04020;border-radius:6px;margin:3px;}"
            "QProgressBar::chunk{background-color:#B02020;width:5px;}"));
    }
    return m_overLife;
}

QProgressBar *StatusBarDelegate::barFor(LampHoursBar::Colour colour) const
{
    QProgressBar *&bar = m_bars[int(colour)];
    if (!bar) {
        bar = new QProgressBar;
        bar->setAttribute(Qt::WA_DontShowOnScreen);
        bar->setTextVisible(true);
        bar->setAlignment(Qt::AlignCenter);
        LampHoursBar sample = LampHoursBar::fromCells(QString::number(colour == LampHoursBar::Colour::Red     ? 95
                                                                      : colour == LampHoursBar::Colour::Brown ? 80
                                                                                                              : 50),
                                                      QStringLiteral("100"));
        bar->setStyleSheet(sample.styleSheet());
    }
    return bar;
}

void StatusBarDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != TableModelStatus::HoursColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const LampHoursBar shape = LampHoursBar::fromCells(
        index.data(Qt::DisplayRole).toString(),
        index.sibling(index.row(), TableModelStatus::LifeColumn).data(Qt::DisplayRole).toString());
    if (shape.isBlank())
        return;
    const bool pastLife = shape.text().toLongLong() > shape.maximum();
    QProgressBar *bar = pastLife ? overLifeBar() : barFor(shape.colour());
    bar->resize(option.rect.size());
    bar->setRange(0, shape.maximum());
    bar->setValue(shape.value());
    bar->setFormat(pastLife ? tr("Replace: %1").arg(shape.text()) : shape.text());
    painter->save();
    painter->translate(option.rect.topLeft());
    bar->render(painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter->restore();
}
