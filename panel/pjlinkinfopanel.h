#pragma once

#include "panel/pjlinkpanelstate.h"

#include <QObject>
#include <QPointer>
#include <QVector>

class PJLinkMonitor;
class PJLinkReply;
class QComboBox;
class QLabel;
class QTabWidget;
class QWidget;

// The control panel for a PJLink target. Its forms speak op, so while the
// target is a PJLink projector each tab page is covered: the Info page by
// what PJLink controls (power, input, AV mute, freeze, volume, lamp and
// filter hours), every other page by a plain note that this projector does
// not offer it. An op target gets the forms back untouched.
class PJLinkInfoPanel : public QObject
{
    Q_OBJECT
public:
    PJLinkInfoPanel(QTabWidget *tabs, PJLinkMonitor *monitor, QObject *parent = nullptr);

    void setTarget(const QString &ip);
    bool isShown() const { return m_shown; }
    const PJLinkPanelState &state() const { return m_state; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildInfo(QWidget *page);
    void cover(bool shown);
    void send(const QString &line);
    void refresh();
    void onAnswer(const QString &ip, const QString &request, const PJLinkReply &reply);
    void showState();

    QTabWidget *m_tabs;
    PJLinkMonitor *m_monitor;
    QString m_target;
    bool m_shown = false;
    PJLinkPanelState m_state;
    QVector<QPointer<QWidget>> m_covers;
    QLabel *m_power = nullptr;
    QComboBox *m_input = nullptr;
    QLabel *m_mute = nullptr;
    QLabel *m_freeze = nullptr;
    QLabel *m_lamp = nullptr;
    QLabel *m_filter = nullptr;
    QVector<QWidget *> m_class2;
};
