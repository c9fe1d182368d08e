#include "app/_dialogconfig.h"
#include "ui__dialogconfig.h"

#include "app/appfolders.h"
#include "app/appsettings.h"
#include "app/orvlog/OrvLog.h"
#include "app/settingsreader.h"
#include "app/settingsrules.h"
#include "app/settingswriter.h"
#include "monitor/dialogalerts.h"
#include "net/netlocalinfo.h"

#include <QAction>
#include <QCompleter>
#include <QIntValidator>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

DialogConfig::DialogConfig(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogConfig), m_iniPath(SettingsReader::configIniPath(AppFolders::configFolder()))
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->frameButton->setStyleSheet(
        QStringLiteral("QPushButton{border:2px solid gray;border-radius:8px}QPushButton:hover{background-color:teal}"));
    ui->labelProblem->hide();
    ui->lineEdit_IpTotal->setValidator(new QIntValidator(1, SettingsRules::MaxIpTotal, ui->lineEdit_IpTotal));
    offerChoices(ui->lineEdit_Style, SettingsRules::looks());
    offerChoices(ui->lineEdit_Language, SettingsRules::languages(AppFolders::programFolder()));
    m_scriptLimit = new QSpinBox(this);
    m_scriptLimit->setObjectName(QStringLiteral("spinBox_ScriptLimit"));
    m_scriptLimit->setRange(1, SettingsRules::MaxScriptLimitMinutes);
    ui->formLayout->insertRow(ui->formLayout->rowCount() - 1, tr("Script Time Limit (minutes)"), m_scriptLimit);
    readINI();
    // History and alerts have a page of their own in the same file.
    auto *alerts = new QPushButton(tr("Alerts and History…"), ui->frameButton);
    alerts->setObjectName(QStringLiteral("pushButtonAlerts"));
    ui->horizontalLayoutButtons->insertWidget(0, alerts);
    connect(alerts, &QPushButton::clicked, this, [this] {
        auto *page = new DialogAlerts(m_iniPath, this);
        page->setAttribute(Qt::WA_DeleteOnClose);
        page->open();
    });
}

void DialogConfig::offerChoices(QLineEdit *edit, const QStringList &choices)
{
    // The field stays free text (a language without translation is allowed);
    // the arrow lists what this installation has.
    auto *completer = new QCompleter(choices, edit);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    edit->setCompleter(completer);
    QAction *list = edit->addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    list->setObjectName(edit->objectName() + QStringLiteral("_choices"));
    list->setToolTip(tr("Choices"));
    connect(list, &QAction::triggered, completer, [completer] {
        completer->setCompletionPrefix(QString());
        completer->complete();
    });
}

bool DialogConfig::validate()
{
    const SettingsRules::Problem problem = SettingsRules::firstProblem(formValues());
    ui->labelProblem->setTextFormat(Qt::PlainText);
    ui->labelProblem->setText(problem.text);
    ui->labelProblem->setVisible(!problem.field.isEmpty());
    if (problem.field.isEmpty())
        return true;
    if (auto *field = findChild<QLineEdit *>(problem.field)) {
        field->setFocus();
        field->selectAll();
    }
    return false;
}

DialogConfig::~DialogConfig()
{
    delete ui;
}

QStringList DialogConfig::getLocalIPs()
{
    return NetLocalInfo::configDialogAddresses();
}

void DialogConfig::readINI()
{
    const ConfigFormValues values = SettingsReader::readForDialog(m_iniPath);
    m_localIP = values.localIP;
    ui->comboBoxLocalIP->addItems(getLocalIPs());
    // Start on the configured address so that Apply does not quietly move
    // discovery to another interface.
    const int configured = ui->comboBoxLocalIP->findText(m_localIP);
    if (configured >= 0)
        ui->comboBoxLocalIP->setCurrentIndex(configured);

    ui->lineEdit_IpTotal->setText(values.ipTotal);
    ui->lineEdit_TcpPort->setText(values.tcpPort);
    ui->lineEdit_UdpPortRX->setText(values.udpPortRx);
    ui->lineEdit_UdpPortTX->setText(values.udpPortTx);
    ui->lineEdit_Language->setText(values.language);
    ui->lineEdit_Style->setText(values.style);
    ui->lineEdit_CmdFile->setText(values.cmdFile);
    ui->lineEdit_StatusPoll->setText(values.statusPoll);
    m_scriptLimitRead = values.scriptLimit;
    m_scriptLimit->setValue(SettingsRules::isScriptLimit(values.scriptLimit) ? values.scriptLimit.toInt()
                                                                              : AppSettings().scriptLimit);
    ui->lineEdit_PJLinkPassword->setText(values.pjlinkPassword);
    ui->lineEdit_LogFilesLocation->setText(AppFolders::userDataFolder());
}

ConfigFormValues DialogConfig::formValues() const
{
    ConfigFormValues values;
    values.localIP = ui->comboBoxLocalIP->count() > 0 ? ui->comboBoxLocalIP->currentText() : m_localIP;
    values.ipTotal = ui->lineEdit_IpTotal->text();
    values.tcpPort = ui->lineEdit_TcpPort->text();
    values.udpPortRx = ui->lineEdit_UdpPortRX->text();
    values.udpPortTx = ui->lineEdit_UdpPortTX->text();
    values.language = ui->lineEdit_Language->text();
    values.style = ui->lineEdit_Style->text();
    values.cmdFile = ui->lineEdit_CmdFile->text();
    values.statusPoll = ui->lineEdit_StatusPoll->text();
    if (!m_scriptLimitRead.isEmpty() || m_scriptLimit->value() != AppSettings().scriptLimit)
        values.scriptLimit = QString::number(m_scriptLimit->value());
    values.pjlinkPassword = ui->lineEdit_PJLinkPassword->text();
    return values;
}

bool DialogConfig::saveINI()
{
    OLOG_DEBUG() << "_dialogconfig"
                 << "saveINI" << m_iniPath;
    QString error;
    if (SettingsWriter::saveDialogValues(m_iniPath, formValues(), &error))
        return true;
    OLOG_ERROR() << "Config save FAIL!" << error;
    QMessageBox box(QMessageBox::Warning, tr("Warning!"), tr("Settings could not be saved!") + QLatin1Char('\n') + error,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

void DialogConfig::on_pushButtonApply_clicked()
{
    // On failure the dialog stays open with the operator's edits.
    if (validate() && saveINI())
        close();
}

void DialogConfig::on_pushButtonClose_clicked()
{
    close();
}
