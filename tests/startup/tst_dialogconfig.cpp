#include "app/_dialogconfig.h"
#include "app/appfolders.h"
#include "app/translationloader.h"
#include "net/netlocalinfo.h"
#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

namespace {

QString configIni()
{
    return AppFolders::configFolder() + QStringLiteral("/Orvanto.ini");
}

void writeConfig(const QByteArray &content)
{
    QDir().mkpath(AppFolders::configFolder());
    QFile::setPermissions(configIni(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile f(configIni());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray readConfig()
{
    QFile f(configIni());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString iniValue(const QString &key)
{
    return QSettings(configIni(), QSettings::IniFormat).value(QStringLiteral("Default/") + key).toString();
}

QLineEdit *edit(QDialog &dialog, const char *name)
{
    return dialog.findChild<QLineEdit *>(QLatin1String(name));
}

} // namespace

class TestDialogConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void form_layoutAndLook();
    void read_defaults();
    void read_fileValues();
    void apply_storesFieldsAndSelectedAddress();
    void apply_withoutAddressesKeepsLocalIP();
    void apply_missingStatusPollStoresFive();
    void close_discardsEdits();
    void apply_readOnlyFileReportsAndKeepsContent();
    void translation_appliesToForm();
};

void TestDialogConfig::init()
{
    QFile::setPermissions(configIni(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(configIni());
}

void TestDialogConfig::form_layoutAndLook()
{
    DialogConfig dialog(nullptr);
    QCOMPARE(dialog.iniPath(), configIni());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));

    auto *form = dialog.findChild<QFormLayout *>();
    QVERIFY(form);
    const QList<QPair<QString, QString>> expected{
        {"comboBoxLocalIP", "Local IP Interface"},
        {"lineEdit_IpTotal", "Max Targets to Search"},
        {"lineEdit_TcpPort", "TCP Port"},
        {"lineEdit_UdpPortRX", "UDP Port RX"},
        {"lineEdit_UdpPortTX", "UDP Port TX"},
        {"lineEdit_Style", "Style"},
        {"lineEdit_CmdFile", "Cmd Files"},
        {"lineEdit_Language", "Language"},
        {"lineEdit_StatusPoll", "Status Poll Interval (minutes)"},
        {"lineEdit_LogFilesLocation", "Log Location"},
    };
    QCOMPARE(form->rowCount(), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        auto *label = qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::LabelRole)->widget());
        QWidget *field = form->itemAt(row, QFormLayout::FieldRole)->widget();
        QVERIFY(label && field);
        QCOMPARE(field->objectName(), expected.at(row).first);
        QCOMPARE(label->text(), expected.at(row).second);
    }
    QVERIFY(dialog.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP")));
    QVERIFY(!edit(dialog, "lineEdit_LogFilesLocation")->isEnabled());
    QVERIFY(edit(dialog, "lineEdit_TcpPort")->isEnabled());

    auto *frame = dialog.findChild<QFrame *>(QStringLiteral("frameButton"));
    QVERIFY(frame);
    QCOMPARE(frame->styleSheet(), QStringLiteral("QPushButton{border:2px solid gray;border-radius:8px}"
                                                 "QPushButton:hover{background-color:teal}"));
    auto *apply = frame->findChild<QPushButton *>(QStringLiteral("pushButtonApply"));
    auto *close = frame->findChild<QPushButton *>(QStringLiteral("pushButtonClose"));
    QVERIFY(apply && close);
    QCOMPARE(apply->text(), QStringLiteral("Apply"));
    QCOMPARE(close->text(), QStringLiteral("Close"));
}

void TestDialogConfig::read_defaults()
{
    DialogConfig dialog(nullptr);
    QCOMPARE(edit(dialog, "lineEdit_IpTotal")->text(), QStringLiteral("25"));
    QCOMPARE(edit(dialog, "lineEdit_TcpPort")->text(), QStringLiteral("7000"));
    QCOMPARE(edit(dialog, "lineEdit_UdpPortRX")->text(), QStringLiteral("35069"));
    QCOMPARE(edit(dialog, "lineEdit_UdpPortTX")->text(), QStringLiteral("35070"));
    QCOMPARE(edit(dialog, "lineEdit_Language")->text(), QStringLiteral("en_US"));
    QCOMPARE(edit(dialog, "lineEdit_Style")->text(), QStringLiteral("Dark"));
    QCOMPARE(edit(dialog, "lineEdit_CmdFile")->text(), QStringLiteral("KX4410Q.csv"));
    QCOMPARE(edit(dialog, "lineEdit_StatusPoll")->text(), QStringLiteral("5"));
    QCOMPARE(edit(dialog, "lineEdit_LogFilesLocation")->text(), AppFolders::userDataFolder());
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"));
    QStringList offered;
    for (int i = 0; i < combo->count(); ++i)
        offered << combo->itemText(i);
    QCOMPARE(offered, NetLocalInfo::configDialogAddresses());
    QCOMPARE(DialogConfig::getLocalIPs(), NetLocalInfo::configDialogAddresses());
    // Showing the dialog never writes the file.
    QVERIFY(!QFile::exists(configIni()));
}

void TestDialogConfig::read_fileValues()
{
    writeConfig("[Default]\nIpTotal=50\nTcpPort=7100\nUdpPortRx=36000\nUdpPortTx=36001\nLanguage=zh_CN\n"
                "Style=Light\nCmdFile=KX2800L.csv\nStatusPoll=nine\nLocalIP=10.77.0.1\n");
    DialogConfig dialog(nullptr);
    QCOMPARE(edit(dialog, "lineEdit_IpTotal")->text(), QStringLiteral("50"));
    QCOMPARE(edit(dialog, "lineEdit_TcpPort")->text(), QStringLiteral("7100"));
    QCOMPARE(edit(dialog, "lineEdit_UdpPortRX")->text(), QStringLiteral("36000"));
    QCOMPARE(edit(dialog, "lineEdit_UdpPortTX")->text(), QStringLiteral("36001"));
    QCOMPARE(edit(dialog, "lineEdit_Language")->text(), QStringLiteral("zh_CN"));
    QCOMPARE(edit(dialog, "lineEdit_Style")->text(), QStringLiteral("Light"));
    QCOMPARE(edit(dialog, "lineEdit_CmdFile")->text(), QStringLiteral("KX2800L.csv"));
    QCOMPARE(edit(dialog, "lineEdit_StatusPoll")->text(), QStringLiteral("nine"));
    QCOMPARE(dialog.formValues().localIP, QStringLiteral("10.77.0.1"));
}

void TestDialogConfig::apply_storesFieldsAndSelectedAddress()
{
    writeConfig("[Default]\nLocalIP=10.0.0.1\nMulticastIP=239.1.1.1\n[Other]\nKeep=yes\n");
    DialogConfig dialog(nullptr);
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"));
    // The sandbox has no usable adapter; offer two as a real host would.
    combo->clear();
    combo->addItems({QStringLiteral("192.168.5.5"), QStringLiteral("10.77.0.1")});
    combo->setCurrentIndex(1);
    edit(dialog, "lineEdit_IpTotal")->setText(QStringLiteral("40"));
    edit(dialog, "lineEdit_TcpPort")->setText(QStringLiteral("7001"));
    edit(dialog, "lineEdit_UdpPortRX")->setText(QStringLiteral("36069"));
    edit(dialog, "lineEdit_UdpPortTX")->setText(QStringLiteral("36070"));
    edit(dialog, "lineEdit_Language")->setText(QStringLiteral("zh_CN"));
    edit(dialog, "lineEdit_Style")->setText(QStringLiteral("Light"));
    edit(dialog, "lineEdit_CmdFile")->setText(QStringLiteral("KX2800L.csv"));
    edit(dialog, "lineEdit_StatusPoll")->setText(QStringLiteral("2"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    LogCapture log;
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonApply")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());

    QCOMPARE(iniValue("LocalIP"), QStringLiteral("10.77.0.1"));
    QCOMPARE(iniValue("IpTotal"), QStringLiteral("40"));
    QCOMPARE(iniValue("TcpPort"), QStringLiteral("7001"));
    QCOMPARE(iniValue("UdpPort"), QStringLiteral("36069"));
    QCOMPARE(iniValue("UdpPortRx"), QStringLiteral("36069"));
    QCOMPARE(iniValue("UdpPortTx"), QStringLiteral("36070"));
    QCOMPARE(iniValue("Language"), QStringLiteral("zh_CN"));
    QCOMPARE(iniValue("Style"), QStringLiteral("Light"));
    QCOMPARE(iniValue("CmdFile"), QStringLiteral("KX2800L.csv"));
    QCOMPARE(iniValue("StatusPoll"), QStringLiteral("2"));
    QCOMPARE(iniValue("MulticastIP"), QStringLiteral("239.1.1.1"));
    QCOMPARE(QSettings(configIni(), QSettings::IniFormat).value(QStringLiteral("Other/Keep")).toString(),
             QStringLiteral("yes"));

    const QVector<LogCapture::Entry> entries = log.entries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().level, QStringLiteral("DEBUG"));
    QVERIFY(entries.first().origin.contains(QStringLiteral("_dialogconfig.cpp@")));
    QCOMPARE(log.messages().first(), QStringLiteral("_dialogconfig saveINI ") + quoted(configIni()));
}

void TestDialogConfig::apply_withoutAddressesKeepsLocalIP()
{
    writeConfig("[Default]\nLocalIP=10.77.0.1\n");
    DialogConfig dialog(nullptr);
    dialog.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"))->clear();
    dialog.on_pushButtonApply_clicked();
    QCOMPARE(iniValue("LocalIP"), QStringLiteral("10.77.0.1"));
}

void TestDialogConfig::apply_missingStatusPollStoresFive()
{
    writeConfig("[Default]\nTcpPort=7000\n");
    DialogConfig dialog(nullptr);
    dialog.on_pushButtonApply_clicked();
    QCOMPARE(iniValue("StatusPoll"), QStringLiteral("5"));
    QCOMPARE(iniValue("CmdFile"), QStringLiteral("KX4410Q.csv"));
}

void TestDialogConfig::close_discardsEdits()
{
    const QByteArray original("[Default]\nTcpPort=7000\n");
    writeConfig(original);
    DialogConfig dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    edit(dialog, "lineEdit_TcpPort")->setText(QStringLiteral("9999"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonClose")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(readConfig(), original);
}

void TestDialogConfig::apply_readOnlyFileReportsAndKeepsContent()
{
    const QByteArray original("[Default]\nTcpPort=7000\nStyle=Dark\n");
    writeConfig(original);
    QFile::setPermissions(configIni(), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);

    DialogConfig dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    edit(dialog, "lineEdit_TcpPort")->setText(QStringLiteral("7777"));

    QString boxTitle;
    QString boxText;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        boxTitle = box->windowTitle();
        boxText = box->text();
        box->accept();
    });
    closer.start();
    LogCapture log;
    dialog.on_pushButtonApply_clicked();

    QCOMPARE(boxTitle, QStringLiteral("Warning!"));
    QVERIFY2(boxText.contains(QStringLiteral("read-only")), qPrintable(boxText));
    QVERIFY(dialog.isVisible()); // the operator keeps the edits
    QCOMPARE(edit(dialog, "lineEdit_TcpPort")->text(), QStringLiteral("7777"));
    QCOMPARE(readConfig(), original);
    QCOMPARE(log.levelOf(QStringLiteral("Config save FAIL!")), QStringLiteral("ERROR"));
}

void TestDialogConfig::translation_appliesToForm()
{
    QTranslator translator;
    QVERIFY(TranslationLoader::loadAndInstall(translator, TranslationLoader::translationPath(TestEnvironment::binDir(),
                                                                                             QStringLiteral("Orvanto"),
                                                                                             QStringLiteral("zh_CN"))));
    DialogConfig dialog(nullptr);
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonApply"))->text(), QStringLiteral("应用"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonClose"))->text(), QStringLiteral("关闭"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_TcpPort"))->text(), QStringLiteral("TCP端口"));
    QCoreApplication::removeTranslator(&translator);
}

ORV_TEST_MAIN(TestDialogConfig)
#include "tst_dialogconfig.moc"
