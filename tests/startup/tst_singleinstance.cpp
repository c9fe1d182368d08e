#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

namespace {

QString lockPath()
{
    return QDir::tempPath() + QStringLiteral("/Orvanto.lock");
}

QString probe()
{
    return TestEnvironment::binDir() + QStringLiteral("/orv_lockprobe");
}

QString orvanto()
{
    return TestEnvironment::binDir() + QStringLiteral("/Orvanto");
}

// The manager's per-user folder; on this platform the user data and the
// configuration folder are the same.
QString orvantoFolder()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Orvanto");
}

QVector<LogCapture::Entry> logEntries()
{
    QFile f(orvantoFolder() + QStringLiteral("/OrvantoLOG.log"));
    QVector<LogCapture::Entry> result;
    if (!f.open(QIODevice::ReadOnly))
        return result;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines)
        result.append(LogCapture::parse(line));
    return result;
}

const QString rule = QString(61, QLatin1Char('#'));
const QString dashes = QString(61, QLatin1Char('-'));

// The start-up lines of every run found in the log, from the banner's first
// line to the separator after "Load i18n:".
QVector<QVector<LogCapture::Entry>> startupRuns()
{
    QVector<QVector<LogCapture::Entry>> runs;
    const QVector<LogCapture::Entry> all = logEntries();
    for (int i = 0; i < all.size(); ++i) {
        if (LogCapture::text(all.at(i)) != rule)
            continue;
        for (int j = i + 1; j + 1 < all.size(); ++j) {
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

bool waitForOutput(QProcess &process, const QByteArray &text, QByteArray &collected, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!collected.contains(text)) {
        if (timer.elapsed() > timeoutMs || process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(100);
        collected += process.readAllStandardOutput();
    }
    return true;
}

void stop(QProcess &process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void probe_secondStartRefused();
    void probe_staleLockTakenOver();
    void orvanto_startSequence();
};

void TestSingleInstance::probe_secondStartRefused()
{
    QProcess holder;
    holder.start(probe(), {QStringLiteral("hold")});
    QByteArray holderOut;
    QVERIFY2(waitForOutput(holder, "LOCKED", holderOut, 15000), holderOut.constData());
    QVERIFY(QFile::exists(lockPath()));

    QProcess second;
    second.start(probe(), {QStringLiteral("start")});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("BOX Warning!|Orvanto is running!"));
    QVERIFY(second.readAllStandardError().contains((lockPath() + QStringLiteral(" Locked!")).toUtf8()));

    // The first copy goes on undisturbed and releases the lock at its end.
    QCOMPARE(holder.state(), QProcess::Running);
    QVERIFY(QFile::exists(lockPath()));
    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(15000));
    QCOMPARE(holder.exitCode(), 0);
    QVERIFY(!QFile::exists(lockPath()));

    QProcess third;
    third.start(probe(), {QStringLiteral("start")});
    QVERIFY(third.waitForFinished(15000));
    QCOMPARE(third.exitCode(), 0);
    QCOMPARE(third.readAllStandardOutput().trimmed(), QByteArray("LOCKED"));
}

void TestSingleInstance::probe_staleLockTakenOver()
{
    QProcess holder;
    holder.start(probe(), {QStringLiteral("hold")});
    QByteArray holderOut;
    QVERIFY2(waitForOutput(holder, "LOCKED", holderOut, 15000), holderOut.constData());
    holder.kill();
    QVERIFY(holder.waitForFinished(5000));
    // Killed without a chance to clean up: the lock file stays behind.
    QVERIFY(QFile::exists(lockPath()));

    QProcess next;
    next.start(probe(), {QStringLiteral("start")});
    QVERIFY(next.waitForFinished(15000));
    QCOMPARE(next.exitCode(), 0);
    QCOMPARE(next.readAllStandardOutput().trimmed(), QByteArray("LOCKED"));
}

void TestSingleInstance::orvanto_startSequence()
{
    QVERIFY2(QFile::exists(orvanto()), qPrintable(orvanto()));
    const QString folder = orvantoFolder();
    QVERIFY(!QFile::exists(folder));

    // First start with empty per-user folders.
    QProcess first;
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start(orvanto(), QStringList());
    QTRY_VERIFY_WITH_TIMEOUT(startupRuns().size() == 1, 30000);

    const QVector<LogCapture::Entry> run1 = startupRuns().first();
    const QString bin = TestEnvironment::binDir();
    const QStringList expected1{
        rule,
        QStringLiteral("Applicaiton: \"Orvanto\""),
        QStringLiteral("App Version: \"1.1.3.0\""),
        QStringLiteral("Built with Qt " QT_VERSION_STR " running on ") + QString::fromLatin1(qVersion()),
        QStringLiteral("OrvLog version: 2.1"),
        QStringLiteral("Running on OS: ") + quoted(QSysInfo::prettyProductName()),
        dashes,
        QStringLiteral("Found Config Path: ") + quoted(folder),
        QStringLiteral("Cloned  ") + quoted(folder + QStringLiteral("/Orvanto.ini")) + QStringLiteral(" true"),
        QStringLiteral("Cloned  ") + quoted(folder + QStringLiteral("/CronJobs.csv")) + QStringLiteral(" true"),
        QStringLiteral("Cloned  ") + quoted(folder + QStringLiteral("/GroupIP.csv")) + QStringLiteral(" true"),
        QStringLiteral("Load i18n: ") + quoted(bin + QStringLiteral("/i18n/Orvanto_en_US")) + QStringLiteral(" false"),
        dashes,
    };
    QCOMPARE(texts(run1), expected1);
    for (const LogCapture::Entry &e : run1) {
        QCOMPARE(e.level, QStringLiteral("INFO "));
        QVERIFY2(e.origin.contains(QStringLiteral("main.cpp@")), qPrintable(e.origin));
    }
    for (const QString &name :
         {QStringLiteral("Orvanto.ini"), QStringLiteral("CronJobs.csv"), QStringLiteral("GroupIP.csv")}) {
        QFile shipped(bin + QLatin1Char('/') + name);
        QFile copy(folder + QLatin1Char('/') + name);
        QVERIFY(shipped.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), shipped.readAll());
    }

    // A second copy is refused before it touches the log.
    QProcess second;
    second.start(orvanto(), QStringList());
    QByteArray secondErr;
    QTRY_VERIFY_WITH_TIMEOUT((secondErr += second.readAllStandardError()).contains(" Locked!"), 30000);
    QVERIFY(secondErr.contains((lockPath() + QStringLiteral(" Locked!")).toUtf8()));
    QCOMPARE(second.state(), QProcess::Running); // its warning box is waiting for the operator
    QCOMPARE(first.state(), QProcess::Running);
    QCOMPARE(startupRuns().size(), 1);
    stop(second);

    // The first copy dies without cleaning up; the operator meanwhile
    // switched the language. The next start takes the stale lock over and
    // finds the user's files.
    stop(first);
    QVERIFY(QFile::exists(lockPath()));
    {
        QFile ini(folder + QStringLiteral("/Orvanto.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write("[Default]\nLanguage=zh_CN\n");
    }
    QProcess third;
    third.setProcessChannelMode(QProcess::ForwardedChannels);
    third.start(orvanto(), QStringList());
    QTRY_VERIFY_WITH_TIMEOUT(startupRuns().size() == 2, 30000);
    const QStringList run2 = texts(startupRuns().at(1));
    stop(third);

    QCOMPARE(run2.mid(0, 7), expected1.mid(0, 7));
    const QStringList expected2{
        QStringLiteral("Found Config Path: ") + quoted(folder),
        QStringLiteral("Found ") + quoted(folder + QStringLiteral("/Orvanto.ini")),
        QStringLiteral("Found ") + quoted(folder + QStringLiteral("/CronJobs.csv")),
        QStringLiteral("Found ") + quoted(folder + QStringLiteral("/GroupIP.csv")),
        QStringLiteral("Load i18n: ") + quoted(bin + QStringLiteral("/i18n/Orvanto_zh_CN")) + QStringLiteral(" true"),
        dashes,
    };
    QCOMPARE(run2.mid(7), expected2);
    QFile ini(folder + QStringLiteral("/Orvanto.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), QByteArray("[Default]\nLanguage=zh_CN\n"));
}

ORV_TEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
