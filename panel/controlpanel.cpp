#include "panel/controlpanel.h"

#include "app/orvlog/OrvLog.h"
#include "net/batchprogress.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "panel/geometrystep.h"
#include "panel/latestvalueresender.h"
#include "panel/optionmatch.h"
#include "panel/panelforms.h"
#include "panel/passcoderule.h"
#include "panel/settingfile.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int LampCheckDelayMs = 3000;
constexpr int ColourResetRefreshMs = 400;
constexpr int GainAllIntervalMs = 300;

QString stampText(const QTime &time)
{
    return time.toString(QStringLiteral("hh:mm:ss.zzz"));
}

// Value names are the catalogue's own words; the common ones are translated.
[[maybe_unused]] const char *const CommonOptionWords[] = {
    QT_TRANSLATE_NOOP("ControlPanel", "Off"),    QT_TRANSLATE_NOOP("ControlPanel", "On"),
    QT_TRANSLATE_NOOP("ControlPanel", "Normal"), QT_TRANSLATE_NOOP("ControlPanel", "Custom"),
    QT_TRANSLATE_NOOP("ControlPanel", "Auto"),
};

QString optionText(const QString &option)
{
    return QCoreApplication::translate("ControlPanel", option.toUtf8().constData());
}

bool isSetting(const QString &name)
{
    return name.startsWith(QLatin1String("combobox")) || name.startsWith(QLatin1String("slider"));
}

} // namespace

