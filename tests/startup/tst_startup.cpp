// Start-up: one running copy, the configuration folder's seeding, translation,
// the settings file and its dialog, the local interfaces, and the real
// program's start sequence.
#include "app/_dialogconfig.h"
#include "app/appfolders.h"
#include "app/configseeder.h"
#include "app/dialoginstancewarning.h"
#include "app/instancelock.h"
#include "app/settingsreader.h"
#include "app/translationloader.h"
#include "net/netlocalinfo.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using Interface = NetLocalInfo::Interface;
Q_DECLARE_METATYPE(QVector<NetLocalInfo::Interface>)

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void makeReadOnly(const QString &path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

const QStringList program{QStringLiteral("/opt/orv/Orvanto")};

QString configIni()
{
    return AppFolders::configFolder() + QStringLiteral("/Orvanto.ini");
}

QString iniValue(const QString &key)
{
    return QSettings(configIni(), QSettings::IniFormat).value(key).toString();
}

QLineEdit *edit(QDialog &dialog, const QString &field)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("lineEdit_") + field);
}

Interface iface(const QString &name, const QString &mac, bool up, bool loopback, const QStringList &addresses)
{
    Interface i{name, mac, up, loopback, {}};
    for (const QString &a : addresses)
        i.addresses.append(QHostAddress(a));
    return i;
}

const QString mac1 = QStringLiteral("52:54:00:12:34:56");
const QString mac2 = QStringLiteral("52:54:00:ab:cd:ef");
const QString rule(61, QLatin1Char('#'));
const QString dashes(61, QLatin1Char('-'));

