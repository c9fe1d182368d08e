#include "panel/controlpanel.h"

#include "app/orvlog/OrvLog.h"
#include "net/batchprogress.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "net/mytcpsocket.h"
#include "panel/edgeblendtabcontrols.h"
#include "panel/geometrytabcontrols.h"
#include "panel/infotabcontrols.h"
#include "panel/inputtabcontrols.h"
#include "panel/installtabcontrols.h"
#include "panel/latestvalueresender.h"
#include "panel/lenstabcontrols.h"
#include "panel/optionmatch.h"
#include "panel/panelforms.h"
#include "panel/passcoderule.h"
#include "panel/picturetabcontrols.h"
#include "panel/servicetabcontrols.h"
#include "panel/settingtransfer.h"

#include <QComboBox>
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
#include <QVBoxLayout>

namespace {

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

} // namespace

ControlPanel::ControlPanel(QTabWidget *tabs, CommandCatalogue *catalogue, CommandDispatch *dispatch, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_catalogue(catalogue), m_dispatch(dispatch),
      m_resender(new LatestValueResender(
          [dispatch](const QString &ip, const QString &command) { return dispatch->sendCommand(ip, command); }, this))
{
    m_map.parseBuiltIn();
    connect(m_dispatch, &CommandDispatch::sigCommandDropped, m_resender, &LatestValueResender::noteDropped);

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

    m_transfer = new SettingTransfer(this);
    m_specials.fill(nullptr, PanelTabs::Count);
    m_specials[PanelTabs::Info] = new InfoTabControls(this);
    m_specials[PanelTabs::Input] = new InputTabControls(this);
    m_specials[PanelTabs::Picture] = new PictureTabControls(this);
    m_specials[PanelTabs::Install] = new InstallTabControls(this);
    m_specials[PanelTabs::Lens] = new LensTabControls(this);
    m_specials[PanelTabs::EdgeBlend] = new EdgeBlendTabControls(this);
    m_specials[PanelTabs::Geometry] = new GeometryTabControls(this);
    m_specials[PanelTabs::Service] = new ServiceTabControls(this);
    // Labels show projector answers and file names: text, never markup.
    for (QWidget *f : qAsConst(m_forms))
        if (f)
            for (QLabel *label : f->findChildren<QLabel *>())
                label->setTextFormat(Qt::PlainText);
}

void ControlPanel::setTarget(const QString &ip)
{
    if (ip == m_target)
        return;
    const QString old = m_target;
    for (TabControls *controls : qAsConst(m_specials))
        if (controls)
            controls->targetLeaving(old);
    m_target = ip;
    // The widgets hold the old projector's values until the next refresh.
    m_changedAt.clear();
    m_readWidgets.clear();
    emit sigTargetChanged(ip);
}

QString ControlPanel::decodeError(const QString &code) const
{
    return m_errorDecoder ? m_errorDecoder(code) : QStringLiteral("-");
}

QList<QWidget *> ControlPanel::widgetsOf(int index) const
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

QString ControlPanel::opOf(const QString &objectName, const QString &ip) const
{
    const QString reference = m_map.reference(objectName);
    if (reference.isEmpty())
        return QString();
    QString op = m_catalogue->cmdName2op(reference, ip);
    // Before the model of the projector is known its function names resolve
    // through the default catalogue.
    if (op.isEmpty() && reference.startsWith(QLatin1Char('(')))
        op = m_catalogue->cmdName2op(reference, QString());
    return op;
}

QString ControlPanel::valueOf(const QString &op) const
{
    return m_catalogue->lookupCatalogue(CommandCatalogue::ValueColumn, op, CommandCatalogue::OpCommandColumn, m_target);
}

bool ControlPanel::canSendTo(const QString &ip) const
{
    return !ip.isEmpty() && m_dispatch->sendingEnabled() && !(m_speaksOther && m_speaksOther(ip));
}

bool ControlPanel::sendTo(const QString &ip, const QString &command)
{
    if (!canSendTo(ip) || command.isEmpty())
        return false;
    return m_resender->send(ip, command);
}

void ControlPanel::sendListTo(const QString &ip, const QStringList &commands)
{
    if (!canSendTo(ip) || commands.isEmpty())
        return;
    m_resender->noteSentElsewhere(ip, commands);
    m_dispatch->sendCommandList(QTime::currentTime(), ip, commands, false, 0, SessionPool::Lane::Operator);
}

void ControlPanel::startBatch(const QString &ip, const QString &title, const QStringList &commands)
{
    if (!canSendTo(ip) || commands.isEmpty())
        return;
    m_resender->noteSentElsewhere(ip, commands);
    m_dispatch->batchProgress()->start(commands.size());
    emit sigBatchTitle(title);
    m_dispatch->sendCommandList(QTime::currentTime(), ip, commands, true, 0, SessionPool::Lane::Operator);
}

void ControlPanel::markChanged(const QString &name)
{
    m_changedAt.insert(name, m_batchSerial);
}

void ControlPanel::initTab(int index)
{
    QWidget *f = form(index);
    if (!f)
        return;
    if (!m_connected.at(index)) {
        m_connected[index] = true;
        const int kinds = PanelTabs::at(index).kinds;
        const QList<QWidget *> widgets = widgetsOf(index);
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
    const QString ip = m_target;
    QStringList queries;
    if (m_speaksOther && m_speaksOther(ip))
        return queries;
    const QList<QWidget *> widgets = widgetsOf(index);
    for (QWidget *w : widgets) {
        if (!tab.requests(w->objectName()))
            continue;
        // Widgets without a command of their own are not asked for: an
        // "op  ?" only earns an error from the projector.
        const QString op = opOf(w->objectName(), ip);
        if (!op.isEmpty())
            queries << QStringLiteral("op ") + op + QStringLiteral(" ?");
    }
    // The lamp picture follows the power state read with the tab.
    if (index == PanelTabs::Info) {
        const QString status = m_catalogue->queryCommandByIP(ip, QStringLiteral("Projector Status"));
        if (!status.isEmpty())
            queries << status;
    }
    const QTime stamp = QTime::currentTime();
    OLOG_DEBUG() << "requestTab" << tab.page << queries;
    emit sigLog(QStringLiteral("--- Update Info. ---@") + stampText(stamp));
    if (ip.isEmpty() || queries.isEmpty())
        return queries;
    // The model's answer loads its catalogue before the other answers come
    // in, so they can be recorded against it.
    if (!m_catalogue->hasRowsForIP(ip))
        queries.prepend(m_catalogue->queryCommandByIP(ip, QStringLiteral("Model Name")));
    const int serial = ++m_batchSerial;
    m_dispatch->batchProgress()->start(queries.size());
    emit sigBatchTitle(tr("Update Info.") + m_tabs->tabText(index));
    // The batch's own session tells when its answers are all in; other
    // batches (another tab, another projector) may end before or after it.
    MyTcpSocket *session = m_dispatch->newSession();
    connect(session, &MyTcpSocket::sigDisconnected, m_dispatch, &CommandDispatch::sigBatchSessionEnded);
    connect(session, &MyTcpSocket::sigDisconnected, this, [this, serial, index, ip] { batchEnded(serial, index, ip); });
    session->setStartTime(stamp);
    session->setCommandList(queries);
    m_dispatch->startSession(session, ip);
    return queries;
}

void ControlPanel::requestTabFor(int index, const QString &ip)
{
    if (ip == m_target)
        requestTab(index);
}

void ControlPanel::batchEnded(int serial, int index, const QString &ip)
{
    if (ip != m_target)
        return;
    fillTab(index, serial);
}

bool ControlPanel::fillComboBox(QComboBox *combo, const QString &op)
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
    return index >= 0;
}

bool ControlPanel::fillSlider(QSlider *slider, const QString &op)
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
    return ok;
}

