#include "automation/scheduleritemdelegate.h"

#include "automation/tablemodelscheduler.h"
#include "automation/weekdayrule.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPainterPath>
#include <QTableView>
#include <QTime>
#include <QTimeEdit>

namespace {

const char *const TimeFormat = "hh:mm";

bool isDayColumn(int column)
{
    return column >= TableModelScheduler::ColumnMonday && column <= TableModelScheduler::ColumnSunday;
}

} // namespace

SchedulerItemDelegate::SchedulerItemDelegate(QTableView *view, const QStringList &scriptFiles, bool darkStyle)
    : QStyledItemDelegate(view), m_scriptFiles(scriptFiles), m_dark(darkStyle)
{
}

QString SchedulerItemDelegate::runWord(const QString &stored)
{
    if (stored.compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0)
        return tr("Yes");
    if (stored.compare(QLatin1String("No"), Qt::CaseInsensitive) == 0)
        return tr("No");
    return stored;
}

QString SchedulerItemDelegate::runningText(int seconds)
{
    return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("hh:mm:ss"));
}

QWidget *SchedulerItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    switch (index.column()) {
    case TableModelScheduler::ColumnJob: {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("comboBoxScript"));
        box->addItems(m_scriptFiles);
        return box;
    }
    case TableModelScheduler::ColumnRun: {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("comboBoxRun"));
        // The operator reads the words in their language; the file keeps
        // "Yes" and "No".
        box->addItem(QIcon(QStringLiteral(":/images/CheckGreen_32x32.png")), runWord(QStringLiteral("Yes")),
                     QStringLiteral("Yes"));
        box->addItem(QIcon(QStringLiteral(":/images/Warning_24x24.png")), runWord(QStringLiteral("No")),
                     QStringLiteral("No"));
        return box;
    }
    case TableModelScheduler::ColumnTime: {
        auto *edit = new QTimeEdit(parent);
        edit->setObjectName(QStringLiteral("timeEditSchedule"));
        edit->setDisplayFormat(QString::fromLatin1(TimeFormat));
        return edit;
    }
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void SchedulerItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        int found = box->findData(text);
        if (found < 0)
            found = box->findText(text);
        if (found >= 0)
            box->setCurrentIndex(found);
        return;
    }
    if (auto *edit = qobject_cast<QTimeEdit *>(editor)) {
        const QTime time = QTime::fromString(text, QString::fromLatin1(TimeFormat));
        edit->setTime(time.isValid() ? time : QTime(0, 0));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void SchedulerItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        if (box->currentIndex() >= 0) {
            const QVariant stored = box->currentData();
            model->setData(index, stored.isValid() ? stored.toString() : box->currentText(), Qt::EditRole);
        }
        return;
    }
    if (auto *edit = qobject_cast<QTimeEdit *>(editor)) {
        model->setData(index, edit->time().toString(QString::fromLatin1(TimeFormat)), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void SchedulerItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const TableModelScheduler *>(index.model());
    const bool job = model && index.row() < model->jobCount();
    if (job && isDayColumn(index.column()))
        paintDay(painter, option, index);
    else if (job && index.column() == TableModelScheduler::ColumnRun)
        paintRun(painter, option, index);
    else if (job && index.column() == TableModelScheduler::ColumnRunning)
        paintRunning(painter, option, index);
    else
        QStyledItemDelegate::paint(painter, option, index);
}

QStyle *SchedulerItemDelegate::paintBackground(QPainter *painter, const QStyleOptionViewItem &option,
                                               const QModelIndex &index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
    return style;
}

void SchedulerItemDelegate::paintDay(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    QStyle *style = paintBackground(painter, option, index);

    QStyleOptionButton box;
    box.state = QStyle::State_Enabled
        | (WeekdayRule::flagIsSet(index.data().toString()) ? QStyle::State_On : QStyle::State_Off);
    const QSize indicator(style->pixelMetric(QStyle::PM_IndicatorWidth, &box, option.widget),
                          style->pixelMetric(QStyle::PM_IndicatorHeight, &box, option.widget));
    box.rect = QRect(option.rect.center() - QPoint(indicator.width() / 2, indicator.height() / 2), indicator);
    box.palette = option.palette;
    // The dark look's base is almost black: light frame, teal tick.
    if (m_dark) {
        box.palette.setColor(QPalette::Base, QColor(0x38, 0x38, 0x38));
        box.palette.setColor(QPalette::Text, QColor(0x30, 0xdc, 0x82));
        box.palette.setColor(QPalette::Window, QColor(0x60, 0x60, 0x60));
    } else {
        box.palette.setColor(QPalette::Base, Qt::white);
        box.palette.setColor(QPalette::Text, QColor(0x10, 0x80, 0x80));
    }
    style->drawControl(QStyle::CE_CheckBox, &box, painter, option.widget);
}

void SchedulerItemDelegate::paintRun(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    const auto *model = static_cast<const TableModelScheduler *>(index.model());
    QStyleOptionViewItem text = option;
    initStyleOption(&text, index);
    text.text = runWord(text.text);
    if (model->runEnabled(index.row())) {
        static const QIcon enabled(QStringLiteral(":/images/CheckGreen_64x64.png"));
        text.icon = enabled;
        text.features |= QStyleOptionViewItem::HasDecoration;
        const int side = qMin(48, option.rect.height() - 4);
        text.decorationSize = QSize(side, side);
    }
    QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &text, painter, option.widget);
}

void SchedulerItemDelegate::paintRunning(QPainter *painter, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    paintBackground(painter, option, index);

    const QString cellText = index.data().toString();
    if (cellText.isEmpty())
        return; // not today: nothing to count down to
    const auto *model = static_cast<const TableModelScheduler *>(index.model());
    // A job whose Run is "No" still counts down, but must not look armed.
    const bool armed = model->runEnabled(index.row());
    const int value = qBound(0, cellText.toInt(), RunningRange);
    const QRectF frame = QRectF(option.rect).adjusted(3, 3, -3, -3);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(frame, 6, 6);
    if (armed) {
        // A calm blue that fills up as the run comes nearer; the last hour
        // is a deeper shade, not an alarm colour.
        const qreal done = 1.0 - qreal(value) / RunningRange;
        const QColor chunk = value <= SoonSeconds ? (m_dark ? QColor(0x3a, 0x78, 0xb0) : QColor(0x7f, 0xb2, 0xe0))
                                                  : (m_dark ? QColor(0x2c, 0x50, 0x70) : QColor(0xc4, 0xdc, 0xf0));
        QRectF filled = frame;
        filled.setWidth(frame.width() * (value <= SoonSeconds ? 1.0 : qMax<qreal>(0.02, done)));
        painter->setClipPath(outline);
        painter->fillRect(filled, chunk);
        painter->setClipping(false);
    }
    const QColor grey(0x80, 0x80, 0x80);
    painter->setPen(QPen(armed ? QColor(Qt::gray) : grey, armed ? 2 : 1, armed ? Qt::SolidLine : Qt::DashLine));
    painter->drawPath(outline);
    QFont font = option.font;
    font.setBold(armed);
    painter->setFont(font);
    const bool selected = option.state & QStyle::State_Selected;
    const QColor text = m_dark || value <= SoonSeconds ? (m_dark ? QColor(Qt::white) : QColor(0x10, 0x10, 0x10))
                                                       : option.palette.color(QPalette::Text);
    painter->setPen(!armed ? grey : selected ? option.palette.color(QPalette::HighlightedText) : text);
    painter->drawText(frame, Qt::AlignCenter, runningText(value));
    painter->restore();
}
