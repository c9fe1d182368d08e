#pragma once

#include "panel/paneltabs.h"
#include "panel/widgetcommandmap.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QComboBox;
class QGroupBox;
class QSlider;
class QTabWidget;
class QWidget;
class CommandCatalogue;
class CommandDispatch;
class LatestValueResender;
class SettingTransfer;
class TabControls;

// Owner of the control panel: the widget-command map, the ten tab forms, the
// target, the request / refresh cycle, the plain change handler and the
// passcode; each tab's special controls and the setting files have classes of
// their own. It reads the projector's answers from the catalogue (the
// window's answer router records them there) and sends through dispatch.
//
// Where state lives, and for how long:
// - m_target: the projector the panel shows and sends to, until setTarget.
//   Everything deferred carries its own address instead of reading this
//   late; setTarget first lets every tab settle what it holds for the old one.
// - m_batchSerial and each refresh batch: a batch knows its tab and address
//   (captured in the connection to its own session) and lives until that
//   session ends; its end refreshes that tab only, and only for that address.
// - m_changedAt: widgets the operator changed, each with the newest batch
//   serial at the time; such a widget is refilled only by a batch asked after
//   the change. Emptied on a target change.
// - m_readWidgets: value widgets filled from an answer of the current target
//   (what export may write). Emptied on a target change.
// - m_specials: per tab, its special controls and their pending sends
//   (Gain All's trailing value, the colour reset's read-back, the lamp check
//   after Power On), for the run; see TabControls.
// - LatestValueResender: last values of single sends, per address and word,
//   kept for a second; pending ones carry their address.
// - SettingTransfer: export and import; nothing between calls.
class ControlPanel : public QObject
{
    Q_OBJECT
public:
    // Builds the ten forms into the tab pages of tabs (by their object names)
    // without touching the network.
    ControlPanel(QTabWidget *tabs, CommandCatalogue *catalogue, CommandDispatch *dispatch, QObject *parent = nullptr);

    void setTarget(const QString &ip);
    QString target() const { return m_target; }
    void setConfigFolder(const QString &folder) { m_configFolder = folder; }
    QString configFolder() const { return m_configFolder; }
    // Parent of the passcode and file dialogs.
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }
    QWidget *dialogParent() const { return m_dialogParent; }
    // Explains an error code (the error-code dictionary); none: code only.
    void setErrorDecoder(std::function<QString(const QString &)> decoder) { m_errorDecoder = std::move(decoder); }
    // Addresses that speak another protocol (PJLink): the op pages neither
    // read nor send anything to them.
    void setOtherProtocol(std::function<bool(const QString &ip)> speaksOther) { m_speaksOther = std::move(speaksOther); }
    QString decodeError(const QString &code) const;
    void setAlternating(bool alternating) { m_alternating = alternating; }
    bool alternating() const { return m_alternating; }

    const WidgetCommandMap &commandMap() const { return m_map; }
    QWidget *form(int index) const { return m_forms.value(index); }
    bool accessGranted() const { return m_accessGranted; }
    LatestValueResender *resender() const { return m_resender; }
    CommandCatalogue *catalogue() const { return m_catalogue; }
    CommandDispatch *dispatch() const { return m_dispatch; }
    TabControls *specials(int index) const { return m_specials.value(index); }
    // The tab's widgets that have an object name.
    QList<QWidget *> widgetsOf(int index) const;
    // Whether the value widget holds an answer of the current target.
    bool wasRead(const QString &name) const { return m_readWidgets.contains(name); }

    // The op word of a panel widget for the model of ip (the target when
    // omitted); empty when the widget has no command of its own or the model
    // has no such function.
    QString opOf(const QString &objectName) const { return opOf(objectName, m_target); }
    QString opOf(const QString &objectName, const QString &ip) const;
    // The target's last answer for op.
    QString valueOf(const QString &op) const;

    bool canSendTo(const QString &ip) const;
    // One command to ip through the latest-value resender.
    bool sendTo(const QString &ip, const QString &command);
    // Commands to ip in one session without the batch progress.
    void sendListTo(const QString &ip, const QStringList &commands);
    // Commands to ip as one batch under title.
    void startBatch(const QString &ip, const QString &title, const QStringList &commands);
    // The operator (or a control acting for him) set widget name: a refresh
    // asked before now does not overwrite it.
    void markChanged(const QString &name);

    void initTab(int index);
    QStringList requestTab(int index);
    // Asks tab index for ip, if ip is still the target.
    void requestTabFor(int index, const QString &ip);
    void updateTab(int index);
    void changed(int index, QWidget *widget);
    void tabBarClicked(int index);
    bool checkPasscode();
    // Some batch is in: the current tab shows the answers it has; widgets
    // changed since their tab's last reading was asked are left alone.
    void refreshCurrent();
    void showSliderValue(QWidget *slider);
    void stepGeometry(QWidget *button);
    void updateLampPixmap();

    void exportSettings(int index);
    void importSettings(int index);
    // Writes the value widgets of the tab that hold a value read from the
    // projector.
    bool exportToFile(int index, const QString &path, QString *error = nullptr) const;
    // Sends the file's entries that fit a widget of the tab as one batch;
    // the number of commands sent, or -1 when the file cannot be read.
    // Values a widget cannot hold are not sent and are listed in report.
    int importFromFile(int index, const QString &path, QStringList *report = nullptr);

signals:
    void sigTargetChanged(const QString &ip);
    void sigLog(const QString &text);
    void sigStatus(const QString &text);
    void sigBatchTitle(const QString &title);
    // The projector's colours were reset: the status table may want them too.
    void sigStatusRefresh();

private:
    void batchEnded(int serial, int index, const QString &ip);
    void fillTab(int index, int freshSerial);
    bool fillComboBox(QComboBox *combo, const QString &op);
    bool fillSlider(QSlider *slider, const QString &op);
    bool fillGroupBox(QGroupBox *group, const QString &op);

    QTabWidget *m_tabs;
    CommandCatalogue *m_catalogue;
    CommandDispatch *m_dispatch;
    WidgetCommandMap m_map;
    LatestValueResender *m_resender;
    QVector<QWidget *> m_forms;
    QVector<QWidget *> m_contents;
    QVector<bool> m_connected;
    QVector<TabControls *> m_specials;
    SettingTransfer *m_transfer;
    bool m_accessGranted = false;
    bool m_alternating = false;
    QString m_target;
    QString m_configFolder;
    QPointer<QWidget> m_dialogParent;
    std::function<QString(const QString &)> m_errorDecoder;
    std::function<bool(const QString &)> m_speaksOther;
    int m_batchSerial = 0;
    QHash<QString, int> m_changedAt;
    QSet<QString> m_readWidgets;
};
