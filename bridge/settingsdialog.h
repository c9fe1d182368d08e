#pragma once

#include "bridge/brivoxini.h"
#include "bridge/serialsettings.h"

#include <QDialog>

namespace Ui {
class SettingsDialog;
}

// Serial port choice and line parameters. The choice reaches the port only
// through "Brivox.ini": Apply writes the file and the main window reads it
// again when it reopens the port.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // Lists the ports at once, so the "Serial Port Not Available" box may
    // appear while the bridge starts.
    explicit SettingsDialog(QWidget *parent = nullptr, const QString &iniPath = BrivoxIni::defaultPath());
    ~SettingsDialog() override;

    SerialSettings settings() const { return m_currentSettings; }
    bool portsAvailable() const { return m_portsAvailable; }
    QString iniPath() const { return m_ini.path(); }

    void listPortParameters();
    void listSerialPorts();
    void readINI();
    // False, with a message box, when the file could not be written; the
    // previous file is then left as it was.
    bool saveINI();

signals:
    void sigSettingChange();

public slots:
    void apply();
    void showPortInfo(int index);

private:
    Ui::SettingsDialog *ui;
    BrivoxIni m_ini;
    SerialSettings m_currentSettings;
    bool m_portsAvailable = false;
};
