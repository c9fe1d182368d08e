#include "monitor/dialogalerts.h"
#include "ui_dialogalerts.h"

#include "app/orvlog/OrvLog.h"
#include "monitor/history/alertcenter.h"

#include <QMessageBox>

DialogAlerts::DialogAlerts(const QString &iniPath, QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogAlerts), m_iniPath(iniPath), m_tester(new AlertCenter(this))
{
    ui->setupUi(this);
    ui->comboBoxSmtpSecurity->addItem(tr("None"), MailSettings::securityKey(MailSettings::Security::None));
    ui->comboBoxSmtpSecurity->addItem(tr("STARTTLS"), MailSettings::securityKey(MailSettings::Security::StartTls));
    ui->comboBoxSmtpSecurity->addItem(tr("TLS"), MailSettings::securityKey(MailSettings::Security::Tls));
    setFormValues(AlertsIni::read(iniPath));
    connect(ui->pushButtonApply, &QPushButton::clicked, this, [this] {
        if (apply())
            close();
    });
    connect(ui->pushButtonClose, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->pushButtonTestMail, &QPushButton::clicked, this, &DialogAlerts::sendTestMessage);
    connect(m_tester, &AlertCenter::sigTestResult, this, [this](bool ok, const QString &text) {
        ui->pushButtonTestMail->setEnabled(true);
        ui->labelTestResult->setText(text);
        ui->labelTestResult->setStyleSheet(ok ? QString() : QStringLiteral("color:#d04000"));
    });
}

DialogAlerts::~DialogAlerts()
{
    delete ui;
}

void DialogAlerts::setFormValues(const AlertsIni &values)
{
    ui->checkBoxHistoryEnabled->setChecked(values.historyEnabled);
    ui->spinBoxRetentionDays->setValue(values.retentionDays);
    ui->checkBoxOnError->setChecked(values.alerts.onError);
    ui->lineEditErrorCategories->setText(values.alerts.errorCategories.join(QStringLiteral(", ")));
    ui->spinBoxLampPercent->setValue(values.alerts.lampPercent);
    ui->spinBoxUnreachableMinutes->setValue(values.alerts.unreachableMinutes);
    ui->spinBoxMaxPerHour->setValue(values.alerts.maxPerHour);
    ui->lineEditSmtpHost->setText(values.mail.host);
    ui->spinBoxSmtpPort->setValue(values.mail.port);
    ui->comboBoxSmtpSecurity->setCurrentIndex(
        ui->comboBoxSmtpSecurity->findData(MailSettings::securityKey(values.mail.security)));
    ui->lineEditSmtpUser->setText(values.mail.user);
    ui->lineEditSmtpPassword->setText(values.mail.password);
    ui->lineEditMailFrom->setText(values.mail.from);
    ui->lineEditMailTo->setText(values.mail.to.join(QStringLiteral(", ")));
}

AlertsIni DialogAlerts::formValues() const
{
    AlertsIni values;
    values.historyEnabled = ui->checkBoxHistoryEnabled->isChecked();
    values.retentionDays = ui->spinBoxRetentionDays->value();
    values.alerts.onError = ui->checkBoxOnError->isChecked();
    values.alerts.errorCategories = MailSettings::splitRecipients(ui->lineEditErrorCategories->text());
    values.alerts.lampPercent = ui->spinBoxLampPercent->value();
    values.alerts.unreachableMinutes = ui->spinBoxUnreachableMinutes->value();
    values.alerts.maxPerHour = ui->spinBoxMaxPerHour->value();
    values.mail.host = ui->lineEditSmtpHost->text().trimmed();
    values.mail.port = ui->spinBoxSmtpPort->value();
    MailSettings::securityFromKey(ui->comboBoxSmtpSecurity->currentData().toString(), &values.mail.security);
    values.mail.user = ui->lineEditSmtpUser->text();
    values.mail.password = ui->lineEditSmtpPassword->text();
    values.mail.from = ui->lineEditMailFrom->text().trimmed();
    values.mail.to = MailSettings::splitRecipients(ui->lineEditMailTo->text());
    return values;
}

bool DialogAlerts::apply()
{
    QString error;
    if (formValues().write(m_iniPath, &error))
        return true;
    OLOG_ERROR() << "Alerts settings not saved:" << error;
    QMessageBox::warning(this, tr("Warning!"), tr("Settings could not be saved!") + QLatin1Char('\n') + error);
    return false;
}

void DialogAlerts::sendTestMessage()
{
    ui->pushButtonTestMail->setEnabled(false);
    ui->labelTestResult->setStyleSheet(QString());
    ui->labelTestResult->setText(tr("Sending…"));
    m_tester->sendTestMessage(formValues().mail);
}
