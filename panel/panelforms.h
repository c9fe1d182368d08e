#pragma once

class QWidget;

// The Designer form of each control-panel tab.
class PanelForms
{
public:
    // A new widget holding the form of tab index (see PanelTabs), or nullptr.
    static QWidget *create(int index, QWidget *parent);
};
