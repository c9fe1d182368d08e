// The serial settings dialog: its lists, and "Brivox.ini" as Apply writes it and the dialog reads it back.
#include "bridge/settingsdialog.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>

#include <memory>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

class TestSettingsDialog : public QObject
{
    Q_OBJECT
    ModalCloser *closer = nullptr;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<SettingsDialog> dialog;
    QString iniPath;
    const QStringList boxes{"baudRateBox", "dataBitsBox", "parityBox", "stopBitsBox", "flowControlBox"};

    QComboBox *box(const QString &name) { return dialog->findChild<QComboBox *>(name); }
    QCheckBox *echoBox() { return dialog->findChild<QCheckBox *>(QStringLiteral("localEchoCheckBox")); }
    QStringList shown(const QStringList &names)
    {
        QStringList out;
        for (const QString &name : names)
            out << box(name)->currentText();
        return out;
    }
    QList<int> numbers()
    {
        const SerialSettings s = dialog->settings();
        return {s.baudRate, s.dataBits, s.parity, s.stopBits, s.flowControl, s.localEchoEnabled};
    }

private slots:
    void initTestCase() { closer = new ModalCloser(this); }

    void init()
    {
        closer->clear();
        dir = std::make_unique<QTemporaryDir>();
        iniPath = dir->filePath(QStringLiteral("Brivox.ini"));
        qputenv("BRIVOX_SERIAL_PORTS", "COM7:COM8");
        dialog = std::make_unique<SettingsDialog>(nullptr, iniPath);
    }

    void firstStart()
    {
        // Nothing stored: the defaults ("Com3", "N") name no entry, so the first port and no parity are offered.
        dialog->readINI();
        QCOMPARE(shown(QStringList{"serialPortInfoListBox"} + boxes),
                 (QStringList{"COM7", "9600", "8", "None", "1", "None"}));
        QCOMPARE(dialog->settings().name, QStringLiteral("Com3"));
        QVERIFY(dialog->portsAvailable());
        QVERIFY(closer->titles().isEmpty());
        box("serialPortInfoListBox")->setCurrentIndex(1);
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("locationLabel"))->text(),
                 QStringLiteral("Location: COM8"));
    }

    void roundTrip()
    {
        // Hand-edited texts match in any letter case; other keys and groups survive Apply.
        QVERIFY(TestFiles::write(iniPath,
                                 "[Default]\nPort=com8\nBaudRate=38400\nDataBits=7\nParity=odd\nStopBits=1.5\n"
                                 "FlowControl=xon/xoff\nLocalEcho=false\nRemark=kept\n\n[Site]\nRoom=Hall 2\n"));
        dialog->readINI();
        QCOMPARE(shown(QStringList{"serialPortInfoListBox"} + boxes),
                 (QStringList{"COM8", "38400", "7", "Odd", "1.5", "XON/XOFF"}));
        QVERIFY(!echoBox()->isChecked());
        QCOMPARE(numbers(), (QList<int>{38400, 7, QSerialPort::OddParity, QSerialPort::OneAndHalfStop,
                                        QSerialPort::SoftwareControl, false}));

        QSignalSpy changed(dialog.get(), &SettingsDialog::sigSettingChange);
        dialog->show();
        box("serialPortInfoListBox")->setCurrentIndex(0);
        box("parityBox")->setCurrentText(QStringLiteral("Even"));
        box("flowControlBox")->setCurrentText(QStringLiteral("RTS/CTS"));
        echoBox()->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("applyButton")), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!dialog->isVisible());
        const QByteArray text = TestFiles::read(iniPath);
        for (const char *line : {"Port=COM7", "BaudRate=38400", "DataBits=7", "Parity=Even", "StopBits=1.5",
                                 "FlowControl=RTS/CTS", "LocalEcho=true", "Remark=kept", "[Site]", "Room=Hall 2"})
            QVERIFY2(text.contains(line), line);

        // A new dialog shows the stored choice at once, so an Apply before the
        // port was ever opened does not put the defaults back.
        dialog = std::make_unique<SettingsDialog>(nullptr, iniPath);
        QCOMPARE(dialog->settings().name, QStringLiteral("COM7"));
        QCOMPARE(numbers(), (QList<int>{38400, 7, QSerialPort::EvenParity, QSerialPort::OneAndHalfStop,
                                        QSerialPort::HardwareControl, true}));
    }

    void handEditedValues()
    {
        // A number missing from the list is taken as it is; any other unknown text counts as 0.
        QVERIFY(TestFiles::write(iniPath, "[Default]\nBaudRate=57600\nStopBits=two\nFlowControl=\"a,b\"\n"));
        dialog->readINI();
        QCOMPARE(numbers(), (QList<int>{57600, 8, QSerialPort::NoParity, 0, 0, true}));
    }

    void applyKeepsUnlistedPortName()
    {
        QVERIFY(TestFiles::write(iniPath, "[Default]\nPort=COM12\nParity=Space\n"));
        dialog->readINI();
        QCOMPARE(box("serialPortInfoListBox")->currentIndex(), -1);
        dialog->apply();
        QVERIFY(TestFiles::read(iniPath).contains("Port=COM12"));
        QVERIFY(TestFiles::read(iniPath).contains("Parity=Space"));
    }

    void failedSaveKeepsPreviousFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs a file size limit");
#else
        const QByteArray previous("[Default]\nPort=COM1\n");
        QVERIFY(TestFiles::write(iniPath, previous));
        QSignalSpy changed(dialog.get(), &SettingsDialog::sigSettingChange);
        dialog->show();
        // A file size limit fails the save as a full disk would; root is not stopped by permissions.
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = saved;
        tight.rlim_cur = previous.size();
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        dialog->apply();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(closer->titles(), QStringList{QStringLiteral("Error")});
        QCOMPARE(changed.count(), 0);
        QVERIFY(dialog->isVisible());
        QCOMPARE(TestFiles::read(iniPath), previous);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Brivox.ini"});
#endif
    }
};

ORV_TEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
