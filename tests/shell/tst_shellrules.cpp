#include "tests/common/testenvironment.h"

#include "ui/aboutpage.h"
#include "ui/clocktext.h"
#include "ui/darkpalette.h"
#include "ui/projectormodellist.h"
#include "ui/shellfonts.h"
#include "ui/shellresources.h"
#include "ui/statusmessagestyle.h"
#include "ui/windowtitle.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>

class TestShellRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ShellResources::ensureLoaded(); }
    void statusMessage_data();
    void statusMessage();
    void clockText_data();
    void clockText();
    void clockStyleSheet();
    void countdown_data();
    void countdown();
    void windowTitle_data();
    void windowTitle();
    void aboutPage();
    void darkPalette();
    void projectorModels();
    void fonts();
    void resourcePathsExist();
    void sizedPicturesHaveTheirSize();
};

void TestShellRules::statusMessage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("error");
    QTest::newRow("connect failure") << "Error: Connection refused" << true;
    QTest::newRow("bare prefix") << "Err" << true;
    QTest::newRow("lower case") << "error: refused" << false;
    QTest::newRow("leading blank") << " Error: refused" << false;
    QTest::newRow("bytes written") << "12 bytes written!" << false;
    QTest::newRow("empty") << "" << false;
}

void TestShellRules::statusMessage()
{
    QFETCH(QString, text);
    QFETCH(bool, error);
    const StatusMessageStyle style = StatusMessageStyle::forText(text);
    QCOMPARE(style.isError(), error);
    QCOMPARE(style.styleSheet(),
             error ? QStringLiteral("QStatusBar{color:orange}") : QStringLiteral("QStatusBar{color:cyan}"));
    QCOMPARE(style.timeoutMs(), error ? 0 : 3000);
}

void TestShellRules::clockText_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<bool>("schedulerOn");
    QTest::addColumn<QString>("expected");
    QTest::newRow("off") << QTime(14, 5, 9) << false << "00:00";
    QTest::newRow("off even second") << QTime(23, 59, 58) << false << "00:00";
    QTest::newRow("on odd second") << QTime(14, 5, 9) << true << "14:05";
    QTest::newRow("on even second") << QTime(14, 5, 8) << true << "14 05";
    QTest::newRow("midnight") << QTime(0, 0, 0) << true << "00 00";
    QTest::newRow("morning odd") << QTime(7, 30, 59) << true << "07:30";
}

void TestShellRules::clockText()
{
    QFETCH(QTime, now);
    QFETCH(bool, schedulerOn);
    QFETCH(QString, expected);
    QCOMPARE(ClockText::text(now, schedulerOn), expected);
}

void TestShellRules::clockStyleSheet()
{
    QCOMPARE(ClockText::applicationStyleSheet(true), QStringLiteral("QToolButton{color:#20e020}"));
    QCOMPARE(ClockText::applicationStyleSheet(false), QStringLiteral("QToolButton{color:#606060;font-weight:bold}"));
}

void TestShellRules::countdown_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0 << "00:00:00";
    QTest::newRow("nine minutes") << 540 << "00:09:00";
    QTest::newRow("mixed") << 3725 << "01:02:05";
    QTest::newRow("overdue") << -4 << "00:00:00";
}

void TestShellRules::countdown()
{
    QFETCH(int, seconds);
    QFETCH(QString, expected);
    QCOMPARE(ClockText::countdown(seconds), expected);
}

void TestShellRules::windowTitle_data()
{
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QStringList>("macs");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no network") << QStringList() << QStringList()
                                << "Orvanto - 1.1.3.0 (Debian GNU/Linux 12 (bookworm))";
    QTest::newRow("first of two")
        << QStringList{"192.168.1.20", "10.0.0.5"} << QStringList{"AA:BB:CC:00:11:22", "AA:BB:CC:00:11:33"}
        << "Orvanto - 1.1.3.0   @192.168.1.20[AA:BB:CC:00:11:22] (Debian GNU/Linux 12 (bookworm))";
}

void TestShellRules::windowTitle()
{
    QFETCH(QStringList, addresses);
    QFETCH(QStringList, macs);
    QFETCH(QString, expected);
    QCOMPARE(WindowTitle::compose(addresses, macs, QStringLiteral("Debian GNU/Linux 12 (bookworm)")), expected);
}

