// The serial settings dialog: its lists, the port details and the way it
// reads and writes "Brivox.ini".
#include "bridge/settingsdialog.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>

#include <memory>

namespace {
QStringList itemTexts(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QList<int> itemValues(const QComboBox *box)
{
    QList<int> out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemData(i).toInt();
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void formAndLists();
    void portsAndTheirDetails();
    void noPortAtAll();
    void readWithoutFile();
    void readMatchesRegardlessOfCase();
    void applyWritesFileAndSignals();
    void applyKeepsUnlistedPortName();
    void failedSaveKeepsDialogOpen();

private:
    QComboBox *box(const char *name) { return dialog->findChild<QComboBox *>(QLatin1String(name)); }
    QString label(const char *name) { return dialog->findChild<QLabel *>(QLatin1String(name))->text(); }

    ModalCloser *closer = nullptr;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<SettingsDialog> dialog;
    QString iniPath;
};

void TestSettingsDialog::initTestCase()
{
    closer = new ModalCloser(this);
}

void TestSettingsDialog::init()
{
    dialog.reset();
    closer->clear();
    dir = std::make_unique<QTemporaryDir>();
    iniPath = dir->filePath(QStringLiteral("Brivox.ini"));
    qputenv("BRIVOX_SERIAL_PORTS", "COM7:COM8");
    dialog = std::make_unique<SettingsDialog>(nullptr, iniPath);
}

void TestSettingsDialog::formAndLists()
{
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Settings"));
    QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!dialog->windowIcon().pixmap(16).isNull());
    QCOMPARE(dialog->iniPath(), iniPath);

    QCOMPARE(itemTexts(box("baudRateBox")), (QStringList{"9600", "19200", "38400", "115200"}));
    QCOMPARE(itemValues(box("baudRateBox")), (QList<int>{9600, 19200, 38400, 115200}));
    QCOMPARE(box("baudRateBox")->currentText(), QStringLiteral("115200"));
    QCOMPARE(itemTexts(box("dataBitsBox")), (QStringList{"5", "6", "7", "8"}));
    QCOMPARE(box("dataBitsBox")->currentText(), QStringLiteral("8"));
    QCOMPARE(itemTexts(box("parityBox")), (QStringList{"None", "Even", "Odd", "Mark", "Space"}));
    QCOMPARE(itemValues(box("parityBox")), (QList<int>{0, 2, 3, 5, 4}));
    QCOMPARE(box("parityBox")->currentIndex(), 0);
    QCOMPARE(itemTexts(box("stopBitsBox")), (QStringList{"1", "1.5", "2"}));
    QCOMPARE(itemValues(box("stopBitsBox")), (QList<int>{1, 3, 2}));
    QCOMPARE(box("stopBitsBox")->currentIndex(), 0);
    QCOMPARE(itemTexts(box("flowControlBox")), (QStringList{"None", "RTS/CTS", "XON/XOFF"}));
    QCOMPARE(itemValues(box("flowControlBox")), (QList<int>{0, 1, 2}));
    QCOMPARE(box("flowControlBox")->currentIndex(), 0);
    QVERIFY(dialog->findChild<QCheckBox *>(QStringLiteral("localEchoCheckBox")));
    QCOMPARE(dialog->findChild<QPushButton *>(QStringLiteral("applyButton"))->text(), QStringLiteral("Apply"));
}

void TestSettingsDialog::portsAndTheirDetails()
{
    QVERIFY(dialog->portsAvailable());
    QVERIFY(closer->titles().isEmpty());
    QComboBox *ports = box("serialPortInfoListBox");
    QCOMPARE(itemTexts(ports), (QStringList{"COM7", "COM8"}));
    QCOMPARE(ports->itemData(1).toStringList(),
             (QStringList{"COM8", "Pseudo terminal", "N/A", "N/A", "COM8", "N/A", "N/A"}));
    ports->setCurrentIndex(1);
    QCOMPARE(label("descriptionLabel"), QStringLiteral("Description: Pseudo terminal"));
    QCOMPARE(label("manufacturerLabel"), QStringLiteral("Manufacturer: N/A"));
    QCOMPARE(label("serialNumberLabel"), QStringLiteral("Serial number: N/A"));
    QCOMPARE(label("locationLabel"), QStringLiteral("Location: COM8"));
    QCOMPARE(label("vidLabel"), QStringLiteral("Vendor Identifier: N/A"));
    QCOMPARE(label("pidLabel"), QStringLiteral("Product Identifier: N/A"));
    ports->setCurrentIndex(0);
    QCOMPARE(label("locationLabel"), QStringLiteral("Location: COM7"));
    dialog->showPortInfo(-1);
    QCOMPARE(label("locationLabel"), QStringLiteral("Location: COM7"));
}

void TestSettingsDialog::noPortAtAll()
{
    dialog.reset();
    qputenv("BRIVOX_SERIAL_PORTS", "");
    dialog = std::make_unique<SettingsDialog>(nullptr, iniPath);
    QVERIFY(!dialog->portsAvailable());
    QCOMPARE(closer->titles(), QStringList{QStringLiteral("Serial Port Not Available")});
    QCOMPARE(closer->texts(), QStringList{QStringLiteral("Connect USB/Serial cable and restart program!")});
    QCOMPARE(box("serialPortInfoListBox")->count(), 0);

    // Listing again finds a port plugged in meanwhile.
    qputenv("BRIVOX_SERIAL_PORTS", "COM9");
    dialog->listSerialPorts();
    QVERIFY(dialog->portsAvailable());
    QCOMPARE(closer->titles().size(), 1);
}

void TestSettingsDialog::readWithoutFile()
{
    dialog->readINI();
    const SerialSettings s = dialog->settings();
    QCOMPARE(s.name, QStringLiteral("Com3"));
    QCOMPARE(box("serialPortInfoListBox")->currentIndex(), -1);
    QCOMPARE(box("baudRateBox")->currentText(), QStringLiteral("9600"));
    QCOMPARE(s.baudRate, 9600);
    QCOMPARE(box("dataBitsBox")->currentText(), QStringLiteral("8"));
    QCOMPARE(box("parityBox")->currentIndex(), -1);
    QCOMPARE(s.parity, int(QSerialPort::NoParity));
    QCOMPARE(s.stringParity, QStringLiteral("N"));
    QCOMPARE(box("stopBitsBox")->currentText(), QStringLiteral("1"));
    QCOMPARE(box("flowControlBox")->currentText(), QStringLiteral("None"));
    QVERIFY(dialog->findChild<QCheckBox *>(QStringLiteral("localEchoCheckBox"))->isChecked());
    QVERIFY(!QFile::exists(iniPath));
}

void TestSettingsDialog::readMatchesRegardlessOfCase()
{
    QVERIFY(writeFile(iniPath, "[Default]\nPort=com8\nBaudRate=38400\nDataBits=7\nParity=odd\nStopBits=1.5\n"
                               "FlowControl=xon/xoff\nLocalEcho=false\n"));
    dialog->readINI();
    const SerialSettings s = dialog->settings();
    QCOMPARE(box("serialPortInfoListBox")->currentText(), QStringLiteral("COM8"));
    QCOMPARE(s.name, QStringLiteral("com8"));
    QCOMPARE(s.baudRate, 38400);
    QCOMPARE(s.dataBits, 7);
    QCOMPARE(box("parityBox")->currentText(), QStringLiteral("Odd"));
    QCOMPARE(s.parity, int(QSerialPort::OddParity));
    QCOMPARE(s.stringParity, QStringLiteral("odd"));
    QCOMPARE(box("stopBitsBox")->currentText(), QStringLiteral("1.5"));
    QCOMPARE(s.stopBits, int(QSerialPort::OneAndHalfStop));
    QCOMPARE(box("flowControlBox")->currentText(), QStringLiteral("XON/XOFF"));
    QCOMPARE(s.flowControl, int(QSerialPort::SoftwareControl));
    QVERIFY(!s.localEchoEnabled);
    QVERIFY(!dialog->findChild<QCheckBox *>(QStringLiteral("localEchoCheckBox"))->isChecked());
}

void TestSettingsDialog::applyWritesFileAndSignals()
{
    QSignalSpy changed(dialog.get(), &SettingsDialog::sigSettingChange);
    dialog->show();
    box("serialPortInfoListBox")->setCurrentIndex(1);
    box("parityBox")->setCurrentText(QStringLiteral("Even"));
    box("flowControlBox")->setCurrentText(QStringLiteral("RTS/CTS"));
    box("stopBitsBox")->setCurrentText(QStringLiteral("1.5"));
    dialog->findChild<QCheckBox *>(QStringLiteral("localEchoCheckBox"))->setChecked(false);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("applyButton")), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!dialog->isVisible());

    QSettings file(iniPath, QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Default"));
    QCOMPARE(file.value(QStringLiteral("Port")).toString(), QStringLiteral("COM8"));
    QCOMPARE(file.value(QStringLiteral("BaudRate")).toString(), QStringLiteral("115200"));
    QCOMPARE(file.value(QStringLiteral("DataBits")).toString(), QStringLiteral("8"));
    QCOMPARE(file.value(QStringLiteral("Parity")).toString(), QStringLiteral("Even"));
    QCOMPARE(file.value(QStringLiteral("StopBits")).toString(), QStringLiteral("1.5"));
    QCOMPARE(file.value(QStringLiteral("FlowControl")).toString(), QStringLiteral("RTS/CTS"));
    QCOMPARE(file.value(QStringLiteral("LocalEcho")).toString(), QStringLiteral("false"));

    dialog->readINI();
    QCOMPARE(dialog->settings().parity, int(QSerialPort::EvenParity));
    QCOMPARE(dialog->settings().flowControl, int(QSerialPort::HardwareControl));
    QCOMPARE(dialog->settings().stopBits, int(QSerialPort::OneAndHalfStop));
}

void TestSettingsDialog::applyKeepsUnlistedPortName()
{
    QVERIFY(writeFile(iniPath, "[Default]\nPort=COM12\nParity=Space\n"));
    dialog->readINI();
    QCOMPARE(box("serialPortInfoListBox")->currentIndex(), -1);
    dialog->apply();
    QSettings file(iniPath, QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("Default/Port")).toString(), QStringLiteral("COM12"));
    QCOMPARE(file.value(QStringLiteral("Default/Parity")).toString(), QStringLiteral("Space"));
}

void TestSettingsDialog::failedSaveKeepsDialogOpen()
{
    dialog.reset();
    QVERIFY(writeFile(dir->filePath(QStringLiteral("blocker")), "a file, not a folder"));
    dialog = std::make_unique<SettingsDialog>(nullptr, dir->filePath(QStringLiteral("blocker/Brivox.ini")));
    QSignalSpy changed(dialog.get(), &SettingsDialog::sigSettingChange);
    dialog->show();
    dialog->apply();
    QCOMPARE(closer->titles(), QStringList{QStringLiteral("Error")});
    QCOMPARE(changed.count(), 0);
    QVERIFY(dialog->isVisible());
}

ORV_TEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
