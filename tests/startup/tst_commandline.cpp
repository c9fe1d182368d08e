// The command lines of Orvanto and Brivox: what each argument does, and that
// the real programs answer --help, --version and mistakes without a display
// and without making any folder; and where a program finds its shipped files.
#include "app/appfolders.h"
#include "app/commandline.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// No platform plugin can be loaded: a program that reached its QApplication
// would abort instead of answering.
Run runProgram(const QString &name, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none-such"));
    process.setProcessEnvironment(env);
    process.start(TestEnvironment::binDir() + QLatin1Char('/') + name, arguments);
    Run run;
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString dataHome()
{
    return qEnvironmentVariable("XDG_DATA_HOME");
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode"); // -1: the program goes on
        QTest::addColumn<QString>("settingsPath");
        const QString file = TestEnvironment::root() + QStringLiteral("/other.ini");
        QTest::newRow("nothing") << QStringList() << -1 << QString();
        QTest::newRow("settings file") << QStringList{file} << -1 << file;
        QTest::newRow("after the end of the options") << QStringList{"--", file} << -1 << file;
        QTest::newRow("toolkit options pass") << QStringList{"-platform", "offscreen", file} << -1 << file;
        QTest::newRow("help") << QStringList{"-h"} << 0 << QString();
        QTest::newRow("help-all") << QStringList{"--help-all"} << 0 << QString();
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << QString();
        QTest::newRow("two files") << QStringList{file, file} << 2 << QString();
        QTest::newRow("missing file") << QStringList{file + "x"} << 2 << QString();
        QTest::newRow("folder") << QStringList{TestEnvironment::root()} << 2 << QString();
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, settingsPath);
        QVERIFY(TestFiles::write(TestEnvironment::root() + QStringLiteral("/other.ini"), "[Default]\nTcpPort=7002\n"));
        const CommandLine line = CommandLine::parse(QStringList{QStringLiteral("Orvanto")} + arguments);
        QCOMPARE(line.exits(), exitCode >= 0);
        if (line.exits())
            QCOMPARE(line.exitCode(), exitCode);
        QCOMPARE(line.settingsPath(), settingsPath);
    }

    // The language comes from the settings file in use, whichever it is.
    void languageOfTheFileInUse()
    {
        const QString config = TestEnvironment::root() + QStringLiteral("/config");
        const QString other = TestEnvironment::root() + QStringLiteral("/other.ini");
        QVERIFY(TestFiles::write(config + QStringLiteral("/Orvanto.ini"), "[Default]\nLanguage=zh_CN\n"));
        QVERIFY(TestFiles::write(other, "[Default]\nLanguage=fr_FR\n"));
        QCOMPARE(CommandLine::parse({"Orvanto"}).language(config), QStringLiteral("zh_CN"));
        QCOMPARE(CommandLine::parse({"Orvanto", other}).language(config), QStringLiteral("fr_FR"));
        QVERIFY(TestFiles::write(other, "[Default]\nTcpPort=7002\n"));
        QCOMPARE(CommandLine::parse({"Orvanto", other}).language(config), QStringLiteral("en_US"));
    }

    // Beside the executable, under the install prefix, or (a test program)
    // in the build tree's bin next to it; else the executable's own folder.
    void programFolder_data()
    {
        QTest::addColumn<QString>("shipped"); // folder given a pluginPJ, relative to the root
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside") << "build/bin" << "build/bin" << "build/bin";
        QTest::newRow("installed") << "usr/share/orvanto" << "usr/bin" << "usr/share/orvanto";
        QTest::newRow("test program") << "build/bin" << "build/tests" << "build/bin";
        QTest::newRow("nowhere") << "opt/other" << "usr/bin" << "usr/bin";
    }

    void programFolder()
    {
        QFETCH(QString, shipped);
        QFETCH(QString, executable);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(shipped + QStringLiteral("/pluginPJ")));
        QVERIFY(QDir(root.path()).mkpath(executable));
        QCOMPARE(AppFolders::programFolderFor(root.filePath(executable)), root.filePath(expected));
    }

    void realProgramsAnswerWithoutStarting()
    {
        const QString missing = TestEnvironment::root() + QStringLiteral("/missing.ini");
        Run run = runProgram(QStringLiteral("Orvanto"), {"--version"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Orvanto 1.1.3.0\n"));
        run = runProgram(QStringLiteral("Orvanto"), {"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("[settings-file]"));
        run = runProgram(QStringLiteral("Orvanto"), {"--bogus"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("Usage: "));
        run = runProgram(QStringLiteral("Orvanto"), {missing});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(missing.toLocal8Bit()));
        run = runProgram(QStringLiteral("Brivox"), {"--version"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Brivox 0.9.1.0\n"));
        run = runProgram(QStringLiteral("Brivox"), {"-x"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("Usage: "));
        QVERIFY(!QFileInfo::exists(dataHome() + QStringLiteral("/Orvanto")));
        QVERIFY(!QFileInfo::exists(dataHome() + QStringLiteral("/Brivox")));
    }

    // A full start with a settings file named on the command line loads the
    // translation that file asks for.
    void realProgramTakesTheLanguageOfTheFile()
    {
        const QString other = TestEnvironment::root() + QStringLiteral("/other.ini");
        QVERIFY(TestFiles::write(other, "[Default]\nLanguage=zh_CN\n"));
        QProcess orvanto;
        orvanto.setProcessChannelMode(QProcess::ForwardedChannels);
        orvanto.start(TestEnvironment::binDir() + QStringLiteral("/Orvanto"), {other});
        const QString log = dataHome() + QStringLiteral("/Orvanto/OrvantoLOG.log");
        QTRY_VERIFY_WITH_TIMEOUT(TestFiles::read(log).contains("Load i18n:"), 30000);
        orvanto.kill();
        orvanto.waitForFinished(5000);
        QVERIFY2(TestFiles::read(log).contains("/i18n/Orvanto_zh_CN\" true"), TestFiles::read(log).constData());
    }
};

ORV_TEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