bool ControlPanel::fillGroupBox(QGroupBox *group, const QString &op)
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
    return index >= 0;
}

void ControlPanel::updateTab(int index)
{
    fillTab(index, -1);
}

void ControlPanel::fillTab(int index, int freshSerial)
{
    const PanelTab tab = PanelTabs::at(index);
    if (!form(index) || (tab.locked && !m_accessGranted))
        return;
    OLOG_DEBUG() << "Update Control Panel..." << tab.caption;
    const QList<QWidget *> widgets = widgetsOf(index);
    for (QWidget *w : widgets) {
        const QString name = w->objectName();
        if (!tab.requests(name))
            continue;
        const QString op = opOf(name);
        if (op.isEmpty())
            continue;
        // A reading asked before the operator's change is older than what
        // the widget shows.
        const auto changed = m_changedAt.constFind(name);
        if (changed != m_changedAt.constEnd()) {
            if (*changed >= freshSerial)
                continue;
            m_changedAt.erase(changed);
        }
        const QSignalBlocker blocker(w);
        bool read = false;
        if (auto *combo = qobject_cast<QComboBox *>(w))
            read = fillComboBox(combo, op);
        else if (auto *slider = qobject_cast<QSlider *>(w))
            read = fillSlider(slider, op);
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            read = fillGroupBox(group, op);
        else if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(valueOf(op));
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(valueOf(op));
        if (read)
            m_readWidgets.insert(name);
        else
            m_readWidgets.remove(name);
    }
    for (QWidget *w : widgets)
        if (qobject_cast<QSlider *>(w))
            showSliderValue(w);
    if (TabControls *controls = m_specials.value(index))
        controls->fill();
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
    const QString entered = QInputDialog::getText(m_dialogParent, tr("Please input a valid passcode to access control"),
                                                  tr("Password"), QLineEdit::Normal, QStringLiteral("****"), &ok);
    if (!ok || entered.isEmpty())
        return m_accessGranted;
    const bool accepted = PasscodeRule::accepts(entered);
    m_accessGranted = accepted;
    QMessageBox box(
        accepted ? QMessageBox::Information : QMessageBox::Critical, accepted ? tr("Passed!") : tr("No Pass!"),
        accepted ? PasscodeRule::passedText(entered) : PasscodeRule::rejectedText(entered), QMessageBox::Ok);
    box.setTextFormat(Qt::RichText);
    box.exec();
    return accepted;
}

