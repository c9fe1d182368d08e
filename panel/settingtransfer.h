#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ControlPanel;

// Export and import of a tab's combo boxes and sliders as a setting file.
// Holds nothing between calls: what was read from the projector, and the
// target, are the panel's.
class SettingTransfer : public QObject
{
    Q_OBJECT
public:
    explicit SettingTransfer(ControlPanel *panel);

    // Asks for a file name, then writes or reads it.
    void exportSettings(int index);
    void importSettings(int index);
    bool exportToFile(int index, const QString &path, QString *error = nullptr) const;
    int importFromFile(int index, const QString &path, QStringList *report = nullptr);

private:
    ControlPanel *m_panel;
};
