#include "app/settingsreader.h"
#include "app/settingswriter.h"
#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QVariant iniValue(const QString &path, const QString &key)
{
    return QSettings(path, QSettings::IniFormat).value(key);
}

const QStringList program{QStringLiteral("/opt/orv/Orvanto")};

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();

    void read_defaultsWithoutFile();
    void read_sourceOfValues();
    void read_keyTable_data();
    void read_keyTable();
    void read_valueListInKeyOrder();
    void read_malformedFile_data();
    void read_malformedFile();
    void read_singleLocalAddressWins();
    void read_infoLines();

    void dialogRead_defaultsDifferFromWindow();
    void dialogRead_valuesAsText();

    void writer_dialogKeys();
    void writer_keepsOtherKeysAndGroups();
    void writer_createsMissingFolder();
    void writer_readOnlyTargetUntouched();
    void writer_targetIsFolder();
    void writer_malformedTargetRewritten();

private:
    QTemporaryDir m_dir;
};

void TestSettings::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no argument") << program << QString()
                                 << QStringList{QStringLiteral("Command Line Arguments: 1 (\"/opt/orv/Orvanto\")"),
                                                QStringLiteral("Default INI file!")};
    QTest::newRow("one argument")
        << (program + QStringList{QStringLiteral("/tmp/my.ini")}) << QStringLiteral("/tmp/my.ini")
        << QStringList{QStringLiteral("Command Line Arguments: 2 (\"/opt/orv/Orvanto\", \"/tmp/my.ini\")"),
                       QStringLiteral("INI file:  \"/tmp/my.ini\"")};
    QTest::newRow("two arguments")
        << (program + QStringList{QStringLiteral("a.ini"), QStringLiteral("b.ini")}) << QString()
        << QStringList{QStringLiteral("Command Line Arguments: 3 (\"/opt/orv/Orvanto\", \"a.ini\", \"b.ini\")"),
                       QStringLiteral("Default INI file!")};
    QTest::newRow("empty list") << QStringList() << QString()
                                << QStringList{QStringLiteral("Command Line Arguments: 0 ()"),
                                               QStringLiteral("Default INI file!")};
}

void TestSettings::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);
    LogCapture log;
    QCOMPARE(SettingsReader::commandLineIniPath(arguments), expected);
    QCOMPARE(log.messages(), messages);
    for (const LogCapture::Entry &e : log.entries())
        QCOMPARE(e.level, QStringLiteral("INFO "));
}

void TestSettings::read_defaultsWithoutFile()
{
    const QString config = m_dir.filePath(QStringLiteral("empty-config"));
    LogCapture log;
    const AppSettings s = SettingsReader::read(program, config);
    QCOMPARE(s.iniPath, config + QStringLiteral("/Orvanto.ini"));
    QCOMPARE(s.language, QStringLiteral("en_US"));
    QCOMPARE(s.localIP, QStringLiteral("127.0.0.1"));
    QCOMPARE(s.multicastIP, QStringLiteral("239.255.43.21"));
    QCOMPARE(s.tcpPort, 7000);
    QCOMPARE(s.tcpPortText, QStringLiteral("7000"));
    QCOMPARE(s.ipTotal, 25);
    QCOMPARE(s.statusPoll, 9);
    QCOMPARE(s.cmdFile, QStringLiteral("default.csv"));
    QCOMPARE(s.udpPortRx, 35069);
    QCOMPARE(s.udpPortTx, 35070);
    QCOMPARE(s.style, QStringLiteral("Dark"));
    QVERIFY(s.darkStyle);
    QVERIFY(s.defaultKeys.isEmpty());
    QVERIFY(s.defaultValues.isEmpty());
    QVERIFY(log.messages().contains(QStringLiteral("INI file: ") + quoted(s.iniPath) + QStringLiteral(" Not Found!")));
    // Reading must not create the file.
    QVERIFY(!QFile::exists(s.iniPath));
}

