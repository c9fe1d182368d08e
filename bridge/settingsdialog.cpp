#include "bridge/settingsdialog.h"

#include "bridge/serialparameterlists.h"
#include "bridge/serialportlister.h"
#include "ui_settingsdialog.h"

#include <QDebug>
#include <QFileInfo>
#include <QMessageBox>

// The icons live in a static library: they must be registered by hand.
static void initBrivoxResources()
{
    Q_INIT_RESOURCE(brivox);
}

namespace {

void fillBox(QComboBox *box, const SerialParameterLists::List &list)
{
    box->clear();
    for (const SerialParameterLists::Entry &entry : list)
        box->addItem(entry.text, entry.value);
}

// Selects the entry whose text equals text regardless of case (none if no
// entry does) and gives the number the port is to use.
int selectAndResolve(QComboBox *box, const SerialParameterLists::List &list, const QString &text)
{
    box->setCurrentIndex(SerialParameterLists::indexOf(list, text));
    return SerialParameterLists::valueFor(list, text);
}

// An empty selection keeps what the file held, so that saving does not wipe
// a port name merely because that port is unplugged right now.
QString chosenText(const QComboBox *box, const QString &stored)
{
    return box->currentIndex() >= 0 ? box->currentText() : stored;
}

} // namespace

SettingsDialog::SettingsDialog(QWidget *parent, const QString &iniPath)
    : QDialog(parent), ui(new Ui::SettingsDialog), m_ini(iniPath),
      m_currentSettings(BrivoxIni::toSettings(BrivoxIni::Values()))
{
    initBrivoxResources();
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/images/serialport.png")));
    connect(ui->applyButton, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(ui->serialPortInfoListBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::showPortInfo);
    listPortParameters();
    fillPortList();
    // Show a stored choice from the start: otherwise an Apply made before the
    // port was first opened would overwrite the file with the form's defaults.
    if (QFileInfo::exists(m_ini.path()))
        readINI();
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::listPortParameters()
{
    fillBox(ui->baudRateBox, SerialParameterLists::baudRates());
    ui->baudRateBox->setCurrentIndex(SerialParameterLists::DefaultBaudRateIndex);
    fillBox(ui->dataBitsBox, SerialParameterLists::dataBits());
    ui->dataBitsBox->setCurrentIndex(SerialParameterLists::DefaultDataBitsIndex);
    fillBox(ui->parityBox, SerialParameterLists::parities());
    fillBox(ui->stopBitsBox, SerialParameterLists::stopBits());
    fillBox(ui->flowControlBox, SerialParameterLists::flowControls());
}

void SettingsDialog::listSerialPorts()
{
    fillPortList();
    reportMissingPorts();
}

void SettingsDialog::reportMissingPorts()
{
    if (m_portsAvailable)
        return;
    if (!m_missingPortsBox) {
        m_missingPortsBox = new QMessageBox(QMessageBox::Critical, tr("Serial Port Not Available"),
                                            tr("Connect USB/Serial cable and restart program!"), QMessageBox::Ok,
                                            this);
        m_missingPortsBox->setWindowModality(Qt::ApplicationModal);
    }
    m_missingPortsBox->show();
}

void SettingsDialog::fillPortList()
{
    ui->serialPortInfoListBox->clear();
    const QList<SerialPortLister::Port> ports = SerialPortLister::availablePorts();
    for (const SerialPortLister::Port &port : ports) {
        const QStringList info = SerialPortLister::infoList(port);
        qDebug("settingsdialog %s MFG: %s, %d", __func__, qUtf8Printable(port.manufacturer),
               port.manufacturer.compare(QLatin1String("FTDI")));
        ui->serialPortInfoListBox->addItem(info.first(), info);
    }
    m_portsAvailable = !ports.isEmpty();
}

void SettingsDialog::showPortInfo(int index)
{
    if (index < 0)
        return;
    const QStringList list = ui->serialPortInfoListBox->itemData(index).toStringList();
    const QString blank = tr("N/A");
    auto item = [&list, &blank](int i) { return i < list.size() ? list.at(i) : blank; };
    ui->descriptionLabel->setText(tr("Description: %1").arg(item(1)));
    ui->manufacturerLabel->setText(tr("Manufacturer: %1").arg(item(2)));
    ui->serialNumberLabel->setText(tr("Serial number: %1").arg(item(3)));
    ui->locationLabel->setText(tr("Location: %1").arg(item(4)));
    ui->vidLabel->setText(tr("Vendor Identifier: %1").arg(item(5)));
    ui->pidLabel->setText(tr("Product Identifier: %1").arg(item(6)));
}

void SettingsDialog::readINI()
{
    qDebug() << "settingsdialog" << __func__ << "readINI" << m_ini.path();
    const BrivoxIni::Values values = m_ini.read();

    m_currentSettings = BrivoxIni::toSettings(values);
    // Nothing stored yet (the first start): the defaults ("Com3", "N") name
    // no entry here, so offer the first port found and no parity instead of
    // blanks, and the first Apply stores a usable choice.
    const int port = ui->serialPortInfoListBox->findText(values.port, Qt::MatchFixedString);
    ui->serialPortInfoListBox->setCurrentIndex(port < 0 && !values.portStored && m_portsAvailable ? 0 : port);
    selectAndResolve(ui->baudRateBox, SerialParameterLists::baudRates(), values.baudRate);
    selectAndResolve(ui->dataBitsBox, SerialParameterLists::dataBits(), values.dataBits);
    selectAndResolve(ui->parityBox, SerialParameterLists::parities(), values.parity);
    if (ui->parityBox->currentIndex() < 0 && !values.parityStored)
        ui->parityBox->setCurrentIndex(0);
    selectAndResolve(ui->stopBitsBox, SerialParameterLists::stopBits(), values.stopBits);
    selectAndResolve(ui->flowControlBox, SerialParameterLists::flowControls(), values.flowControl);
    ui->localEchoCheckBox->setChecked(values.localEcho);
    qDebug() << "settingsdialog" << __func__ << (values.localEcho ? "true" : "false");
}

bool SettingsDialog::saveINI()
{
    qDebug() << "settingsdialog" << __func__ << "saveINI" << m_ini.path();
    BrivoxIni::Values values;
    values.port = chosenText(ui->serialPortInfoListBox, m_currentSettings.name);
    values.baudRate = chosenText(ui->baudRateBox, m_currentSettings.stringBaudRate);
    values.dataBits = chosenText(ui->dataBitsBox, m_currentSettings.stringDataBits);
    values.parity = chosenText(ui->parityBox, m_currentSettings.stringParity);
    values.stopBits = chosenText(ui->stopBitsBox, m_currentSettings.stringStopBits);
    values.flowControl = chosenText(ui->flowControlBox, m_currentSettings.stringFlowControl);
    values.localEcho = ui->localEchoCheckBox->isChecked();
    QString reason;
    if (m_ini.write(values, &reason))
        return true;
    qDebug() << "settingsdialog" << __func__ << "failed:" << reason;
    QMessageBox::critical(this, tr("Error"), tr("Settings not saved to %1: %2").arg(m_ini.path(), reason));
    return false;
}

void SettingsDialog::apply()
{
    // A failed save leaves the dialog open: reopening the port now would
    // silently fall back to the old parameters.
    if (!saveINI())
        return;
    hide();
    emit sigSettingChange();
}
