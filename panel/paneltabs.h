#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// What the ten control-panel tabs differ in: their page, caption, icon,
// lock, the name prefixes they query and the widget kinds they act on.
struct PanelTab
{
    enum Kind
    {
        ComboBoxes = 1,
        Sliders = 2,
        PushButtons = 4,
        RadioButtons = 8,
        LineEdits = 16
    };

    int index = 0;
    QString page;       // object name of the tab page in the main window
    QString caption;    // translated
    int iconCode = 0;   // 0 B, 1 M, 2 Y, 3 R
    bool locked = false;
    QStringList requestPrefixes;
    int kinds = 0;
    bool exportable = false;

    QString iconPath() const;
    bool requests(const QString &objectName) const;
};

class PanelTabs
{
    Q_DECLARE_TR_FUNCTIONS(PanelTabs)
public:
    enum Index
    {
        Info,
        Input,
        Picture,
        ThreeD,
        Control,
        Install,
        Lens,
        EdgeBlend,
        Geometry,
        Service,
        Count
    };
    static const QVector<PanelTab> &all();
    static PanelTab at(int index);
    // Names of the setting files each exportable tab offers by default.
    static QString defaultSettingFile(int index);
};
