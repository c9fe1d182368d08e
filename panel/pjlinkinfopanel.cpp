#include "panel/pjlinkinfopanel.h"

#include "monitor/pjlinkmonitor.h"
#include "net/pjlinkdirectory.h"
#include "net/pjlinkreply.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

namespace {

QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    // Words from the wire are never rich text.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

PJLinkInfoPanel::PJLinkInfoPanel(QTabWidget *tabs, PJLinkMonitor *monitor, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_monitor(monitor)
{
    connect(m_monitor, &PJLinkMonitor::sigAnswered, this, &PJLinkInfoPanel::onAnswer);
    // Learnt to speak PJLink while already the target.
    connect(m_monitor, &PJLinkMonitor::sigDetected, this, [this](const QString &ip) {
        if (ip == m_target && !m_shown)
            setTarget(ip);
    });
}

void PJLinkInfoPanel::setTarget(const QString &ip)
{
    m_target = ip;
    const PJLinkDirectory *directory = m_monitor->directory();
    const bool pjlink = !ip.isEmpty() && directory->isPJLink(ip);
    cover(pjlink);
    if (!pjlink)
        return;
    m_state = PJLinkPanelState(directory->classLevel(ip));
    for (QWidget *widget : qAsConst(m_class2))
        widget->setVisible(m_state.offersClass2());
    showState();
    refresh();
}

void PJLinkInfoPanel::cover(bool shown)
{
    m_shown = shown;
    if (m_covers.isEmpty() && shown) {
        for (int i = 0; i < m_tabs->count(); ++i) {
            QWidget *page = m_tabs->widget(i);
            QWidget *cover = nullptr;
            if (i == 0) {
                cover = buildInfo(page);
            } else {
                QLabel *note = plainLabel(page);
                note->setAlignment(Qt::AlignCenter);
                note->setWordWrap(true);
                note->setText(tr("This projector speaks PJLink and does not offer the settings of this page."));
                cover = note;
            }
            cover->setObjectName(QStringLiteral("pjlinkCover%1").arg(i));
            cover->setAutoFillBackground(true);
            cover->setGeometry(page->rect());
            page->installEventFilter(this);
            m_covers.append(cover);
        }
    }
    for (const QPointer<QWidget> &cover : qAsConst(m_covers)) {
        if (!cover)
            continue;
        cover->setVisible(shown);
        if (shown)
            cover->raise();
    }
}

bool PJLinkInfoPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        auto *page = qobject_cast<QWidget *>(watched);
        for (const QPointer<QWidget> &cover : qAsConst(m_covers)) {
            if (cover && page && cover->parentWidget() == page)
                cover->setGeometry(page->rect());
        }
    }
    return QObject::eventFilter(watched, event);
}

QWidget *PJLinkInfoPanel::buildInfo(QWidget *page)
{
    auto *info = new QWidget(page);
    auto *form = new QFormLayout(info);
    const auto row = [info, form](const QString &caption, QLabel *value, QVector<QPushButton *> buttons) {
        auto *line = new QWidget(info);
        auto *box = new QHBoxLayout(line);
        box->setContentsMargins(0, 0, 0, 0);
        if (value)
            box->addWidget(value, 1);
        for (QPushButton *button : buttons)
            box->addWidget(button);
        form->addRow(caption, line);
        return line;
    };
    const auto button = [this, info](const QString &text, const std::function<QString()> &line) {
        auto *b = new QPushButton(text, info);
        connect(b, &QPushButton::clicked, this, [this, line] { send(line()); });
        return b;
    };
    m_power = plainLabel(info);
    row(tr("Power"), m_power, {button(tr("On"), [this] { return m_state.powerLine(true); }), button(tr("Off"), [this] {
                                   return m_state.powerLine(false);
                               })});
    m_input = new QComboBox(info);
    m_input->setObjectName(QStringLiteral("pjlinkInput"));
    connect(m_input, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { send(m_state.inputLine(m_input->itemData(index).toString())); });
    form->addRow(tr("Input"), m_input);
    m_mute = plainLabel(info);
    row(tr("AV mute"), m_mute,
        {button(tr("Mute"), [this] { return m_state.muteLine(true); }),
         button(tr("Unmute"), [this] { return m_state.muteLine(false); })});
    m_freeze = plainLabel(info);
    m_class2 << row(tr("Freeze"), m_freeze,
                    {button(tr("Freeze"), [this] { return m_state.freezeLine(true); }),
                     button(tr("Release"), [this] { return m_state.freezeLine(false); })});
    m_class2 << row(tr("Volume"), nullptr,
                    {button(tr("Down"), [this] { return m_state.volumeLine(false); }),
                     button(tr("Up"), [this] { return m_state.volumeLine(true); })});
    m_lamp = plainLabel(info);
    form->addRow(tr("Lamp hours"), m_lamp);
    m_filter = plainLabel(info);
    m_class2 << row(tr("Filter hours"), m_filter, {});
    auto *again = new QPushButton(tr("Refresh"), info);
    connect(again, &QPushButton::clicked, this, &PJLinkInfoPanel::refresh);
    form->addRow(QString(), again);
    // The labels of the class 2 rows go with them.
    for (QWidget *widget : qAsConst(m_class2)) {
        if (QWidget *label = form->labelForField(widget))
            m_class2 << label;
    }
    return info;
}

void PJLinkInfoPanel::send(const QString &line)
{
    if (line.isEmpty() || !m_shown)
        return;
    m_monitor->sendLine(m_target, line);
    refresh();
}

void PJLinkInfoPanel::refresh()
{
    if (!m_shown)
        return;
    const QStringList requests = m_state.refreshRequests();
    for (const QString &request : requests)
        m_monitor->sendLine(m_target, request);
}

void PJLinkInfoPanel::onAnswer(const QString &ip, const QString &request, const PJLinkReply &reply)
{
    if (!m_shown || ip != m_target)
        return;
    const QStringList more = m_state.take(request, reply);
    for (const QString &line : more)
        m_monitor->sendLine(m_target, line);
    showState();
}

void PJLinkInfoPanel::showState()
{
    if (!m_power)
        return;
    m_power->setText(m_state.powerText());
    m_mute->setText(m_state.muteText());
    m_freeze->setText(m_state.freezeText());
    m_lamp->setText(m_state.lampText());
    m_filter->setText(m_state.filterText());
    // Rebuilt only when the list or a name changed, so an open list stays.
    QStringList labels;
    const QStringList codes = m_state.inputCodes();
    for (const QString &code : codes)
        labels << m_state.inputLabel(code);
    QStringList shown;
    for (int i = 0; i < m_input->count(); ++i)
        shown << m_input->itemText(i);
    if (shown != labels) {
        m_input->clear();
        for (int i = 0; i < codes.size(); ++i)
            m_input->addItem(labels.at(i), codes.at(i));
    }
    m_input->setCurrentIndex(codes.indexOf(m_state.currentInput()));
}
