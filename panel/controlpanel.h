#pragma once

#include "panel/paneltabs.h"
#include "panel/widgetcommandmap.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QComboBox;
class QGroupBox;
class QSlider;
class QTabWidget;
class QTimer;
class QWidget;
class CommandCatalogue;
class CommandDispatch;
class LatestValueResender;

// Owner of the control panel: the widget-command map, the ten tab forms, the
// request / refresh cycle, the change handlers, the passcode and the setting
// files. It reads the projector's answers from the catalogue (the window's
// answer router records them there) and sends through dispatch.
class ControlPanel : public QObject
{
    Q_OBJECT
public:
    // Builds the ten forms into the tab pages of tabs (by their object names)
    // without touching the network.
    ControlPanel(QTabWidget *tabs, CommandCatalogue *catalogue, CommandDispatch *dispatch, QObject *parent = nullptr);

    void setTarget(const QString &ip)
    {
        m_target = ip;
        emit sigTargetChanged(ip);
    }
    QString target() const { return m_target; }
    void setConfigFolder(const QString &folder) { m_configFolder = folder; }
    // Parent of the passcode and file dialogs.
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }
    // Explains an error code (the error-code dictionary); none: code only.
    void setErrorDecoder(std::function<QString(const QString &)> decoder) { m_errorDecoder = std::move(decoder); }
    void setAlternating(bool alternating) { m_alternating = alternating; }

    const WidgetCommandMap &commandMap() const { return m_map; }
    QWidget *form(int index) const { return m_forms.value(index); }
    bool accessGranted() const { return m_accessGranted; }
    LatestValueResender *resender() const { return m_resender; }

    // The op word of a panel widget for the target's model; empty when the
    // widget has no command of its own or the model has no such function.
    QString opOf(const QString &objectName) const;

    void initTab(int index);
    QStringList requestTab(int index);
    void updateTab(int index);
    void changed(int index, QWidget *widget);
    void tabBarClicked(int index);
    bool checkPasscode();
    // The batch is in: the current tab shows the answers.
    void refreshCurrent();
    void showSliderValue(QWidget *slider);
    void stepGeometry(QWidget *button);
    void updateLampPixmap();

    void exportSettings(int index);
    void importSettings(int index);
    bool exportToFile(int index, const QString &path, QString *error = nullptr) const;
    // Sends the valid lines of the file as one batch; the number of commands
    // sent, or -1 when the file cannot be read.
    int importFromFile(int index, const QString &path);

signals:
    void sigTargetChanged(const QString &ip);
    void sigLog(const QString &text);
    void sigStatus(const QString &text);
    void sigBatchTitle(const QString &title);
    // The projector's colours were reset: the status table may want them too.
    void sigStatusRefresh();

private:
    QList<QWidget *> namedWidgets(int index) const;
    template <typename T> T *find(int index, const QString &name) const;
    bool canSend() const;
    bool send(const QString &command);
    void startBatch(const QString &title, const QStringList &commands);

    void fillComboBox(QComboBox *combo, const QString &op);
    void fillSlider(QSlider *slider, const QString &op);
    void fillGroupBox(QGroupBox *group, const QString &op);
    QString valueOf(const QString &op) const;
    void fillSpecials(int index);

    bool handleSpecial(int index, QWidget *widget);
    void powerButton(bool on);
    void showLamp(int state);
    void applyPipRule();
    void applyCustomPowerRule(int index);
    void lensMemory(const QString &button);
    void gainAll(int value);
    void sendGainAll();
    void geometryReset(const QString &button);
    void showErrorCode();

    QTabWidget *m_tabs;
    CommandCatalogue *m_catalogue;
    CommandDispatch *m_dispatch;
    WidgetCommandMap m_map;
    LatestValueResender *m_resender;
    QVector<QWidget *> m_forms;
    QVector<QWidget *> m_contents;
    QVector<bool> m_connected;
    bool m_accessGranted = false;
    bool m_alternating = false;
    QString m_target;
    QString m_configFolder;
    QPointer<QWidget> m_dialogParent;
    std::function<QString(const QString &)> m_errorDecoder;
    QTimer *m_gainAllTimer;
    int m_gainAllValue = 0;
    bool m_gainAllPending = false;
    bool m_batchOpen = false;
    bool m_changedDuringBatch = false;
};