void TestSettings::read_sourceOfValues()
{
    const QString config = m_dir.filePath(QStringLiteral("source-config"));
    const QString configIni = config + QStringLiteral("/Orvanto.ini");
    const QString other = m_dir.filePath(QStringLiteral("elsewhere/other.ini"));
    writeFile(configIni, "[Default]\nTcpPort=7001\n");
    writeFile(other, "[Default]\nTcpPort=7002\n");

    {
        LogCapture log;
        const AppSettings s = SettingsReader::read(program + QStringList{other}, config);
        QCOMPARE(s.iniPath, other);
        QCOMPARE(s.tcpPort, 7002);
        QVERIFY(log.messagesStartingWith(QStringLiteral("INI file: ")).size() == 1); // only the command line's
    }
    {
        LogCapture log;
        const QString missing = m_dir.filePath(QStringLiteral("missing.ini"));
        const AppSettings s = SettingsReader::read(program + QStringList{missing}, config);
        QCOMPARE(s.iniPath, configIni);
        QCOMPARE(s.tcpPort, 7001);
        QVERIFY(log.messages().contains(QStringLiteral("INI file: ") + quoted(configIni) + QStringLiteral(" Exist!")));
    }
    {
        // Two arguments: the argument is ignored altogether.
        const AppSettings s = SettingsReader::read(program + QStringList{other, other}, config);
        QCOMPARE(s.iniPath, configIni);
        QCOMPARE(s.tcpPort, 7001);
    }
    {
        // A folder is not a settings file.
        const AppSettings s = SettingsReader::read(program + QStringList{m_dir.path()}, config);
        QCOMPARE(s.iniPath, configIni);
    }
}

void TestSettings::read_keyTable_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("StatusPoll missing") << QByteArray("[Default]\nStyle=Dark\n") << "statusPoll" << QVariant(9);
    QTest::newRow("StatusPoll set") << QByteArray("[Default]\nStatusPoll=2\n") << "statusPoll" << QVariant(2);
    QTest::newRow("CmdFile missing") << QByteArray("[Default]\n") << "cmdFile" << QVariant("default.csv");
    QTest::newRow("CmdFile set") << QByteArray("[Default]\nCmdFile=KX2800L.csv\n") << "cmdFile"
                                 << QVariant("KX2800L.csv");
    QTest::newRow("TcpPort text") << QByteArray("[Default]\nTcpPort=abc\n") << "tcpPort" << QVariant(0);
    QTest::newRow("TcpPort text kept") << QByteArray("[Default]\nTcpPort=abc\n") << "tcpPortText" << QVariant("abc");
    QTest::newRow("TcpPort") << QByteArray("[Default]\nTcpPort=7010\n") << "tcpPort" << QVariant(7010);
    QTest::newRow("IpTotal text") << QByteArray("[Default]\nIpTotal=many\n") << "ipTotal" << QVariant(0);
    QTest::newRow("IpTotal") << QByteArray("[Default]\nIpTotal=254\n") << "ipTotal" << QVariant(254);
    QTest::newRow("StatusPoll text") << QByteArray("[Default]\nStatusPoll=5min\n") << "statusPoll" << QVariant(0);
    QTest::newRow("UdpPortRx text") << QByteArray("[Default]\nUdpPortRx=x\n") << "udpPortRx" << QVariant(0);
    QTest::newRow("UdpPortRx") << QByteArray("[Default]\nUdpPortRx=40000\n") << "udpPortRx" << QVariant(40000);
    QTest::newRow("UdpPortTx never read")
        << QByteArray("[Default]\nUdpPortTx=1234\n") << "udpPortTx" << QVariant(35070);
    QTest::newRow("UdpPort not read") << QByteArray("[Default]\nUdpPort=1234\n") << "udpPortRx" << QVariant(35069);
    QTest::newRow("Style Dark") << QByteArray("[Default]\nStyle=Dark\n") << "darkStyle" << QVariant(true);
    QTest::newRow("Style dark lower case") << QByteArray("[Default]\nStyle=dark\n") << "darkStyle" << QVariant(false);
    QTest::newRow("Style Light") << QByteArray("[Default]\nStyle=Light\n") << "darkStyle" << QVariant(false);
    QTest::newRow("Style empty") << QByteArray("[Default]\nStyle=\n") << "darkStyle" << QVariant(false);
    QTest::newRow("Language") << QByteArray("[Default]\nLanguage=zh_CN\n") << "language" << QVariant("zh_CN");
    QTest::newRow("MulticastIP") << QByteArray("[Default]\nMulticastIP=239.1.2.3\n") << "multicastIP"
                                 << QVariant("239.1.2.3");
    QTest::newRow("LocalIP") << QByteArray("[Default]\nLocalIP=10.77.0.1\n") << "localIP" << QVariant("10.77.0.1");
    QTest::newRow("keys of another group") << QByteArray("[Other]\nTcpPort=1\n") << "tcpPort" << QVariant(7000);
    QTest::newRow("CRLF line ends") << QByteArray("[Default]\r\nTcpPort=7020\r\n") << "tcpPort" << QVariant(7020);
}