void TestShellRules::aboutPage()
{
    QCOMPARE(AboutPage::resourcePath(QStringLiteral("zh_TW")), QStringLiteral(":/html/About_zh_TW.html"));
    QCOMPARE(AboutPage::title(QStringLiteral("Mar  5 2024")), QStringLiteral("Orvanto ReleaseBuild-Mar  5 2024"));
    const QString text =
        AboutPage::compose(QStringLiteral("<p>page</p>"), QStringLiteral("OS X"), QStringLiteral("10.1.2.3"),
                           QStringLiteral("/opt/orv"), QStringLiteral("/data/orv"), QStringLiteral("/cfg/orv"));
    QCOMPARE(text, QStringLiteral("<p>page</p><br>OS: OS X<br>IP: 10.1.2.3<br>App: /opt/orv<br>Log: /data/orv"
                                  "<br>Config: /cfg/orv"));

    // Every shipped page names the product and its version, and is UTF-8.
    for (const QString &language : {QStringLiteral("en_US"), QStringLiteral("zh_CN"), QStringLiteral("zh_TW")}) {
        QFile page(AboutPage::resourcePath(language));
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        const QByteArray bytes = page.readAll();
        const QString html = QString::fromUtf8(bytes);
        QCOMPARE(html.toUtf8(), bytes);
        QVERIFY(html.contains(QLatin1String("Orvanto")));
        QVERIFY(html.contains(QLatin1String("1.1.3.0")));
        QVERIFY(html.contains(QLatin1String("SIL")));
    }
    QVERIFY(QFile(AboutPage::resourcePath(QStringLiteral("zh_CN"))).open(QIODevice::ReadOnly));
    QVERIFY(!QFile::exists(AboutPage::resourcePath(QStringLiteral("fr_FR"))));
}

void TestShellRules::darkPalette()
{
    const QPalette dark = DarkPalette::make();
    QCOMPARE(dark.color(QPalette::Window), QColor(53, 53, 53));
    QCOMPARE(dark.color(QPalette::AlternateBase), QColor(53, 53, 53));
    QCOMPARE(dark.color(QPalette::Base), QColor(25, 25, 25));
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipBase, QPalette::ToolTipText})
        QCOMPARE(dark.color(role), QColor(Qt::white));
    QCOMPARE(dark.color(QPalette::Button), QColor(0x10, 0x35, 0x35));
    QCOMPARE(dark.color(QPalette::BrightText), QColor(Qt::red));
    QCOMPARE(dark.color(QPalette::Link), QColor(48, 220, 130));
    QCOMPARE(dark.color(QPalette::Highlight), QColor(64, 112, 112));
    QCOMPARE(dark.color(QPalette::HighlightedText), QColor(Qt::black));
    QVERIFY(DarkPalette::isDark(dark));
    QVERIFY(!DarkPalette::isDark(QApplication::style()->standardPalette()));
}

void TestShellRules::projectorModels()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"KX4410Q.csv", "AB100.csv", "KX4410Q.png", "notes.txt"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));

    const QVector<ProjectorModelList::Entry> entries = ProjectorModelList::scan(dir.path());
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(0).name, QStringLiteral("AB100"));
    QCOMPARE(entries.at(0).picturePath, dir.path() + QStringLiteral("/AB100.png"));
    QCOMPARE(entries.at(1).name, QStringLiteral("KX4410Q"));
    QCOMPARE(entries.at(1).picturePath, dir.path() + QStringLiteral("/KX4410Q.png"));
    QCOMPARE(entries.at(2).name, QStringLiteral("UnKnown"));
    QCOMPARE(entries.at(2).picturePath, QStringLiteral(":/images/ProjectorBlue.png"));

    const QVector<ProjectorModelList::Entry> none = ProjectorModelList::scan(dir.filePath(QStringLiteral("missing")));
    QCOMPARE(none.size(), 1);
    QCOMPARE(none.at(0).name, QStringLiteral("UnKnown"));
}