ControlPanel::ControlPanel(QTabWidget *tabs, CommandCatalogue *catalogue, CommandDispatch *dispatch, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_catalogue(catalogue), m_dispatch(dispatch),
      m_resender(new LatestValueResender(
          [dispatch](const QString &ip, const QString &command) { return dispatch->sendCommand(ip, command); }, this)),
      m_gainAllTimer(new QTimer(this))
{
    m_map.parseBuiltIn();
    connect(m_dispatch, &CommandDispatch::sigCommandDropped, m_resender, &LatestValueResender::noteDropped);
    // The answer counter is shared with every other session, so it can run
    // out before this batch's last answers are in; the end of the batch's
    // session refreshes once more with everything.
    // Not when the operator changed something meanwhile: the widget would
    // jump back to the value read before the change.
    connect(m_dispatch, &CommandDispatch::sigBatchSessionEnded, this, [this] {
        if (m_batchOpen && !m_changedDuringBatch)
            refreshCurrent();
        m_batchOpen = false;
    });
    m_gainAllTimer->setSingleShot(true);
    m_gainAllTimer->setInterval(GainAllIntervalMs);
    connect(m_gainAllTimer, &QTimer::timeout, this, [this] {
        if (!m_gainAllPending)
            return;
        m_gainAllPending = false;
        sendGainAll();
        m_gainAllTimer->start();
    });

    m_tabs->setIconSize(QSize(16, 16));
    m_tabs->setUsesScrollButtons(false);
    const QVector<PanelTab> &tabList = PanelTabs::all();
    for (const PanelTab &tab : tabList) {
        QWidget *page = m_tabs->findChild<QWidget *>(tab.page);
        const int at = page ? m_tabs->indexOf(page) : -1;
        QWidget *content = nullptr;
        QWidget *form = nullptr;
        if (at >= 0) {
            m_tabs->setTabText(at, tab.caption);
            m_tabs->setTabIcon(at, QIcon(tab.iconPath()));
            // Pages scroll rather than squeeze when the window is small.
            auto *scroll = new QScrollArea(page);
            scroll->setObjectName(QStringLiteral("scrollPanel_") + tab.page);
            scroll->setWidgetResizable(true);
            scroll->setFrameShape(QFrame::NoFrame);
            form = PanelForms::create(tab.index, scroll);
            scroll->setWidget(form);
            delete page->layout();
            auto *layout = new QVBoxLayout(page);
            layout->setContentsMargins(4, 4, 4, 4);
            layout->addWidget(scroll);
            content = scroll;
            if (tab.locked)
                content->hide();
        }
        m_forms.append(form);
        m_contents.append(content);
        m_connected.append(false);
    }
}

QList<QWidget *> ControlPanel::namedWidgets(int index) const
{
    QList<QWidget *> result;
    if (QWidget *f = form(index)) {
        const QList<QWidget *> all = f->findChildren<QWidget *>();
        for (QWidget *w : all)
            if (!w->objectName().isEmpty())
                result.append(w);
    }
    return result;
}

template <typename T> T *ControlPanel::find(int index, const QString &name) const
{
    QWidget *f = form(index);
    return f ? f->findChild<T *>(name) : nullptr;
}

QString ControlPanel::opOf(const QString &objectName) const
{
    const QString reference = m_map.reference(objectName);
    if (reference.isEmpty())
        return QString();
    QString op = m_catalogue->cmdName2op(reference, m_target);
    // Before the model of the target is known its function names resolve
    // through the default catalogue.
    if (op.isEmpty() && reference.startsWith(QLatin1Char('(')))
        op = m_catalogue->cmdName2op(reference, QString());
    return op;
}

bool ControlPanel::canSend() const
{
    return !m_target.isEmpty() && m_dispatch->sendingEnabled();
}

bool ControlPanel::send(const QString &command)
{
    if (!canSend() || command.isEmpty())
        return false;
    return m_resender->send(m_target, command);
}

void ControlPanel::startBatch(const QString &title, const QStringList &commands)
{
    m_dispatch->batchProgress()->start(commands.size());
    emit sigBatchTitle(title);
    m_dispatch->sendCommandList(QTime::currentTime(), m_target, commands, true);
}

void ControlPanel::initTab(int index)
{
    QWidget *f = form(index);
    if (!f)
        return;
    if (!m_connected.at(index)) {
        m_connected[index] = true;
        const int kinds = PanelTabs::at(index).kinds;
        const QList<QWidget *> widgets = namedWidgets(index);
        for (QWidget *w : widgets) {
            auto report = [this, index, w] { changed(index, w); };
            if (auto *combo = qobject_cast<QComboBox *>(w)) {
                if (kinds & PanelTab::ComboBoxes)
                    connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, report);
            } else if (auto *slider = qobject_cast<QSlider *>(w)) {
                connect(slider, &QSlider::valueChanged, this, [this, w] { showSliderValue(w); });
                if (kinds & PanelTab::Sliders)
                    connect(slider, &QSlider::valueChanged, this, report);
            } else if (auto *push = qobject_cast<QPushButton *>(w)) {
                if (kinds & PanelTab::PushButtons)
                    connect(push, &QPushButton::clicked, this, report);
            } else if (auto *radio = qobject_cast<QRadioButton *>(w)) {
                if (kinds & PanelTab::RadioButtons)
                    connect(radio, &QRadioButton::clicked, this, report);
            } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
                if ((kinds & PanelTab::LineEdits) && w->objectName().startsWith(QLatin1String("lineedit")))
                    connect(edit, &QLineEdit::editingFinished, this, report);
            }
        }
    }
    requestTab(index);
}

QStringList ControlPanel::requestTab(int index)
{
    const PanelTab tab = PanelTabs::at(index);
    QStringList queries;
    const QList<QWidget *> widgets = namedWidgets(index);
    for (QWidget *w : widgets) {
        if (!tab.requests(w->objectName()))
            continue;
        // Widgets without a command of their own are not asked for: an
        // "op  ?" only earns an error from the projector.
        const QString op = opOf(w->objectName());
        if (!op.isEmpty())
            queries << QStringLiteral("op ") + op + QStringLiteral(" ?");
    }
    // The lamp picture follows the power state read with the tab.
    if (index == PanelTabs::Info) {
        const QString status = m_catalogue->queryCommandByIP(m_target, QStringLiteral("Projector Status"));
        if (!status.isEmpty())
            queries << status;
    }
    const QTime stamp = QTime::currentTime();
    OLOG_DEBUG() << "requestTab" << tab.page << queries;
    emit sigLog(QStringLiteral("--- Update Info. ---@") + stampText(stamp));
    if (m_target.isEmpty() || queries.isEmpty())
        return queries;
    // The model's answer loads its catalogue before the other answers come
    // in, so they can be recorded against it.
    if (!m_catalogue->hasRowsForIP(m_target))
        queries.prepend(m_catalogue->queryCommandByIP(m_target, QStringLiteral("Model Name")));
    m_batchOpen = true;
    m_changedDuringBatch = false;
    m_dispatch->batchProgress()->start(queries.size());
    emit sigBatchTitle(tr("Update Info.") + m_tabs->tabText(m_tabs->currentIndex()));
    m_dispatch->sendCommandList(stamp, m_target, queries, true);
    return queries;
}