void ControlPanel::changed(int index, QWidget *widget)
{
    const QString name = widget->objectName();
    OLOG_TRACE() << "changed" << widget->metaObject()->className() << name;
    if (name.startsWith(QLatin1String("pushbuttonExport")) || name.startsWith(QLatin1String("pushbuttonImport"))) {
        if (PanelTabs::at(index).exportable) {
            if (name.startsWith(QLatin1String("pushbuttonExport")))
                exportSettings(index);
            else
                importSettings(index);
        }
        return;
    }
    TabControls *controls = m_specials.value(index);
    if (controls && controls->handle(widget))
        return;
    const QString ip = m_target;
    QString command;
    if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
        auto *group = qobject_cast<QGroupBox *>(radio->parentWidget());
        if (!group)
            return;
        markChanged(group->objectName());
        const QString op = opOf(group->objectName(), ip);
        const int position = group->findChildren<QRadioButton *>().indexOf(radio);
        if (!op.isEmpty())
            command = QStringLiteral("op %1 = %2").arg(op).arg(position);
        sendTo(ip, command);
        return;
    }
    markChanged(name);
    const QString op = opOf(name, ip);
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
    sendTo(ip, command);
}

void ControlPanel::stepGeometry(QWidget *button)
{
    if (auto *geometry = qobject_cast<GeometryTabControls *>(m_specials.value(PanelTabs::Geometry)))
        geometry->step(button);
}

void ControlPanel::updateLampPixmap()
{
    if (auto *info = qobject_cast<InfoTabControls *>(m_specials.value(PanelTabs::Info)))
        info->checkLamp(m_target);
}

bool ControlPanel::exportToFile(int index, const QString &path, QString *error) const
{
    return m_transfer->exportToFile(index, path, error);
}

void ControlPanel::exportSettings(int index)
{
    m_transfer->exportSettings(index);
}

void ControlPanel::importSettings(int index)
{
    m_transfer->importSettings(index);
}

int ControlPanel::importFromFile(int index, const QString &path, QStringList *report)
{
    return m_transfer->importFromFile(index, path, report);
}