void TestShellRules::fonts()
{
    const ShellFonts fonts = ShellFonts::load();
    QVERIFY(!fonts.clockFamily().isEmpty());
    QVERIFY(!fonts.monoFamily().isEmpty());
    // Loading again must not register a second copy.
    const ShellFonts again = ShellFonts::load();
    QCOMPARE(again.clockFamily(), fonts.clockFamily());

    // The families are the ones inside the shipped files.
    QFile clockFile(QString::fromLatin1(ShellFonts::ClockFontPath));
    QVERIFY(clockFile.open(QIODevice::ReadOnly));
    const int id = QFontDatabase::addApplicationFontFromData(clockFile.readAll());
    QVERIFY(id >= 0);
    QCOMPARE(QFontDatabase::applicationFontFamilies(id).value(0), fonts.clockFamily());
    QFontDatabase::removeApplicationFont(id);

    const QFont clock = fonts.clockFont(16);
    QCOMPARE(clock.family(), fonts.clockFamily());
    QCOMPARE(clock.weight(), int(QFont::Bold));
    QCOMPARE(QFontInfo(clock).family(), fonts.clockFamily());

    const QFont mono = fonts.monoItalicFont(10);
    QVERIFY(mono.italic());
    QCOMPARE(QFontInfo(mono).family(), fonts.monoFamily());
    QVERIFY(QFontInfo(mono).fixedPitch());
}

// Every ":/..." path written in the shell's sources and forms must be in the
// resource file, or the picture silently goes missing at run time.
void TestShellRules::resourcePathsExist()
{
    const QString source = TestEnvironment::sourceDir();
    if (source.isEmpty())
        QSKIP("ORV_SOURCE_DIR is not set");
    static const QRegularExpression pathPattern(QStringLiteral(":(/(?:images|html|font|audio)/[A-Za-z0-9_@.\\-]+)"));
    QStringList checked;
    QDirIterator it(source + QStringLiteral("/ui"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui"), QStringLiteral("*.html")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QRegularExpressionMatchIterator matches = pathPattern.globalMatch(text);
        while (matches.hasNext()) {
            const QString path = QLatin1Char(':') + matches.next().captured(1);
            // The About page is looked up by language at run time.
            if (path.endsWith(QLatin1String("About_")))
                continue;
            QVERIFY2(QFile::exists(path), qPrintable(file.fileName() + QStringLiteral(": ") + path));
            checked << path;
        }
    }
    QVERIFY(checked.contains(QStringLiteral(":/images/Orvanto_Favicon.png")));
    QVERIFY(checked.contains(QStringLiteral(":/images/debug128_1.png")));
    QVERIFY(checked.contains(QStringLiteral(":/html/OrvantoLogoGreen.png")));
    QVERIFY(checked.contains(QStringLiteral(":/font/monofonto.ttf")) ||
            QFile::exists(QStringLiteral(":/font/monofonto.ttf")));
    // Pictures that other parts of the program name by path.
    for (const char *path :
         {":/images/cloud0_32x32.png", ":/images/cloud1_32x32.png", ":/images/plus64x64.png", ":/images/del64x64.png",
          ":/images/Lamp0_24x24.png", ":/images/Lamp1_24x24.png", ":/images/Warning_24x24.png",
          ":/images/CheckGreen_32x32.png", ":/images/CheckGreen_64x64.png", ":/images/light-on.png",
          ":/images/light-off.png", ":/images/clock.png", ":/images/clockG.png", ":/images/B32x32.png",
          ":/images/M32x32.png", ":/images/Y32x32.png", ":/images/R32x32.png", ":/images/ProjectorBlue.png",
          ":/font/LiberationMono.ttf"})
        QVERIFY2(QFile::exists(QString::fromLatin1(path)), path);
}

// Pictures whose name carries a size are painted at their natural size (the
// status table draws the lamps into a 48x24 cell), so the size must be true.
void TestShellRules::sizedPicturesHaveTheirSize()
{
    static const QRegularExpression sized(QStringLiteral("(\\d+)x(\\d+)(@2x)?\\.png$"));
    int count = 0;
    QDirIterator it(QStringLiteral(":/images"));
    while (it.hasNext()) {
        const QString path = it.next();
        const QRegularExpressionMatch match = sized.match(path);
        if (!match.hasMatch())
            continue;
        const int scale = match.captured(3).isEmpty() ? 1 : 2;
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), QSize(match.captured(1).toInt(), match.captured(2).toInt()) * scale);
        ++count;
    }
    QVERIFY(count >= 20);
}

ORV_TEST_MAIN(TestShellRules)
#include "tst_shellrules.moc"