QString ControlPanel::valueOf(const QString &op) const
{
    return m_catalogue->lookupCatalogue(CommandCatalogue::ValueColumn, op, CommandCatalogue::OpCommandColumn, m_target);
}

void ControlPanel::fillComboBox(QComboBox *combo, const QString &op)
{
    QStringList options = m_catalogue->catalogueOptions(op, CommandCatalogue::OpCommandColumn, m_target);
    if (options.size() == 1 && options.first().isNull())
        options.clear();
    combo->clear();
    OLOG_TRACE() << "CMDCSV data:" << options;
    for (const QString &option : qAsConst(options))
        combo->addItem(optionText(option), option);
    const QString value = valueOf(op);
    const int index = OptionMatch::indexOf(options, value);
    combo->setCurrentIndex(index);
    combo->setEnabled(index >= 0);
    if (index >= 0)
        OLOG_TRACE() << "ComboBox Matched:" << value;
}

void ControlPanel::fillSlider(QSlider *slider, const QString &op)
{
    const int row = m_catalogue->findRow(op, CommandCatalogue::OpCommandColumn, m_target);
    if (row >= 0) {
        bool ok = false;
        const int minimum = m_catalogue->fieldText(row, CommandCatalogue::MinColumn).toInt(&ok);
        if (ok)
            slider->setMinimum(minimum);
        const int maximum = m_catalogue->fieldText(row, CommandCatalogue::MaxColumn).toInt(&ok);
        if (ok)
            slider->setMaximum(maximum);
    }
    bool ok = false;
    const int value = valueOf(op).toInt(&ok);
    if (ok)
        slider->setValue(value);
    slider->setEnabled(ok);
}

void ControlPanel::fillGroupBox(QGroupBox *group, const QString &op)
{
    const QList<QRadioButton *> buttons = group->findChildren<QRadioButton *>();
    QStringList names;
    for (const QRadioButton *button : buttons)
        names << button->objectName().mid(2);
    // The Info tab's buttons carry "_2" after the value name.
    for (QString &name : names)
        if (name.endsWith(QLatin1String("_2")))
            name.chop(2);
    const int index = OptionMatch::indexOf(names, valueOf(op));
    if (index >= 0)
        buttons.at(index)->setChecked(true);
}

void ControlPanel::updateTab(int index)
{
    const PanelTab tab = PanelTabs::at(index);
    if (!form(index) || (tab.locked && !m_accessGranted))
        return;
    OLOG_DEBUG() << "Update Control Panel..." << tab.caption;
    const QList<QWidget *> widgets = namedWidgets(index);
    for (QWidget *w : widgets) {
        if (!tab.requests(w->objectName()))
            continue;
        const QString op = opOf(w->objectName());
        if (op.isEmpty())
            continue;
        const QSignalBlocker blocker(w);
        if (auto *combo = qobject_cast<QComboBox *>(w))
            fillComboBox(combo, op);
        else if (auto *slider = qobject_cast<QSlider *>(w))
            fillSlider(slider, op);
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            fillGroupBox(group, op);
        else if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(valueOf(op));
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(valueOf(op));
    }
    for (QWidget *w : widgets)
        if (qobject_cast<QSlider *>(w))
            showSliderValue(w);
    fillSpecials(index);
}

