#include "app/appfolders.h"
#include "app/configseeder.h"
#include "app/instancelock.h"
#include "app/startuplog.h"
#include "app/translationloader.h"
#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTranslator>
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

QString shippedTranslation()
{
    return TestEnvironment::binDir() + QStringLiteral("/i18n/Orvanto_zh_CN.qm");
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void instanceLock_pathInTemporaryFolder();
    void instanceLock_secondHolderRefused();
    void instanceLock_releasedOnUnlock();

    void folders_ensure();
    void folders_userDataMessages();

    void seeding_firstAndSecondStart();
    void seeding_missingShippedFile();
    void seeding_copyOfReadOnlyFileIsEditable();

    void translation_languageFromConfig_data();
    void translation_languageFromConfig();
    void translation_path();
    void translation_load_data();
    void translation_load();
    void translation_shippedFileTranslates();

    void startupLog_fileDestination();
};

void TestStartup::instanceLock_pathInTemporaryFolder()
{
    QCOMPARE(InstanceLock::defaultPath(), QDir::tempPath() + QStringLiteral("/Orvanto.lock"));
    // The isolated test home is in force, so this is not the user's lock.
    QVERIFY(InstanceLock::defaultPath().startsWith(TestEnvironment::root()));
    QCOMPARE(InstanceLock().path(), InstanceLock::defaultPath());
}

void TestStartup::instanceLock_secondHolderRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvanto.lock"));
    QLockFile other(path);
    QVERIFY(other.lock());

    InstanceLock lock(path);
    QVERIFY(!lock.tryLock(100));
    QVERIFY(!lock.isLocked());
    QCOMPARE(lock.error(), QLockFile::LockFailedError);
    // The refused attempt must not have disturbed the holder.
    QVERIFY(other.isLocked());
    QVERIFY(QFile::exists(path));

    other.unlock();
    QVERIFY(lock.tryLock(100));
    QVERIFY(lock.isLocked());
    QLockFile third(path);
    QVERIFY(!third.tryLock(0));
}

void TestStartup::instanceLock_releasedOnUnlock()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvanto.lock"));
    {
        InstanceLock lock(path);
        QVERIFY(lock.tryLock());
        QVERIFY(lock.tryLock()); // asking again while holding it is harmless
        QVERIFY(QFile::exists(path));
        lock.unlock();
        QVERIFY(!QFile::exists(path));
        QVERIFY(lock.tryLock());
    }
    // Released when the holder goes away.
    QVERIFY(!QFile::exists(path));
}

void TestStartup::folders_ensure()
{
    QTemporaryDir dir;
    const QString existing = dir.path();
    const QString fresh = dir.filePath(QStringLiteral("a/b/c"));
    writeFile(dir.filePath(QStringLiteral("plainfile")), "x");
    const QString underFile = dir.filePath(QStringLiteral("plainfile/sub"));

    QCOMPARE(AppFolders::ensureFolder(existing), AppFolders::Preparation::Found);
    QCOMPARE(AppFolders::ensureFolder(fresh), AppFolders::Preparation::Created);
    QVERIFY(QFileInfo(fresh).isDir());
    QCOMPARE(AppFolders::ensureFolder(fresh), AppFolders::Preparation::Found);
    QCOMPARE(AppFolders::ensureFolder(underFile), AppFolders::Preparation::Failed);
    // A file of that name is not a folder.
    QCOMPARE(AppFolders::ensureFolder(dir.filePath(QStringLiteral("plainfile"))), AppFolders::Preparation::Failed);
    QCOMPARE(AppFolders::ensureFolder(QString()), AppFolders::Preparation::Failed);

    // Both per-user folders end in the executable's base name.
    QVERIFY(AppFolders::userDataFolder().endsWith(QStringLiteral("/tst_startup")));
    QVERIFY(AppFolders::configFolder().endsWith(QStringLiteral("/tst_startup")));
    QVERIFY(AppFolders::userDataFolder().startsWith(TestEnvironment::root()));
    QCOMPARE(AppFolders::programFolder(), QCoreApplication::applicationDirPath());
}

void TestStartup::folders_userDataMessages()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data"));
    LogCapture log;

    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("User Data Path Created: ") + quoted(path)));
    QCOMPARE(AppFolders::prepareUserDataFolder(path), AppFolders::Preparation::Created);
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("User Data Path Found: ") + quoted(path)));
    QCOMPARE(AppFolders::prepareUserDataFolder(path), AppFolders::Preparation::Found);

    writeFile(dir.filePath(QStringLiteral("file")), "x");
    const QString bad = dir.filePath(QStringLiteral("file/data"));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("User Data Path Created FAIL! ") + quoted(bad)));
    QCOMPARE(AppFolders::prepareUserDataFolder(bad), AppFolders::Preparation::Failed);

    // Written before the logger has its destinations: plain output only.
    QVERIFY(log.messages().isEmpty());
}

