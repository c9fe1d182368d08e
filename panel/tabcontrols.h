#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

class ControlPanel;

// The special controls of one control-panel tab: what its widgets do beyond
// "send my value". Each tab that has such controls keeps them, and the sends
// it defers, in a subclass of its own; the panel asks it first on every
// change and after every refresh of its tab.
class TabControls : public QObject
{
    Q_OBJECT
public:
    TabControls(ControlPanel *panel, int tab);

    int tab() const { return m_tab; }
    // True when widget was taken care of here; the panel then sends nothing.
    virtual bool handle(QWidget *widget);
    // After the tab was filled from the catalogue.
    virtual void fill();
    // The panel's target moves away from oldIp: whatever is pending for oldIp
    // goes to oldIp now or is dropped, never to the new target.
    virtual void targetLeaving(const QString &oldIp);

protected:
    template <typename T> T *find(const QString &name) const;
    // Enables a custom light-power slider only while its mode says "Custom".
    void applyCustomPowerRule(const QString &suffix);

    ControlPanel *m_panel;
    int m_tab;
};

#include "panel/controlpanel.h"

template <typename T> T *TabControls::find(const QString &name) const
{
    QWidget *f = m_panel->form(m_tab);
    return f ? f->findChild<T *>(name) : nullptr;
}
