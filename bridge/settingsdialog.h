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
class QMessageBox;

class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // Lists the ports at once but reports none missing: a box shown here
    // would come up before the bridge's window is built.
    explicit SettingsDialog(QWidget *parent = nullptr, const QString &iniPath = BrivoxIni::defaultPath());
    ~SettingsDialog() override;

    SerialSettings settings() const { return m_currentSettings; }
    bool portsAvailable() const { return m_portsAvailable; }
    QString iniPath() const { return m_ini.path(); }

    void listPortParameters();
    // Lists the ports and reports it when there is none.
    void listSerialPorts();
    // The "Serial Port Not Available" box, when no port was found. It does not
    // wait for OK: the bridge goes on answering meanwhile.
    void reportMissingPorts();
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
    void fillPortList();

    Ui::SettingsDialog *ui;
    BrivoxIni m_ini;
    SerialSettings m_currentSettings;
    bool m_portsAvailable = false;
    QMessageBox *m_missingPortsBox = nullptr;
};