void TestSettings::read_keyTable()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, field);
    QFETCH(QVariant, expected);
    const QString config = m_dir.filePath(QStringLiteral("table-%1").arg(QTest::currentDataTag()));
    writeFile(config + QStringLiteral("/Orvanto.ini"), content);
    const AppSettings s = SettingsReader::read(program, config);
    const QHash<QString, QVariant> fields{
        {QStringLiteral("statusPoll"), s.statusPoll}, {QStringLiteral("cmdFile"), s.cmdFile},
        {QStringLiteral("tcpPort"), s.tcpPort},       {QStringLiteral("tcpPortText"), s.tcpPortText},
        {QStringLiteral("ipTotal"), s.ipTotal},       {QStringLiteral("udpPortRx"), s.udpPortRx},
        {QStringLiteral("udpPortTx"), s.udpPortTx},   {QStringLiteral("darkStyle"), s.darkStyle},
        {QStringLiteral("language"), s.language},     {QStringLiteral("multicastIP"), s.multicastIP},
        {QStringLiteral("localIP"), s.localIP},
    };
    QVERIFY(fields.contains(field));
    QCOMPARE(fields.value(field), expected);
}

void TestSettings::read_valueListInKeyOrder()
{
    const QString config = m_dir.filePath(QStringLiteral("list-config"));
    writeFile(config + QStringLiteral("/Orvanto.ini"),
              "[Default]\nTcpPort=7000\nCmdFile=A.csv\nLanguage=en_US\n[Other]\nZed=1\n");
    LogCapture log;
    const AppSettings s = SettingsReader::read(program, config);
    QCOMPARE(s.defaultKeys, (QStringList{"CmdFile", "Language", "TcpPort"}));
    QCOMPARE(s.defaultValues, (QStringList{"A.csv", "en_US", "7000"}));
    QVERIFY(log.messages().contains(QStringLiteral("Default INI: (\"CmdFile\", \"Language\", \"TcpPort\")")));
}

