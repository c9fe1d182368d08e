#pragma once

#include "monitor/history/alertsini.h"

#include <QDialog>

class AlertCenter;

namespace Ui {
class DialogAlerts;
}

// Config's page for history and alerts: groups [History] and [Alerts] of
// Orvanto.ini. "Send test message" tries the mail settings as they stand in
// the form, without saving them.
class DialogAlerts : public QDialog
{
    Q_OBJECT

public:
    DialogAlerts(const QString &iniPath, QWidget *parent = nullptr);
    ~DialogAlerts() override;

    AlertsIni formValues() const;
    void setFormValues(const AlertsIni &values);
    bool apply();
    void sendTestMessage();

private:
    Ui::DialogAlerts *ui;
    QString m_iniPath;
    AlertCenter *m_tester;
};