void ControlPanel::fillSpecials(int index)
{
    switch (index) {
    case PanelTabs::Info: {
        if (auto *h = find<QLabel>(index, QStringLiteral("_textHRefreshRate_Info")))
            h->setText(valueOf(opOf(h->objectName())) + QStringLiteral(" / ") +
                       valueOf(opOf(QStringLiteral("_textVRefreshRate_Info"))));
        const QString statusOp = m_catalogue->cmdName2op(QStringLiteral("(Projector Status)"), m_target);
        bool known = false;
        const int state = valueOf(statusOp).section(QLatin1Char(' '), 0, 0).toInt(&known);
        if (known)
            showLamp(state);
        break;
    }
    case PanelTabs::Input:
        applyPipRule();
        break;
    case PanelTabs::Install:
    case PanelTabs::EdgeBlend:
        applyCustomPowerRule(index);
        break;
    case PanelTabs::Lens:
        if (auto *selector = find<QComboBox>(index, QStringLiteral("comboLensMemory"))) {
            const QSignalBlocker blocker(selector);
            const int current = qMax(0, selector->currentIndex());
            selector->clear();
            for (int n = 1; n <= 10; ++n)
                selector->addItem(valueOf(QStringLiteral("lens.mem.%1").arg(n)));
            selector->setCurrentIndex(current);
        }
        break;
    case PanelTabs::Service:
        showErrorCode();
        break;
    default:
        break;
    }
}

void ControlPanel::showErrorCode()
{
    auto *code = find<QLabel>(PanelTabs::Service, QStringLiteral("textErrcode"));
    if (!code)
        return;
    const QString text = code->text();
    if (text.startsWith(QLatin1String("00")))
        code->setStyleSheet(QStringLiteral("QLabel{color:grey;font-weight:bold}"));
    else if (m_alternating)
        code->setStyleSheet(QStringLiteral("QLabel{color:gold;font-weight:bold}"));
    else
        code->setStyleSheet(QStringLiteral("QLabel{color:magenta;font-weight:bold}"));
    if (auto *meaning = find<QLabel>(PanelTabs::Service, QStringLiteral("labelErrcodeMeaning")))
        meaning->setText(m_errorDecoder ? m_errorDecoder(text) : QStringLiteral("-"));
}

void ControlPanel::refreshCurrent()
{
    if (!m_tabs->isVisible())
        return;
    updateTab(m_tabs->currentIndex());
}

void ControlPanel::showSliderValue(QWidget *slider)
{
    auto *s = qobject_cast<QSlider *>(slider);
    if (!s)
        return;
    if (auto *label = slider->parentWidget()->findChild<QLabel *>(QStringLiteral("label_") + slider->objectName()))
        label->setText(QStringLiteral("%1").arg(s->value()));
}

void ControlPanel::tabBarClicked(int index)
{
    const PanelTab tab = PanelTabs::at(index);
    m_tabs->setCurrentIndex(index);
    if (!tab.locked) {
        initTab(index);
        return;
    }
    QWidget *content = m_contents.value(index);
    if (content)
        content->hide();
    if (!checkPasscode())
        return;
    for (int i = 0; i < m_contents.size(); ++i)
        if (m_contents.at(i))
            m_contents.at(i)->show();
    initTab(index);
}

bool ControlPanel::checkPasscode()
{
    if (m_accessGranted)
        return true;
    bool ok = false;
    const QString entered =
        QInputDialog::getText(m_dialogParent, tr("Please input a valid passcode to access control"), tr("Password"),
                              QLineEdit::Normal, QStringLiteral("****"), &ok);
    if (!ok || entered.isEmpty())
        return m_accessGranted;
    const bool accepted = PasscodeRule::accepts(entered);
    m_accessGranted = accepted;
    QMessageBox box(accepted ? QMessageBox::Information : QMessageBox::Critical,
                    accepted ? tr("Passed!") : tr("No Pass!"),
                    accepted ? PasscodeRule::passedText(entered) : PasscodeRule::rejectedText(entered),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::RichText);
    box.exec();
    return accepted;
}