void TestStartup::seeding_firstAndSecondStart()
{
    QTemporaryDir program;
    QTemporaryDir config;
    writeFile(program.filePath(QStringLiteral("Orvanto.ini")), "[Default]\nLanguage=en_US\n");
    writeFile(program.filePath(QStringLiteral("CronJobs.csv")), "Scheduled Jobs\n");
    writeFile(program.filePath(QStringLiteral("GroupIP.csv")), "Group, Select, IP, Name\n");
    QCOMPARE(
        ConfigSeeder::seededFileNames(),
        (QStringList{QStringLiteral("Orvanto.ini"), QStringLiteral("CronJobs.csv"), QStringLiteral("GroupIP.csv")}));

    const QVector<ConfigSeeder::Outcome> first = ConfigSeeder::seed(program.path(), config.path());
    QCOMPARE(first.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QString name = ConfigSeeder::seededFileNames().at(i);
        QCOMPARE(first.at(i).destination, config.filePath(name));
        QVERIFY(first.at(i).copied);
        QVERIFY(!first.at(i).found);
        QCOMPARE(readFile(config.filePath(name)), readFile(program.filePath(name)));
    }

    // The operator edits the copy; a later change of the shipped file must
    // not reach it.
    writeFile(config.filePath(QStringLiteral("Orvanto.ini")), "[Default]\nLanguage=zh_CN\n");
    writeFile(program.filePath(QStringLiteral("Orvanto.ini")), "[Default]\nLanguage=fr_FR\n");
    const QVector<ConfigSeeder::Outcome> second = ConfigSeeder::seed(program.path(), config.path());
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(second.at(i).destination, config.filePath(ConfigSeeder::seededFileNames().at(i)));
        QVERIFY(second.at(i).found);
        QVERIFY(!second.at(i).copied);
    }
    QCOMPARE(readFile(config.filePath(QStringLiteral("Orvanto.ini"))), QByteArray("[Default]\nLanguage=zh_CN\n"));
}

void TestStartup::seeding_missingShippedFile()
{
    QTemporaryDir program;
    QTemporaryDir config;
    writeFile(program.filePath(QStringLiteral("Orvanto.ini")), "[Default]\n");
    writeFile(program.filePath(QStringLiteral("GroupIP.csv")), "Group, Select, IP, Name\n");

    const QVector<ConfigSeeder::Outcome> out = ConfigSeeder::seed(program.path(), config.path());
    QVERIFY(out.at(0).copied);
    QVERIFY(!out.at(1).copied);
    QVERIFY(!out.at(1).found);
    QVERIFY(out.at(2).copied);
    QVERIFY(!QFile::exists(config.filePath(QStringLiteral("CronJobs.csv"))));

    // A configuration folder that could not be made: every copy fails.
    const QVector<ConfigSeeder::Outcome> none =
        ConfigSeeder::seed(program.path(), config.filePath(QStringLiteral("no/such")));
    QCOMPARE(none.size(), 3);
    for (const ConfigSeeder::Outcome &o : none)
        QVERIFY(!o.copied && !o.found);
}

void TestStartup::seeding_copyOfReadOnlyFileIsEditable()
{
    QTemporaryDir program;
    QTemporaryDir config;
    const QString shipped = program.filePath(QStringLiteral("Orvanto.ini"));
    writeFile(shipped, "[Default]\n");
    QFile::setPermissions(shipped, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);

    QVERIFY(ConfigSeeder::seed(program.path(), config.path()).first().copied);
    const QFileDevice::Permissions copied = QFile::permissions(config.filePath(QStringLiteral("Orvanto.ini")));
    QVERIFY(copied & QFileDevice::WriteOwner);
    QVERIFY(copied & QFileDevice::ReadOwner);
}