void TestSettings::read_malformedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe[[[=\n\x7f", 11);
    QTest::newRow("no group") << QByteArray("TcpPort=1\nStyle=Light\n");
    QTest::newRow("broken group header") << QByteArray("[Default\nTcpPort\n=\n==\n");
    QTest::newRow("empty") << QByteArray();
}

void TestSettings::read_malformedFile()
{
    QFETCH(QByteArray, content);
    const QString config = m_dir.filePath(QStringLiteral("bad-%1").arg(QTest::currentDataTag()));
    writeFile(config + QStringLiteral("/Orvanto.ini"), content);
    const AppSettings s = SettingsReader::read(program, config);
    const AppSettings defaults;
    QCOMPARE(s.tcpPort, defaults.tcpPort);
    QCOMPARE(s.statusPoll, defaults.statusPoll);
    QCOMPARE(s.cmdFile, defaults.cmdFile);
    QCOMPARE(s.darkStyle, defaults.darkStyle);
    QCOMPARE(s.localIP, defaults.localIP);
    QCOMPARE(s.defaultKeys.size(), s.defaultValues.size());
}

void TestSettings::read_singleLocalAddressWins()
{
    const QString config = m_dir.filePath(QStringLiteral("local-config"));
    writeFile(config + QStringLiteral("/Orvanto.ini"), "[Default]\nLocalIP=192.168.9.9\n");
    QCOMPARE(SettingsReader::read(program, config, {QStringLiteral("10.1.1.5")}).localIP, QStringLiteral("10.1.1.5"));
    QCOMPARE(SettingsReader::read(program, config, {QStringLiteral("10.1.1.5"), QStringLiteral("10.2.2.5")}).localIP,
             QStringLiteral("192.168.9.9"));
    QCOMPARE(SettingsReader::read(program, config, {}).localIP, QStringLiteral("192.168.9.9"));
}

void TestSettings::read_infoLines()
{
    const QString config = m_dir.filePath(QStringLiteral("info-config"));
    writeFile(config + QStringLiteral("/Orvanto.ini"), "[Default]\nLanguage=zh_TW\n");
    LogCapture log;
    SettingsReader::read(program, config);
    const QLocale locale = QLocale::system();
    const QStringList expected{
        QStringLiteral("Command Line Arguments: 1 (\"/opt/orv/Orvanto\")"),
        QStringLiteral("Default INI file!"),
        QStringLiteral("INI file: ") + quoted(config + QStringLiteral("/Orvanto.ini")) + QStringLiteral(" Exist!"),
        QStringLiteral("Default INI: (\"Language\")"),
        QStringLiteral("Local Language: ") + quoted(QLocale::countryToString(locale.country())) +
            QStringLiteral(" > ") + quoted(locale.name()),
        QStringLiteral("INI Language: \"zh_TW\""),
    };
    QCOMPARE(log.messages(), expected);
    for (const LogCapture::Entry &e : log.entries())
        QCOMPARE(e.level, QStringLiteral("INFO "));
}

void TestSettings::dialogRead_defaultsDifferFromWindow()
{
    const QString path = m_dir.filePath(QStringLiteral("nothing-here.ini"));
    const ConfigFormValues v = SettingsReader::readForDialog(path);
    QCOMPARE(v.localIP, QStringLiteral("127.0.0.1"));
    QCOMPARE(v.ipTotal, QStringLiteral("25"));
    QCOMPARE(v.tcpPort, QStringLiteral("7000"));
    QCOMPARE(v.udpPortRx, QStringLiteral("35069"));
    QCOMPARE(v.udpPortTx, QStringLiteral("35070"));
    QCOMPARE(v.language, QStringLiteral("en_US"));
    QCOMPARE(v.style, QStringLiteral("Dark"));
    QCOMPARE(v.cmdFile, QStringLiteral("KX4410Q.csv"));
    QCOMPARE(v.statusPoll, QStringLiteral("5"));

    // Same missing keys, different fallbacks in the main window.
    const AppSettings window = SettingsReader::read(program, m_dir.filePath(QStringLiteral("nothing-here")));
    QCOMPARE(window.statusPoll, 9);
    QCOMPARE(window.cmdFile, QStringLiteral("default.csv"));
    QVERIFY(!QFile::exists(path));
}

void TestSettings::dialogRead_valuesAsText()
{
    const QString path = m_dir.filePath(QStringLiteral("dialog.ini"));
    writeFile(path, "[Default]\nLocalIP=10.0.0.7\nIpTotal=x\nTcpPort=abc\nUdpPortRx=1\nUdpPortTx=2\n"
                    "Language=zh_CN\nStyle=dark\nCmdFile=B.csv\nStatusPoll=15\n");
    const ConfigFormValues v = SettingsReader::readForDialog(path);
    QCOMPARE(v.localIP, QStringLiteral("10.0.0.7"));
    QCOMPARE(v.ipTotal, QStringLiteral("x"));
    QCOMPARE(v.tcpPort, QStringLiteral("abc"));
    QCOMPARE(v.udpPortRx, QStringLiteral("1"));
    QCOMPARE(v.udpPortTx, QStringLiteral("2"));
    QCOMPARE(v.language, QStringLiteral("zh_CN"));
    QCOMPARE(v.style, QStringLiteral("dark"));
    QCOMPARE(v.cmdFile, QStringLiteral("B.csv"));
    QCOMPARE(v.statusPoll, QStringLiteral("15"));
}

void TestSettings::writer_dialogKeys()
{
    ConfigFormValues v;
    v.localIP = QStringLiteral("10.77.0.1");
    v.udpPortRx = QStringLiteral("40001");
    v.udpPortTx = QStringLiteral("40002");
    v.statusPoll = QStringLiteral("3");
    const QString path = m_dir.filePath(QStringLiteral("written/Orvanto.ini"));
    QString error;
    QVERIFY2(SettingsWriter::saveDialogValues(path, v, &error), qPrintable(error));

    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Default"));
    QCOMPARE(ini.childKeys(), (QStringList{"CmdFile", "IpTotal", "Language", "LocalIP", "StatusPoll", "Style",
                                           "TcpPort", "UdpPort", "UdpPortRx", "UdpPortTx"}));
    QCOMPARE(ini.value("LocalIP").toString(), QStringLiteral("10.77.0.1"));
    QCOMPARE(ini.value("UdpPort").toString(), QStringLiteral("40001"));
    QCOMPARE(ini.value("UdpPortRx").toString(), QStringLiteral("40001"));
    QCOMPARE(ini.value("UdpPortTx").toString(), QStringLiteral("40002"));
    QCOMPARE(ini.value("StatusPoll").toString(), QStringLiteral("3"));
    QCOMPARE(ini.value("CmdFile").toString(), QStringLiteral("KX4410Q.csv"));

    // What the dialog stores is what the readers see at the next start.
    const AppSettings s = SettingsReader::read(program, m_dir.filePath(QStringLiteral("written")));
    QCOMPARE(s.udpPortRx, 40001);
    QCOMPARE(s.statusPoll, 3);
    QCOMPARE(s.localIP, QStringLiteral("10.77.0.1"));
    const ConfigFormValues back = SettingsReader::readForDialog(path);
    QCOMPARE(back.udpPortTx, QStringLiteral("40002"));
}

void TestSettings::writer_keepsOtherKeysAndGroups()
{
    const QString path = m_dir.filePath(QStringLiteral("keep/Orvanto.ini"));
    writeFile(path, "[Default]\nMulticastIP=239.9.9.9\nTcpPort=1\n\n[Panel]\nPasscode=1234\n");
    QString error;
    QVERIFY2(SettingsWriter::writeGroup(path, QStringLiteral("Default"), {{QStringLiteral("TcpPort"), "7005"}}, &error),
             qPrintable(error));
    QCOMPARE(iniValue(path, "Default/MulticastIP").toString(), QStringLiteral("239.9.9.9"));
    QCOMPARE(iniValue(path, "Default/TcpPort").toString(), QStringLiteral("7005"));
    QCOMPARE(iniValue(path, "Panel/Passcode").toString(), QStringLiteral("1234"));
    // No scratch files left beside the target.
    QCOMPARE(QDir(m_dir.filePath(QStringLiteral("keep"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Orvanto.ini")});
}

void TestSettings::writer_createsMissingFolder()
{
    const QString path = m_dir.filePath(QStringLiteral("deep/er/Orvanto.ini"));
    QVERIFY(SettingsWriter::writeGroup(path, QStringLiteral("Default"), {{QStringLiteral("Style"), "Light"}}));
    QCOMPARE(iniValue(path, "Default/Style").toString(), QStringLiteral("Light"));
}

void TestSettings::writer_readOnlyTargetUntouched()
{
    const QString folder = m_dir.filePath(QStringLiteral("readonly"));
    const QString path = folder + QStringLiteral("/Orvanto.ini");
    const QByteArray original("[Default]\nTcpPort=7000\nStyle=Dark\n");
    writeFile(path, original);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);

    QString error;
    QVERIFY(!SettingsWriter::saveDialogValues(path, ConfigFormValues(), &error));
    QVERIFY2(error.contains(QStringLiteral("read-only")), qPrintable(error));
    QCOMPARE(readFile(path), original);
    QCOMPARE(QFile::permissions(path) & QFileDevice::WriteOwner, QFileDevice::Permissions());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Orvanto.ini")});
}

void TestSettings::writer_targetIsFolder()
{
    const QString path = m_dir.filePath(QStringLiteral("isfolder/Orvanto.ini"));
    QDir().mkpath(path);
    QString error;
    QVERIFY(!SettingsWriter::writeGroup(path, QStringLiteral("Default"), {{QStringLiteral("A"), "1"}}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(path).isDir());
}

void TestSettings::writer_malformedTargetRewritten()
{
    const QString path = m_dir.filePath(QStringLiteral("malformed/Orvanto.ini"));
    writeFile(path, "[Default\ngarbage line\n[Default]\nCmdFile=C.csv\n");
    QString error;
    QVERIFY2(SettingsWriter::writeGroup(path, QStringLiteral("Default"), {{QStringLiteral("TcpPort"), "7001"}}, &error),
             qPrintable(error));
    QCOMPARE(iniValue(path, "Default/TcpPort").toString(), QStringLiteral("7001"));
    QCOMPARE(iniValue(path, "Default/CmdFile").toString(), QStringLiteral("C.csv"));
}

ORV_TEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
