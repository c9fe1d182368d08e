// Start-up: one running copy, the configuration folder's seeding, translation,
// the settings file and its dialog, the local interfaces, and the real
// program's start sequence.
#include "app/_dialogconfig.h"
#include "app/appfolders.h"
#include "app/configseeder.h"
#include "app/dialoginstancewarning.h"
#include "app/instancechannel.h"
#include "app/instancelock.h"
#include "app/settingsreader.h"
#include "app/settingsrules.h"
#include "app/settingswriter.h"
#include "net/netlocalinfo.h"
#include "tests/common/logcapture.h"
#include "tests/common/modalcloser.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"
#include "ui/mainwindow.h"

#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

using Interface = NetLocalInfo::Interface;
Q_DECLARE_METATYPE(QVector<NetLocalInfo::Interface>)

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QVERIFY2(TestFiles::write(path, content), qPrintable(path));
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
    for (const QString &line : QString::fromUtf8(TestFiles::read(folder + QStringLiteral("/OrvantoLOG.log")))
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        all.append(LogCapture::parse(line));
    QVector<QVector<LogCapture::Entry>> runs;
    for (int i = 0; i < all.size(); ++i) {
        for (int j = i + 1; LogCapture::text(all.at(i)) == rule && j + 1 < all.size(); ++j) {
            // The run's translation lines (ours, then Qt's own) end its start-up.
            const QString text = LogCapture::text(all.at(j));
            if ((text.startsWith(QStringLiteral("Load i18n:")) || text.startsWith(QStringLiteral("Load Qt i18n:"))) &&
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

        // The refused copy says so, shows the box and ends with code 1.
        ModalCloser closer;
        QTest::ignoreMessage(QtDebugMsg, qPrintable(path + QStringLiteral(" Locked!")));
        QCOMPARE(DialogInstanceWarning::refuse(lock.path()), 1);
        QCOMPARE(closer.titles(), QStringList{"Warning!"});
        QCOMPARE(closer.texts(), QStringList{"Orvanto is running!"});

        // Once the running window came forward, no box.
        closer.clear();
        QTest::ignoreMessage(QtDebugMsg, qPrintable(path + QStringLiteral(" Locked!")));
        QCOMPARE(DialogInstanceWarning::refuse(lock.path(), true), 1);
        QVERIFY(closer.titles().isEmpty());
    }

    void secondStartCallsTheRunningCopy()
    {
        QTemporaryDir dir;
        const QString name = InstanceChannel::serverNameFor(dir.filePath(QStringLiteral("Orvanto.lock")));
        InstanceChannel running;
        QVERIFY(running.listen(name));
        QSignalSpy raise(&running, &InstanceChannel::sigRaiseRequested);
        int answered = -1;
        InstanceChannel second;
        second.callRunning(name, 3000, [&answered](bool raised) { answered = raised; });
        QTRY_COMPARE(answered, 1);
        QCOMPARE(raise.count(), 1);

        // Nobody there: the caller hears so and goes on.
        answered = -1;
        InstanceChannel lonely;
        lonely.callRunning(name + QStringLiteral("-none"), 3000, [&answered](bool raised) { answered = raised; });
        QTRY_COMPARE(answered, 0);
    }

    void lockIsPerUser()
    {
        QTemporaryDir runtime;
        const QString temp = QStringLiteral("/tmp");
        QCOMPARE(InstanceLock::pathFor(runtime.path(), temp, 1000), runtime.filePath(QStringLiteral("Orvanto.lock")));
        // No runtime folder: the shared temporary folder, under a name of this user's.
        QCOMPARE(InstanceLock::pathFor(QString(), temp, 1000), QStringLiteral("/tmp/Orvanto-1000.lock"));
        QCOMPARE(InstanceLock::pathFor(runtime.filePath(QStringLiteral("gone")), temp, 1001),
                 QStringLiteral("/tmp/Orvanto-1001.lock"));
        QCOMPARE(InstanceLock::defaultPath(),
                 qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/Orvanto.lock"));
    }

    void folderFailureLines()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("file")), "x");
        const QString blocked = dir.filePath(QStringLiteral("file/Orvanto"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^User Data Path Created FAIL! .*file/Orvanto")));
        QCOMPARE(AppFolders::prepareUserDataFolder(blocked), AppFolders::Preparation::Failed);
        LogCapture log;
        QCOMPARE(AppFolders::prepareConfigFolder(blocked), AppFolders::Preparation::Failed);
        QCOMPARE(AppFolders::prepareConfigFolder(dir.filePath(QStringLiteral("new"))),
                 AppFolders::Preparation::Created);
        QCOMPARE(log.lines().size(), 2);
        QVERIFY2(log.lines().at(0).startsWith(QStringLiteral("ERROR")) &&
                     log.lines().at(0).contains(QStringLiteral("Config Path Created FAIL! \"") + blocked),
                 qPrintable(log.lines().at(0)));
        QVERIFY2(log.lines().at(1).contains(QStringLiteral("INFO  ")) &&
                     log.lines().at(1).contains(QStringLiteral("Config Path Created: ")),
                 qPrintable(log.lines().at(1)));
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
        QCOMPARE(TestFiles::read(config.path() + ini), TestFiles::read(shipped.path() + ini));
        QVERIFY(QFile::permissions(config.path() + ini) & QFileDevice::WriteOwner); // the user may edit it
        // A later start must leave the user's edited copy: realProgramStartSequence.
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
            {{"--", other}, other},                                    // after the end of the options
            {{dir.filePath(QStringLiteral("missing.ini"))}, inConfig}, // a missing file
            {{other, other}, inConfig},                                // two arguments: both ignored
            {{dir.path()}, inConfig},                                  // a folder
        };
        for (const auto &c : cases) {
            const AppSettings s = SettingsReader::read(program + c.first, config);
            QCOMPARE(s.iniPath, c.second);
            QCOMPARE(s.tcpPort, c.second == other ? 7002 : 7001);
        }

        // What support staff find in the log about the settings read.
        LogCapture log;
        SettingsReader::read(program + QStringList{dir.filePath(QStringLiteral("missing.ini"))}, config);
        SettingsReader::read(program, dir.filePath(QStringLiteral("nowhere")));
        const QString missing = quoted(dir.filePath(QStringLiteral("missing.ini")));
        const QStringList lines = log.messages();
        const QLocale locale = QLocale::system();
        const QString language = QStringLiteral("Local Language: ") +
                                 quoted(QLocale::countryToString(locale.country())) + QStringLiteral(" > ") +
                                 quoted(locale.name());
        QCOMPARE(lines.mid(0, 6),
                 (QStringList{QStringLiteral("Command Line Arguments: 2 (\"/opt/orv/Orvanto\", %1)").arg(missing),
                              QStringLiteral("INI file:  ") + missing,
                              QStringLiteral("INI file: ") + quoted(inConfig) + QStringLiteral(" Exist!"),
                              QStringLiteral("Default INI: (\"TcpPort\")"), language,
                              QStringLiteral("INI Language: \"en_US\"")}));
        QCOMPARE(lines.mid(8, 2), (QStringList{QStringLiteral("INI file: ") +
                                                   quoted(dir.filePath(QStringLiteral("nowhere/Orvanto.ini"))) +
                                                   QStringLiteral(" Not Found!"),
                                               QStringLiteral("Default INI: ()")}));
        QCOMPARE(log.matching({QStringLiteral("INFO  ")}).size(), 12);
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

    void settingsFallbacks_data()
    {
        QTest::addColumn<QString>("line"); // Key=value
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<bool>("fallsBack");
        const auto row = [](const char *line, const char *field, const QVariant &expected, bool fallsBack) {
            QTest::newRow(line) << QString(line) << QString(field) << expected << fallsBack;
        };
        row("TcpPort=abc", "tcpPort", 7000, true);
        row("TcpPort=0", "tcpPortText", "7000", true);
        row("TcpPort=65536", "tcpPort", 7000, true);
        row("TcpPort=65535", "tcpPort", 65535, false);
        row("IpTotal=255", "ipTotal", 25, true); // past the subnet
        row("IpTotal=254", "ipTotal", 254, false);
        row("StatusPoll=0", "statusPoll", 9, true);
        row("StatusPoll=35792", "statusPoll", 9, true); // beyond the timer
        row("StatusPoll=35791", "statusPoll", 35791, false);
        row("UdpPortRx=x", "udpPortRx", 35069, true);
        row("UdpPortTx=1", "udpPortTx", 35070, false); // never read
        row("Style=Purple", "style", "Dark", true);
        row("Style=Light", "darkStyle", false, false);
        row("CmdFile=missing.csv", "cmdFile", "default.csv", true);
        row("CmdFile=../KX4410Q.csv", "cmdFile", "default.csv", true);
        row("CmdFile=KX4410Q.csv", "cmdFile", "KX4410Q.csv", false);
        row("LocalIP=1", "localIP", "127.0.0.1", true);
        row("LocalIP=10.0.0.300", "localIP", "127.0.0.1", true);
    }

    void settingsFallbacks()
    {
        QFETCH(QString, line);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        QFETCH(bool, fallsBack);
        QTemporaryDir config; // a file of its own: QSettings caches by path
        writeFile(config.filePath(QStringLiteral("Orvanto.ini")), "[Default]\n" + line.toUtf8());
        const QString plugins = TestEnvironment::sourceDir() + QStringLiteral("/pluginPJ");
        LogCapture log(OrvLogging::WarnLevel);
        const AppSettings s = SettingsReader::read(program, config.path(), {}, plugins);
        const QHash<QString, QVariant> fields{
            {"tcpPort", s.tcpPort},       {"tcpPortText", s.tcpPortText}, {"ipTotal", s.ipTotal},
            {"statusPoll", s.statusPoll}, {"udpPortRx", s.udpPortRx},     {"udpPortTx", s.udpPortTx},
            {"style", s.style},           {"darkStyle", s.darkStyle},     {"cmdFile", s.cmdFile},
            {"localIP", s.localIP},
        };
        QVERIFY(fields.contains(field));
        QCOMPARE(fields.value(field), expected);
        const QString key = line.section(QLatin1Char('='), 0, 0);
        const QString note = key + QLatin1Char('=') +
                             fields.value(field == "tcpPortText" ? "tcpPort" : field).toString() +
                             QStringLiteral(" (not \"%1\")").arg(line.section(QLatin1Char('='), 1));
        QCOMPARE(s.fallbacks, fallsBack ? QStringList{note} : QStringList());
        QCOMPARE(log.lines().size(), s.fallbacks.size());
        QCOMPARE(SettingsReader::fallbackStatusMessage(s.fallbacks).contains(note), fallsBack);
        if (fallsBack)
            QVERIFY2(log.lines().first().startsWith(QStringLiteral("WARN ")) && log.lines().first().contains(key),
                     qPrintable(log.lines().first()));
        else
            QVERIFY(SettingsReader::fallbackStatusMessage(s.fallbacks).isEmpty());
    }

    void windowShowsSettingsFallbacks()
    {
        writeFile(configIni(), "[Default]\nTcpPort=abc\nStatusPoll=0\n");
        // The message is up before start-up's first box (the missing local address).
        QString shown;
        std::unique_ptr<MainWindow> window;
        ModalCloser closer;
        closer.setInspector([&](QWidget *) {
            if (shown.isNull())
                shown = window->statusBar()->currentMessage();
        });
        window = std::make_unique<MainWindow>();
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isNull(), 20000);
        QCOMPARE(shown, QStringLiteral(
                            "Error in settings, default used: TcpPort=7000 (not \"abc\"), StatusPoll=9 (not \"0\")"));
    }

    void dialogApplyWritesTheKeys()
    {
        // Field to key for every field: dialogApplyWithoutEditsKeepsTheFile.
        writeFile(configIni(), "[Default]\nLocalIP=10.0.0.1\nMulticastIP=239.1.1.1\n[Other]\nKeep=yes\n");
        DialogConfig dialog(nullptr);
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"));
        // The sandbox has no usable adapter; offer two as a real host would.
        combo->clear();
        combo->addItems({QStringLiteral("192.168.5.5"), QStringLiteral("10.77.0.1")});
        combo->setCurrentIndex(1);
        edit(dialog, "UdpPortRX")->setText(QStringLiteral("36069"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButtonApply")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(iniValue("Default/MulticastIP"), QStringLiteral("239.1.1.1"));
        QCOMPARE(iniValue("Other/Keep"), QStringLiteral("yes"));
        // What the dialog stores is what the main window reads at the next start.
        const AppSettings s = SettingsReader::read(program, AppFolders::configFolder());
        QCOMPARE(s.udpPortRx, 36069);
        QCOMPARE(s.localIP, QStringLiteral("10.77.0.1"));
        // An empty value is never written, not even under a key nobody reads.
        QVERIFY(!TestFiles::read(configIni()).contains("UdpPort="));
        QVERIFY(SettingsWriter::writeGroup(configIni(), QStringLiteral("Default"),
                                           {{QStringLiteral("UdpPort"), QString()}}));
        QVERIFY(!TestFiles::read(configIni()).contains("UdpPort="));

        // Without any address to offer, the stored one stays.
        DialogConfig again(nullptr);
        again.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"))->clear();
        again.on_pushButtonApply_clicked();
        QCOMPARE(iniValue("Default/LocalIP"), QStringLiteral("10.77.0.1"));
    }

    void dialogApplyWithoutEditsKeepsTheFile()
    {
        // Every value differs from its default, so a field read from the
        // wrong key is written back visibly.
        const QByteArray original("[Default]\nCmdFile=KX2800L.csv\nIpTotal=40\nLanguage=zh_CN\nLocalIP=127.0.0.9\n"
                                  "StatusPoll=7\nStyle=Light\nTcpPort=7001\nUdpPortRx=36001\nUdpPortTx=36002\n");
        writeFile(configIni(), original);
        DialogConfig dialog(nullptr);
        dialog.findChild<QComboBox *>(QStringLiteral("comboBoxLocalIP"))->clear(); // as in this sandbox
        dialog.on_pushButtonApply_clicked();
        QCOMPARE(TestFiles::read(configIni()), original);
    }

    void dialogRefusesUnusableValues_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        const auto row = [](const char *field, const char *value) { QTest::newRow(field) << field << value; };
        row("TcpPort", "0");
        row("UdpPortRX", "abc");
        row("UdpPortTX", "");
        row("IpTotal", "255");
        row("StatusPoll", "0");
        row("Style", "Purple");
        row("CmdFile", "../x.csv");
        row("Language", " ");
    }

    void dialogRefusesUnusableValues()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        const QByteArray original("[Default]\nTcpPort=7000\n");
        writeFile(configIni(), original);
        DialogConfig dialog(nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        edit(dialog, field)->setText(value);
        dialog.on_pushButtonApply_clicked();
        QVERIFY(dialog.isVisible());
        QCOMPARE(TestFiles::read(configIni()), original);
        auto *problem = dialog.findChild<QLabel *>(QStringLiteral("labelProblem"));
        QVERIFY(problem->isVisible() && !problem->text().isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), edit(dialog, field));
        // Mended, it saves and says when it counts.
        const ConfigFormValues defaults;
        const QHash<QString, QString> good{{"TcpPort", defaults.tcpPort},       {"UdpPortRX", defaults.udpPortRx},
                                           {"UdpPortTX", defaults.udpPortTx},   {"IpTotal", defaults.ipTotal},
                                           {"StatusPoll", defaults.statusPoll}, {"Style", "Light"},
                                           {"CmdFile", defaults.cmdFile},       {"Language", defaults.language}};
        edit(dialog, field)->setText(good.value(field));
        dialog.on_pushButtonApply_clicked();
        QVERIFY(!dialog.isVisible());
        QVERIFY(TestFiles::read(configIni()) != original);
        QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("labelNextStart"))
                    ->text()
                    .contains(QStringLiteral("next start")));
    }

    void dialogOffersLooksAndLanguages()
    {
        QCOMPARE(SettingsRules::languages(TestEnvironment::binDir()), (QStringList{"en_US", "zh_CN"}));
        DialogConfig dialog(nullptr);
        const auto choices = [&dialog](const QString &field) {
            const QCompleter *completer = edit(dialog, field)->completer();
            return completer ? completer->model()->index(0, 0).data().toString() + QLatin1Char('/') +
                                   QString::number(completer->model()->rowCount())
                             : QString();
        };
        QCOMPARE(choices("Style"), QStringLiteral("Dark/2"));
        QVERIFY(choices("Language").startsWith(QStringLiteral("en_US/")));
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
        QCOMPARE(TestFiles::read(configIni()), original);
    }

    void localInterfaces_data()
    {
        QTest::addColumn<QVector<Interface>>("interfaces");
        QTest::addColumn<QStringList>("mainAddresses");
        QTest::addColumn<QStringList>("dialogAddresses");
        const auto row = [](const char *name, const QVector<Interface> &interfaces, const QStringList &main,
                            const QStringList &dialog) { QTest::newRow(name) << interfaces << main << dialog; };
        row("VM in the name",
            {iface("VMware Network Adapter VMnet8", mac1, true, false, {"192.168.56.1"}),
             iface("Ethernet", mac2, true, false, {"10.0.0.2"})},
            {"10.0.0.2"}, {"10.0.0.2"});
        row("vm in lower case only", {iface("vmnet1", mac1, true, false, {"172.16.0.1"})}, {"172.16.0.1"},
            {"172.16.0.1"});
        row("IPv6 ignored", {iface("Ethernet", mac1, true, false, {"10.0.0.1", "fe80::1"})}, {"10.0.0.1"},
            {"10.0.0.1"});
        row("zero hardware address", {iface("tun0", "00:00:00:00:00:00", true, false, {"10.8.0.6"})}, {}, {"10.8.0.6"});
        row("down", {iface("Ethernet 2", mac1, false, false, {"10.0.0.9"})}, {}, {});
        row("loopback interface", {iface("lo", mac1, true, true, {"127.0.0.1", "10.9.9.9", "::1"})}, {}, {"10.9.9.9"});
        row("loopback address elsewhere", {iface("Ethernet", mac1, true, false, {"127.0.0.5", "10.1.1.1"})},
            {"127.0.0.5", "10.1.1.1"}, {"10.1.1.1"});
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
        const QString lockPath = InstanceLock::defaultPath();
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
            QCOMPARE(TestFiles::read(folder + QLatin1Char('/') + name), TestFiles::read(bin + QLatin1Char('/') + name));
        }
        expected << QStringLiteral("Load i18n: ") + quoted(bin + QStringLiteral("/i18n/Orvanto_en_US")) +
                        QStringLiteral(" false")
                 << dashes;
        QCOMPARE(texts(run1), expected);
        for (const LogCapture::Entry &e : run1)
            QCOMPARE(e.level, QStringLiteral("INFO "));

        // A second copy is refused before it touches the log (its box would
        // wait for the operator: the exit code is DialogInstanceWarning's).
        QProcess second;
        second.start(orvanto, QStringList());
        QByteArray secondErr;
        QTRY_VERIFY_WITH_TIMEOUT((secondErr += second.readAllStandardError()).contains(" Locked!"), 30000);
        QVERIFY(secondErr.contains((lockPath + QStringLiteral(" Locked!")).toUtf8()));
        // The running copy brought its window forward: no box waits, the
        // second copy ends by itself.
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 10000);
        QCOMPARE(second.exitCode(), 1);
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
                 << QStringLiteral("Load Qt i18n: ") +
                        quoted(QLibraryInfo::location(QLibraryInfo::TranslationsPath) + QStringLiteral("/qt_zh_CN")) +
                        QStringLiteral(" true")
                 << dashes;
        QCOMPARE(run2, expected);
        QCOMPARE(TestFiles::read(folder + QStringLiteral("/Orvanto.ini")), QByteArray("[Default]\nLanguage=zh_CN\n"));
    }
};

ORV_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