// The real program's start-up lines of every run in its log, from the banner's
// first line to the separator after "Load i18n:".
QVector<QVector<LogCapture::Entry>> startupRuns(const QString &folder)
{
    QVector<LogCapture::Entry> all;
    for (const QString &line : QString::fromUtf8(readFile(folder + QStringLiteral("/OrvantoLOG.log")))
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        all.append(LogCapture::parse(line));
    QVector<QVector<LogCapture::Entry>> runs;
    for (int i = 0; i < all.size(); ++i) {
        for (int j = i + 1; LogCapture::text(all.at(i)) == rule && j + 1 < all.size(); ++j) {
            if (LogCapture::text(all.at(j)).startsWith(QStringLiteral("Load i18n:")) &&
                LogCapture::text(all.at(j + 1)) == dashes) {
                runs.append(all.mid(i, j + 2 - i));
                break;
            }
        }
    }
    return runs;
}

QStringList texts(const QVector<LogCapture::Entry> &entries)
{
    QStringList result;
    for (const LogCapture::Entry &e : entries)
        result.append(LogCapture::text(e));
    return result;
}

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished(5000);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QFile::setPermissions(configIni(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(configIni());
    }

    void lockRefusedWhileHeld()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Orvanto.lock"));
        QLockFile other(path);
        QVERIFY(other.lock());
        InstanceLock lock(path);
        QVERIFY(!lock.tryLock(100));
        QVERIFY(other.isLocked()); // the refused attempt leaves the holder alone

        // The refused copy says so, shows the box and ends with code 1.
        ModalCloser closer;
        QTest::ignoreMessage(QtDebugMsg, qPrintable(path + QStringLiteral(" Locked!")));
        QCOMPARE(DialogInstanceWarning::refuse(lock.path()), 1);
        QCOMPARE(closer.titles(), QStringList{"Warning!"});
        QCOMPARE(closer.texts(), QStringList{"Orvanto is running!"});

        other.unlock();
        QVERIFY(lock.tryLock(100));
        QLockFile third(path);
        QVERIFY(!third.tryLock(0));
    }

    void seedingKeepsTheUsersCopies()
    {
        QTemporaryDir shipped;
        QTemporaryDir config;
        const QString ini = QStringLiteral("/Orvanto.ini");
        writeFile(shipped.path() + ini, "[Default]\nLanguage=en_US\n");
        makeReadOnly(shipped.path() + ini);
        writeFile(shipped.filePath(QStringLiteral("GroupIP.csv")), "Group, Select, IP, Name\n");
        // No CronJobs.csv shipped: that one copy fails, the others go on.
        const QVector<ConfigSeeder::Outcome> first = ConfigSeeder::seed(shipped.path(), config.path());
        QCOMPARE(first.size(), 3);
        QVERIFY(first.at(0).copied && first.at(2).copied);
        QVERIFY(!first.at(1).copied && !first.at(1).found);
        QVERIFY(!QFile::exists(config.filePath(QStringLiteral("CronJobs.csv"))));
        QCOMPARE(readFile(config.path() + ini), readFile(shipped.path() + ini));
        QVERIFY(QFile::permissions(config.path() + ini) & QFileDevice::WriteOwner); // the user may edit it

        // The user edits the copy; a later shipped file must not reach it.
        writeFile(config.path() + ini, "[Default]\nLanguage=zh_CN\n");
        writeFile(shipped.path() + ini, "[Default]\nLanguage=fr_FR\n");
        const QVector<ConfigSeeder::Outcome> second = ConfigSeeder::seed(shipped.path(), config.path());
        QVERIFY(second.at(0).found && !second.at(0).copied && second.at(2).found);
        QCOMPARE(readFile(config.path() + ini), QByteArray("[Default]\nLanguage=zh_CN\n"));
    }

    void translationFallback_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("shipped"); // name of the file placed in i18n/
        QTest::newRow("exact") << "zh_CN" << true << "Orvanto_zh_CN.qm";
        QTest::newRow("missing language") << "fr_FR" << false << "Orvanto_zh_CN.qm";
        QTest::newRow("falls back to _zh") << "zh_CN" << true << "Orvanto_zh.qm";
        QTest::newRow("falls back to the bare name") << "zh_TW" << true << "Orvanto.qm";
    }

    void translationFallback()
    {
        QFETCH(QString, shipped);
        QFETCH(QString, language);
        QFETCH(bool, loaded);
        QTemporaryDir folder;
        QDir().mkpath(folder.filePath(QStringLiteral("i18n")));
        QVERIFY(QFile::copy(TestEnvironment::binDir() + QStringLiteral("/i18n/Orvanto_zh_CN.qm"),
                            folder.filePath(QStringLiteral("i18n/") + shipped)));
        QTranslator translator;
        const QString path = TranslationLoader::translationPath(folder.path(), QStringLiteral("Orvanto"), language);
        QCOMPARE(TranslationLoader::loadAndInstall(translator, path), loaded);
        // Installed: the configuration dialog speaks the language.
        DialogConfig dialog(nullptr);
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonApply"))->text(),
                 loaded ? QStringLiteral("应用") : QStringLiteral("Apply"));
        QCoreApplication::removeTranslator(&translator);
    }

    void settingsFileFromCommandLine()
    {
        QTemporaryDir dir;
        const QString config = dir.filePath(QStringLiteral("config"));
        const QString inConfig = config + QStringLiteral("/Orvanto.ini");
        const QString other = dir.filePath(QStringLiteral("elsewhere/other.ini"));
        writeFile(inConfig, "[Default]\nTcpPort=7001\n");
        writeFile(other, "[Default]\nTcpPort=7002\n");
        const QList<QPair<QStringList, QString>> cases{
            {{other}, other},                                          // an existing file
            {{dir.filePath(QStringLiteral("missing.ini"))}, inConfig}, // a missing file
            {{other, other}, inConfig},                                // two arguments: both ignored
            {{dir.path()}, inConfig},                                  // a folder
        };
        for (const auto &c : cases) {
            const AppSettings s = SettingsReader::read(program + c.first, config);
            QCOMPARE(s.iniPath, c.second);
            QCOMPARE(s.tcpPort, c.second == other ? 7002 : 7001);
        }
    }

    void singleLocalAddressWins()
    {
        writeFile(configIni(), "[Default]\nLocalIP=192.168.9.9\n");
        const QString config = AppFolders::configFolder();
        QCOMPARE(SettingsReader::read(program, config, {"10.1.1.5"}).localIP, QStringLiteral("10.1.1.5"));
        QCOMPARE(SettingsReader::read(program, config, {"10.1.1.5", "10.2.2.5"}).localIP,
                 QStringLiteral("192.168.9.9"));
        QCOMPARE(SettingsReader::read(program, config, {}).localIP, QStringLiteral("192.168.9.9"));
    }

    void defaultsOfWindowAndDialogDiffer()
    {
        const AppSettings window = SettingsReader::read(program, AppFolders::configFolder());
        QCOMPARE(window.statusPoll, 9);
        QCOMPARE(window.cmdFile, QStringLiteral("default.csv"));
        DialogConfig dialog(nullptr);
        QCOMPARE(edit(dialog, "StatusPoll")->text(), QStringLiteral("5"));
        QCOMPARE(edit(dialog, "CmdFile")->text(), QStringLiteral("KX4410Q.csv"));
        QVERIFY(!QFile::exists(configIni())); // reading never creates the file
        dialog.on_pushButtonApply_clicked();
        QCOMPARE(iniValue("Default/StatusPoll"), QStringLiteral("5"));
        QCOMPARE(iniValue("Default/CmdFile"), QStringLiteral("KX4410Q.csv"));
    }

    void settingsValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("TcpPort text") << QByteArray("[Default]\nTcpPort=abc\n") << "tcpPort" << QVariant(0);
        QTest::newRow("TcpPort text kept")
            << QByteArray("[Default]\nTcpPort=abc\n") << "tcpPortText" << QVariant("abc");
        QTest::newRow("IpTotal text") << QByteArray("[Default]\nIpTotal=many\n") << "ipTotal" << QVariant(0);
        QTest::newRow("StatusPoll text") << QByteArray("[Default]\nStatusPoll=5min\n") << "statusPoll" << QVariant(0);
        QTest::newRow("UdpPortRx text") << QByteArray("[Default]\nUdpPortRx=x\n") << "udpPortRx" << QVariant(0);
        QTest::newRow("UdpPortTx never read")
            << QByteArray("[Default]\nUdpPortTx=1\n") << "udpPortTx" << QVariant(35070);
        QTest::newRow("UdpPort not read") << QByteArray("[Default]\nUdpPort=1234\n") << "udpPortRx" << QVariant(35069);
        QTest::newRow("Style Dark") << QByteArray("[Default]\nStyle=Dark\n") << "darkStyle" << QVariant(true);
        QTest::newRow("Style dark is light") << QByteArray("[Default]\nStyle=dark\n") << "darkStyle" << QVariant(false);
        QTest::newRow("keys of another group") << QByteArray("[Other]\nTcpPort=1\n") << "tcpPort" << QVariant(7000);
        QTest::newRow("CRLF line ends") << QByteArray("[Default]\r\nTcpPort=7020\r\n") << "tcpPort" << QVariant(7020);
        // A malformed file gives the defaults.
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe[[[=\nTcpPort=1\x7f", 19) << "tcpPort" << QVariant(7000);
        QTest::newRow("no group") << QByteArray("TcpPort=1\nStyle=Light\n") << "darkStyle" << QVariant(true);
        QTest::newRow("broken group header") << QByteArray("[Default\nTcpPort\n=\n==\n") << "tcpPort" << QVariant(7000);
        QTest::newRow("empty") << QByteArray() << "statusPoll" << QVariant(9);
    }

    void settingsValues()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        QTemporaryDir config; // a file of its own: QSettings caches by path
        writeFile(config.filePath(QStringLiteral("Orvanto.ini")), content);
        const AppSettings s = SettingsReader::read(program, config.path());
        const QHash<QString, QVariant> fields{
            {QStringLiteral("tcpPort"), s.tcpPort},     {QStringLiteral("tcpPortText"), s.tcpPortText},
            {QStringLiteral("ipTotal"), s.ipTotal},     {QStringLiteral("statusPoll"), s.statusPoll},
            {QStringLiteral("udpPortRx"), s.udpPortRx}, {QStringLiteral("udpPortTx"), s.udpPortTx},
            {QStringLiteral("darkStyle"), s.darkStyle},
        };
        QVERIFY(fields.contains(field));
        QCOMPARE(fields.value(field), expected);
    }

    void dialogApplyWritesTheKeys()
    {
        writeFile(configIni(), "[Default]\nLocalIP=10.0.0.1\nMulticastIP=239.1.1.1\n[Other]\nKeep=yes\n");
        DialogConfig dialog(nullptr);
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"));
        // The sandbox has no usable adapter; offer two as a real host would.
        combo->clear();
        combo->addItems({QStringLiteral("192.168.5.5"), QStringLiteral("10.77.0.1")});
        combo->setCurrentIndex(1);
        // Field of the form, key in the file, value entered.
        const QList<QStringList> fields{{"IpTotal", "IpTotal", "40"},          {"TcpPort", "TcpPort", "7001"},
                                        {"UdpPortRX", "UdpPortRx", "36069"},   {"UdpPortTX", "UdpPortTx", "36070"},
                                        {"Language", "Language", "zh_CN"},     {"Style", "Style", "Light"},
                                        {"CmdFile", "CmdFile", "KX2800L.csv"}, {"StatusPoll", "StatusPoll", "2"}};
        for (const QStringList &f : fields)
            edit(dialog, f.at(0))->setText(f.at(2));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonApply")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());

        for (const QStringList &f : fields)
            QCOMPARE(iniValue(QStringLiteral("Default/") + f.at(1)), f.at(2));
        QCOMPARE(iniValue("Default/UdpPort"), QStringLiteral("36069"));
        QCOMPARE(iniValue("Default/LocalIP"), QStringLiteral("10.77.0.1"));
        QCOMPARE(iniValue("Default/MulticastIP"), QStringLiteral("239.1.1.1"));
        QCOMPARE(iniValue("Other/Keep"), QStringLiteral("yes"));
        // What the dialog stores is what the main window reads at the next start.
        const AppSettings s = SettingsReader::read(program, AppFolders::configFolder());
        QCOMPARE(s.udpPortRx, 36069);
        QCOMPARE(s.statusPoll, 2);
        QCOMPARE(s.localIP, QStringLiteral("10.77.0.1"));

        // Without any address to offer, the stored one stays.
        DialogConfig again(nullptr);
        again.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"))->clear();
        again.on_pushButtonApply_clicked();
        QCOMPARE(iniValue("Default/LocalIP"), QStringLiteral("10.77.0.1"));
    }

    void dialogCloseDiscardsEdits()
    {
        writeFile(configIni(), "[Default]\nTcpPort=7000\n");
        DialogConfig dialog(nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        edit(dialog, "TcpPort")->setText(QStringLiteral("9999"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonClose")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(readFile(configIni()), QByteArray("[Default]\nTcpPort=7000\n"));
    }

    void dialogApplyToReadOnlyFileKeepsContent()
    {
        const QByteArray original("[Default]\nTcpPort=7000\nStyle=Dark\n");
        writeFile(configIni(), original);
        makeReadOnly(configIni());
        DialogConfig dialog(nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        edit(dialog, "TcpPort")->setText(QStringLiteral("7777"));
        ModalCloser closer;
        dialog.on_pushButtonApply_clicked();
        QCOMPARE(closer.titles(), QStringList{"Warning!"});
        QVERIFY2(closer.texts().value(0).contains(QStringLiteral("read-only")), qPrintable(closer.texts().value(0)));
        QVERIFY(dialog.isVisible()); // the operator keeps the edits
        QCOMPARE(edit(dialog, "TcpPort")->text(), QStringLiteral("7777"));
        QCOMPARE(readFile(configIni()), original);
    }

    void localInterfaces_data()
    {
        QTest::addColumn<QVector<Interface>>("interfaces");
        QTest::addColumn<QStringList>("mainAddresses");
        QTest::addColumn<QStringList>("dialogAddresses");
        QTest::newRow("VM in the name") << QVector<Interface>{iface("VMware Network Adapter VMnet8", mac1, true, false,
                                                                    {"192.168.56.1"}),
                                                              iface("Ethernet", mac2, true, false, {"10.0.0.2"})}
                                        << QStringList{"10.0.0.2"} << QStringList{"10.0.0.2"};
        QTest::newRow("vm in lower case only") << QVector<Interface>{iface("vmnet1", mac1, true, false, {"172.16.0.1"})}
                                               << QStringList{"172.16.0.1"} << QStringList{"172.16.0.1"};
        QTest::newRow("IPv6 ignored") << QVector<Interface>{iface("Ethernet", mac1, true, false,
                                                                  {"10.0.0.1", "fe80::1"})}
                                      << QStringList{"10.0.0.1"} << QStringList{"10.0.0.1"};
        QTest::newRow("zero hardware address")
            << QVector<Interface>{iface("tun0", "00:00:00:00:00:00", true, false, {"10.8.0.6"})} << QStringList()
            << QStringList{"10.8.0.6"};
        QTest::newRow("down") << QVector<Interface>{iface("Ethernet 2", mac1, false, false, {"10.0.0.9"})}
                              << QStringList() << QStringList();
        QTest::newRow("loopback interface")
            << QVector<Interface>{iface("lo", mac1, true, true, {"127.0.0.1", "10.9.9.9", "::1"})} << QStringList()
            << QStringList{"10.9.9.9"};
        QTest::newRow("loopback address elsewhere")
            << QVector<Interface>{iface("Ethernet", mac1, true, false, {"127.0.0.5", "10.1.1.1"})}
            << QStringList{"127.0.0.5", "10.1.1.1"} << QStringList{"10.1.1.1"};
    }

    void localInterfaces()
    {
        QFETCH(QVector<Interface>, interfaces);
        QFETCH(QStringList, mainAddresses);
        QFETCH(QStringList, dialogAddresses);
        QCOMPARE(NetLocalInfo(interfaces).addresses(), mainAddresses);
        QCOMPARE(NetLocalInfo::configDialogAddresses(interfaces), dialogAddresses);
    }

    void localInterfaceListsStayParallel()
    {
        const NetLocalInfo info({iface("Wi-Fi", mac2, true, false, {"192.168.0.20", "fe80::2", "192.168.0.21"}),
                                 iface("Hyper-V VM Switch", mac1, true, false, {"172.20.0.1"}),
                                 iface("Ethernet", mac1, true, false, {"10.0.0.2"})});
        QCOMPARE(info.names(), (QStringList{"Wi-Fi", "Wi-Fi", "Ethernet"}));
        QCOMPARE(info.addresses(), (QStringList{"192.168.0.20", "192.168.0.21", "10.0.0.2"}));
        QCOMPARE(info.hardwareAddresses(), (QStringList{mac2, mac2, mac1}));
    }

    void realProgramStartSequence()
    {
        const QString orvanto = TestEnvironment::binDir() + QStringLiteral("/Orvanto");
        const QString lockPath = QDir::tempPath() + QStringLiteral("/Orvanto.lock");
        // On this platform user data and configuration share one folder.
        const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Orvanto");
        const QString bin = TestEnvironment::binDir();
        QVERIFY2(QFile::exists(orvanto), qPrintable(orvanto));
        QVERIFY(!QFile::exists(folder));

        // First start with empty per-user folders.
        QProcess first;
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(orvanto, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(startupRuns(folder).size() == 1, 30000);
        const QVector<LogCapture::Entry> run1 = startupRuns(folder).first();
        QStringList expected{
            rule,
            QStringLiteral("Applicaiton: \"Orvanto\""),
            QStringLiteral("App Version: \"1.1.3.0\""),
            QStringLiteral("Built with Qt " QT_VERSION_STR " running on ") + QString::fromLatin1(qVersion()),
            QStringLiteral("OrvLog version: 2.1"),
            QStringLiteral("Running on OS: ") + quoted(QSysInfo::prettyProductName()),
            dashes,
            QStringLiteral("Found Config Path: ") + quoted(folder),
        };
        const QStringList seeded{"Orvanto.ini", "CronJobs.csv", "GroupIP.csv"};
        for (const QString &name : seeded) {
            expected << QStringLiteral("Cloned  ") + quoted(folder + QLatin1Char('/') + name) + QStringLiteral(" true");
            QCOMPARE(readFile(folder + QLatin1Char('/') + name), readFile(bin + QLatin1Char('/') + name));
        }
        expected << QStringLiteral("Load i18n: ") + quoted(bin + QStringLiteral("/i18n/Orvanto_en_US")) +
                        QStringLiteral(" false")
                 << dashes;
        QCOMPARE(texts(run1), expected);
        for (const LogCapture::Entry &e : run1) {
            QCOMPARE(e.level, QStringLiteral("INFO "));
            QVERIFY2(e.origin.contains(QStringLiteral("main.cpp@")), qPrintable(e.origin));
        }

        // A second copy is refused before it touches the log.
        QProcess second;
        second.start(orvanto, QStringList());
        QByteArray secondErr;
        QTRY_VERIFY_WITH_TIMEOUT((secondErr += second.readAllStandardError()).contains(" Locked!"), 30000);
        QVERIFY(secondErr.contains((lockPath + QStringLiteral(" Locked!")).toUtf8()));
        QCOMPARE(second.state(), QProcess::Running); // its warning box waits for the operator
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(startupRuns(folder).size(), 1);
        stop(second);

        // The first copy dies without cleaning up; the operator meanwhile
        // switched the language. The next start takes the stale lock over and
        // finds the user's files, untouched.
        stop(first);
        QVERIFY(QFile::exists(lockPath));
        writeFile(folder + QStringLiteral("/Orvanto.ini"), "[Default]\nLanguage=zh_CN\n");
        QProcess third;
        third.setProcessChannelMode(QProcess::ForwardedChannels);
        third.start(orvanto, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(startupRuns(folder).size() == 2, 30000);
        const QStringList run2 = texts(startupRuns(folder).at(1));
        stop(third);
        expected = expected.mid(0, 8);
        for (const QString &name : seeded)
            expected << QStringLiteral("Found ") + quoted(folder + QLatin1Char('/') + name);
        expected << QStringLiteral("Load i18n: ") + quoted(bin + QStringLiteral("/i18n/Orvanto_zh_CN")) +
                        QStringLiteral(" true")
                 << dashes;
        QCOMPARE(run2, expected);
        QCOMPARE(readFile(folder + QStringLiteral("/Orvanto.ini")), QByteArray("[Default]\nLanguage=zh_CN\n"));
    }
};

ORV_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