void ControlPanel::changed(int index, QWidget *widget)
{
    const QString name = widget->objectName();
    m_changedDuringBatch = true;
    OLOG_TRACE() << "changed" << widget->metaObject()->className() << name;
    if (handleSpecial(index, widget))
        return;
    QString command;
    if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
        auto *group = qobject_cast<QGroupBox *>(radio->parentWidget());
        if (!group)
            return;
        const QString op = opOf(group->objectName());
        const int position = group->findChildren<QRadioButton *>().indexOf(radio);
        if (!op.isEmpty())
            command = QStringLiteral("op %1 = %2").arg(op).arg(position);
        send(command);
        return;
    }
    const QString op = opOf(name);
    if (op.isEmpty())
        return;
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        command = QStringLiteral("op %1 = %2").arg(op).arg(combo->currentIndex());
    else if (auto *slider = qobject_cast<QSlider *>(widget))
        command = QStringLiteral("op %1 = %2").arg(op).arg(slider->value());
    else if (qobject_cast<QPushButton *>(widget))
        command = QStringLiteral("op ") + op;
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        command = QStringLiteral("op %1 = %2").arg(op, edit->text().trimmed());
    send(command);
}

bool ControlPanel::handleSpecial(int index, QWidget *widget)
{
    const QString name = widget->objectName();
    if (name.startsWith(QLatin1String("pushbuttonExport")) || name.startsWith(QLatin1String("pushbuttonImport"))) {
        if (index == PanelTabs::Picture || index == PanelTabs::EdgeBlend || index == PanelTabs::Geometry) {
            if (name.startsWith(QLatin1String("pushbuttonExport")))
                exportSettings(index);
            else
                importSettings(index);
        }
        return true;
    }
    switch (index) {
    case PanelTabs::Info:
        if (name == QLatin1String("pushbuttonPowerOn") || name == QLatin1String("pushbuttonPowerOff")) {
            powerButton(name == QLatin1String("pushbuttonPowerOn"));
            return true;
        }
        break;
    case PanelTabs::Input:
        if (name == QLatin1String("comboboxPipOption"))
            applyPipRule();
        break;
    case PanelTabs::Picture:
        if (name == QLatin1String("pushbuttonHSG_Reset")) {
            send(QStringLiteral("op ") + opOf(name));
            // The projector's new colours are read back once it has them.
            QTimer::singleShot(ColourResetRefreshMs, this, [this] { requestTab(PanelTabs::Picture); });
            emit sigStatusRefresh();
            return true;
        }
        break;
    case PanelTabs::Install:
        if (name == QLatin1String("comboboxLightPower"))
            applyCustomPowerRule(index);
        break;
    case PanelTabs::Lens:
        if (name == QLatin1String("pushbuttonLoad") || name == QLatin1String("pushbuttonSave") ||
            name == QLatin1String("pushbuttonClear") || name == QLatin1String("pushbuttonRename")) {
            lensMemory(name);
            return true;
        }
        break;
    case PanelTabs::EdgeBlend:
        if (name == QLatin1String("comboboxLightPower_2"))
            applyCustomPowerRule(index);
        if (name == QLatin1String("sliderEB_GainAll")) {
            gainAll(qobject_cast<QSlider *>(widget)->value());
            return true;
        }
        break;
    case PanelTabs::Geometry:
        if (qobject_cast<QPushButton *>(widget)) {
            if (name.startsWith(QLatin1String("pushbtn")))
                stepGeometry(widget);
            else
                geometryReset(name);
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void ControlPanel::powerButton(bool on)
{
    auto *lamp = find<QLabel>(PanelTabs::Info, QStringLiteral("labelLampPixmap"));
    if (lamp)
        lamp->setPixmap(QPixmap(QStringLiteral(":/images/Lamp1_24x24.png")));
    const int state = m_dispatch->powerState(m_target);
    if (state == 0 || state == 3) {
        if (on) {
            send(QStringLiteral("op ") + opOf(QStringLiteral("pushbuttonPowerOn")));
            QTimer::singleShot(LampCheckDelayMs, this, &ControlPanel::updateLampPixmap);
        }
    } else if (state == 1 || state == 2) {
        if (!on)
            send(QStringLiteral("op ") + opOf(QStringLiteral("pushbuttonPowerOff")));
    } else {
        emit sigStatus(tr("Error:") + QLatin1Char(' ') + QString::number(state));
    }
}

void ControlPanel::updateLampPixmap()
{
    showLamp(m_dispatch->powerState(m_target));
}

void ControlPanel::showLamp(int state)
{
    auto *lamp = find<QLabel>(PanelTabs::Info, QStringLiteral("labelLampPixmap"));
    if (!lamp)
        return;
    QString path = QStringLiteral(":/images/Warning_24x24.png");
    if (state == 1 || state == 2)
        path = QStringLiteral(":/images/Lamp1_24x24.png");
    else if (state == 0 || state == 3)
        path = QStringLiteral(":/images/Lamp0_24x24.png");
    lamp->setPixmap(QPixmap(path));
}

void ControlPanel::applyPipRule()
{
    auto *option = find<QComboBox>(PanelTabs::Input, QStringLiteral("comboboxPipOption"));
    const bool on = option && option->currentText().contains(QLatin1String("On"), Qt::CaseInsensitive);
    for (const char *name : {"comboboxPipInput", "groupboxPipPosition"})
        if (QWidget *w = find<QWidget>(PanelTabs::Input, QLatin1String(name)))
            w->setEnabled(on);
}

void ControlPanel::applyCustomPowerRule(int index)
{
    const QString suffix = index == PanelTabs::EdgeBlend ? QStringLiteral("_2") : QString();
    auto *mode = find<QComboBox>(index, QStringLiteral("comboboxLightPower") + suffix);
    auto *level = find<QSlider>(index, QStringLiteral("sliderCustomPowerLevel") + suffix);
    if (!mode || !level)
        return;
    const QString text = mode->currentText();
    level->setEnabled(text.contains(tr("Custom"), Qt::CaseInsensitive) ||
                      text.contains(QLatin1String("Custom"), Qt::CaseInsensitive));
}

void ControlPanel::lensMemory(const QString &button)
{
    auto *selector = find<QComboBox>(PanelTabs::Lens, QStringLiteral("comboLensMemory"));
    if (!selector || selector->currentIndex() < 0)
        return;
    const int n = selector->currentIndex() + 1;
    if (button == QLatin1String("pushbuttonLoad"))
        send(QStringLiteral("op lens.load = %1").arg(n));
    else if (button == QLatin1String("pushbuttonSave"))
        send(QStringLiteral("op lens.save = %1").arg(n));
    else if (button == QLatin1String("pushbuttonClear"))
        send(QStringLiteral("op lens.clear = %1").arg(n));
    else
        send(QStringLiteral("op lens.mem.%1 = %2").arg(n).arg(selector->currentText().simplified()));
}

void ControlPanel::gainAll(int value)
{
    for (const char *name : {"sliderEB_GainRed", "sliderEB_GainGreen", "sliderEB_GainBlue"}) {
        if (auto *slider = find<QSlider>(PanelTabs::EdgeBlend, QLatin1String(name))) {
            const QSignalBlocker blocker(slider);
            slider->setValue(value);
            showSliderValue(slider);
        }
    }
    // One batch per step of a drag would open a session per step: the first
    // goes out at once, later ones at most every interval, the last always.
    m_gainAllValue = value;
    if (m_gainAllTimer->isActive()) {
        m_gainAllPending = true;
        return;
    }
    sendGainAll();
    m_gainAllTimer->start();
}

void ControlPanel::sendGainAll()
{
    if (!canSend())
        return;
    const QString v = QString::number(m_gainAllValue);
    m_dispatch->sendCommandList(QTime::currentTime(), m_target,
                                {QStringLiteral("op eb.red = ") + v, QStringLiteral("op eb.green = ") + v,
                                 QStringLiteral("op eb.blue = ") + v},
                                false);
}

void ControlPanel::stepGeometry(QWidget *button)
{
    int direction = 0;
    const QString sliderName = GeometryStep::sliderFor(button->objectName(), &direction);
    auto *slider = find<QSlider>(PanelTabs::Geometry, sliderName);
    if (!slider || !slider->isEnabled())
        return;
    // The slider's own change sends the new value; at its end nothing moves.
    slider->setValue(slider->value() + direction * slider->singleStep());
}

void ControlPanel::geometryReset(const QString &button)
{
    const QStringList sliders = GeometryStep::resetSliders(button);
    QStringList commands;
    for (const QString &name : sliders) {
        auto *slider = find<QSlider>(PanelTabs::Geometry, name);
        if (slider) {
            const QSignalBlocker blocker(slider);
            slider->setValue(0);
            showSliderValue(slider);
        }
        const QString op = opOf(name);
        if (!op.isEmpty())
            commands << QStringLiteral("op %1 = 0").arg(op);
    }
    if (commands.isEmpty() || !canSend())
        return;
    startBatch(tr("Reset"), commands);
}

bool ControlPanel::exportToFile(int index, const QString &path, QString *error) const
{
    QVector<SettingFile::Entry> entries;
    const QList<QWidget *> widgets = namedWidgets(index);
    for (QWidget *w : widgets) {
        const QString name = w->objectName();
        if (name.startsWith(QLatin1String("combobox")))
            entries.append({name, qobject_cast<QComboBox *>(w) ? qobject_cast<QComboBox *>(w)->currentIndex() : 0});
        else if (name.startsWith(QLatin1String("slider")) && qobject_cast<QSlider *>(w))
            entries.append({name, qobject_cast<QSlider *>(w)->value()});
    }
    return SettingFile::write(path, entries, error);
}

void ControlPanel::exportSettings(int index)
{
    const QString path =
        QFileDialog::getSaveFileName(m_dialogParent, tr("Save Settings As"),
                                     m_configFolder + QLatin1Char('/') + PanelTabs::defaultSettingFile(index),
                                     tr("Text(*.txt)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportToFile(index, path, &error)) {
        OLOG_ERROR() << "Setting file save failed:" << path << error;
        QMessageBox::critical(nullptr, tr("Error"), tr("Setting file save Error!"), QMessageBox::Ok);
    }
}

void ControlPanel::importSettings(int index)
{
    const QString path = QFileDialog::getOpenFileName(m_dialogParent, tr("Open Settings file"),
                                                      m_configFolder + QStringLiteral("/*.setting"), tr("Text(*.txt)"));
    if (!path.isEmpty())
        importFromFile(index, path);
}

int ControlPanel::importFromFile(int index, const QString &path)
{
    QStringList names;
    const QList<QWidget *> widgets = namedWidgets(index);
    for (QWidget *w : widgets)
        names << w->objectName();
    OLOG_DEBUG() << "ImportFileToSettings" << names.size();
    const SettingFile::ReadResult file = SettingFile::read(path);
    if (!file.opened) {
        OLOG_WARN() << "Setting file cannot be read:" << path;
        return -1;
    }
    for (const QString &rejected : file.rejected) {
        OLOG_WARN() << "Setting file" << path << "skipped" << rejected;
        emit sigLog(tr("Setting file: skipped %1").arg(rejected));
    }
    QStringList batch;
    for (const SettingFile::Entry &entry : file.entries) {
        if (!names.contains(entry.first) || !isSetting(entry.first))
            continue;
        // The page shows the file's values at once; the refresh after the
        // batch shows what the projector made of them.
        QWidget *w = form(index)->findChild<QWidget *>(entry.first);
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            const QSignalBlocker blocker(combo);
            combo->setCurrentIndex(entry.second);
        } else if (auto *slider = qobject_cast<QSlider *>(w)) {
            const QSignalBlocker blocker(slider);
            slider->setValue(entry.second);
            showSliderValue(slider);
        }
        const QString op = opOf(entry.first);
        if (!op.isEmpty())
            batch << QStringLiteral("op %1 = %2").arg(op).arg(entry.second);
    }
    OLOG_DEBUG() << "Import batch" << batch;
    if (batch.isEmpty()) {
        emit sigStatus(tr("Setting Not Found!"));
        return 0;
    }
    startBatch(tr("Import Successed!"), batch);
    return batch.size();
}