void TestStartup::translation_languageFromConfig_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("expected");
    QTest::newRow("no file") << QByteArray() << QStringLiteral("en_US");
    QTest::newRow("no key") << QByteArray("[Default]\nStyle=Dark\n") << QStringLiteral("en_US");
    QTest::newRow("other group") << QByteArray("[Other]\nLanguage=zh_CN\n") << QStringLiteral("en_US");
    QTest::newRow("zh_CN") << QByteArray("[Default]\nLanguage=zh_CN\n") << QStringLiteral("zh_CN");
    QTest::newRow("fr_FR") << QByteArray("[Default]\r\nLanguage=fr_FR\r\n") << QStringLiteral("fr_FR");
    QTest::newRow("garbage") << QByteArray("\x01\x02=[[[\n\xff\xfe") << QStringLiteral("en_US");
}

void TestStartup::translation_languageFromConfig()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir config;
    if (!content.isEmpty())
        writeFile(config.filePath(QStringLiteral("Orvanto.ini")), content);
    QCOMPARE(TranslationLoader::languageFromConfig(config.path()), expected);
}

void TestStartup::translation_path()
{
    QCOMPARE(TranslationLoader::translationPath(QStringLiteral("/opt/orv"), QStringLiteral("Orvanto"),
                                                QStringLiteral("zh_CN")),
             QStringLiteral("/opt/orv/i18n/Orvanto_zh_CN"));
}

void TestStartup::translation_load_data()
{
    QTest::addColumn<QStringList>("shipped"); // file names placed in i18n/
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("expected");
    QTest::newRow("exact") << QStringList{QStringLiteral("Orvanto_zh_CN.qm")} << QStringLiteral("zh_CN") << true;
    QTest::newRow("missing language") << QStringList{QStringLiteral("Orvanto_zh_CN.qm")} << QStringLiteral("fr_FR")
                                      << false;
    QTest::newRow("falls back to _zh") << QStringList{QStringLiteral("Orvanto_zh.qm")} << QStringLiteral("zh_CN")
                                       << true;
    QTest::newRow("falls back to bare name")
        << QStringList{QStringLiteral("Orvanto.qm")} << QStringLiteral("zh_TW") << true;
    QTest::newRow("no i18n files") << QStringList() << QStringLiteral("en_US") << false;
}

void TestStartup::translation_load()
{
    QFETCH(QStringList, shipped);
    QFETCH(QString, language);
    QFETCH(bool, expected);
    QVERIFY2(QFile::exists(shippedTranslation()), "the shipped translation is built with the program");

    QTemporaryDir program;
    QDir().mkpath(program.filePath(QStringLiteral("i18n")));
    for (const QString &name : shipped)
        QVERIFY(QFile::copy(shippedTranslation(), program.filePath(QStringLiteral("i18n/") + name)));

    const QString path = TranslationLoader::translationPath(program.path(), QStringLiteral("Orvanto"), language);
    QTranslator translator;
    QCOMPARE(TranslationLoader::loadAndInstall(translator, path), expected);
    QCOMPARE(translator.isEmpty(), !expected);
    QCoreApplication::removeTranslator(&translator);
}

void TestStartup::translation_shippedFileTranslates()
{
    const QString path = TranslationLoader::translationPath(TestEnvironment::binDir(), QStringLiteral("Orvanto"),
                                                            QStringLiteral("zh_CN"));
    QTranslator translator;
    QVERIFY(TranslationLoader::loadAndInstall(translator, path));
    QCOMPARE(QCoreApplication::translate("DialogConfig", "Apply"), QStringLiteral("应用"));
    QCOMPARE(QCoreApplication::translate("QObject", "Warning!"), QStringLiteral("警告！"));
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(QCoreApplication::translate("DialogConfig", "Apply"), QStringLiteral("Apply"));
}

void TestStartup::startupLog_fileDestination()
{
    QTemporaryDir data;
    const QString logPath = StartupLog::logFilePath(data.path());
    QCOMPARE(logPath, data.path() + QStringLiteral("/OrvantoLOG.log"));
    writeFile(logPath, "earlier run\n");

    QTest::ignoreMessage(QtDebugMsg, qPrintable(quoted(logPath)));
    StartupLog::setUpLogger(logPath);
    QCOMPARE(OrvLogging::Logger::instance().loggingLevel(), OrvLogging::TraceLevel);
    OLOG_TRACE() << "trace passes";

    // Appended to the earlier run's lines, every level written.
    const QStringList lines = QString::fromUtf8(readFile(logPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), QStringLiteral("earlier run"));
    QVERIFY2(lines.last().startsWith(QStringLiteral("TRACE ")), qPrintable(lines.last()));
    QVERIFY2(lines.last().endsWith(QStringLiteral(" trace passes ")), qPrintable(lines.last()));
}

ORV_TEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
