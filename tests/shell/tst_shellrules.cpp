#include "tests/common/testenvironment.h"

#include "ui/aboutpage.h"
#include "ui/clocktext.h"
#include "ui/darkpalette.h"
#include "ui/shellresources.h"
#include "ui/statusmessagestyle.h"
#include "ui/windowtitle.h"

#include <QApplication>
#include <QDirIterator>
#include <QRegularExpression>
#include <QStyle>

// The shell's widget-free rules, and the resources its sources name.
class TestShellRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ShellResources::ensureLoaded(); }
    void statusMessage_data();
    void statusMessage();
    void clockText_data();
    void clockText();
    void windowTitle();
    void aboutPage();
    void darkPalette();
    void resourcePathsExist();
};

void TestShellRules::statusMessage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("error");
    QTest::newRow("bare prefix") << "Err" << true;
    QTest::newRow("lower case") << "error: refused" << false;
    QTest::newRow("leading blank") << " Error: refused" << false;
    QTest::newRow("notice") << "12 bytes written!" << false;
}

// Failures stay in orange until the next message; notices are cyan for 3 s.
void TestShellRules::statusMessage()
{
    QFETCH(QString, text);
    QFETCH(bool, error);
    const StatusMessageStyle style = StatusMessageStyle::forText(text);
    QCOMPARE(style.isError(), error);
    QCOMPARE(style.styleSheet(), QString(error ? "QStatusBar{color:orange}" : "QStatusBar{color:cyan}"));
    QCOMPARE(style.timeoutMs(), error ? 0 : 3000);
}

void TestShellRules::clockText_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<bool>("schedulerOn");
    QTest::addColumn<QString>("expected");
    QTest::newRow("off") << QTime(14, 5, 9) << false << "00:00";
    QTest::newRow("on, odd second") << QTime(7, 5, 9) << true << "07:05";
    QTest::newRow("on, even second: the colon blinks") << QTime(14, 5, 8) << true << "14 05";
    QTest::newRow("midnight") << QTime(0, 0, 0) << true << "00 00";
}

void TestShellRules::clockText()
{
    QFETCH(QTime, now);
    QFETCH(bool, schedulerOn);
    QFETCH(QString, expected);
    QCOMPARE(ClockText::text(now, schedulerOn), expected);
}

void TestShellRules::windowTitle()
{
    const QString os = "Debian GNU/Linux 12 (bookworm)";
    QCOMPARE(WindowTitle::compose({}, {}, os), QString("Orvanto - 1.1.3.0 (Debian GNU/Linux 12 (bookworm))"));
    QCOMPARE(WindowTitle::compose({"192.168.1.20", "10.0.0.5"}, {"AA:BB:CC:00:11:22", "AA:BB:CC:00:11:33"}, os),
             QString("Orvanto - 1.1.3.0   @192.168.1.20[AA:BB:CC:00:11:22] (Debian GNU/Linux 12 (bookworm))"));
}

void TestShellRules::aboutPage()
{
    QCOMPARE(AboutPage::title("Mar  5 2024"), QString("Orvanto ReleaseBuild-Mar  5 2024"));
    QCOMPARE(AboutPage::compose("<p>page</p>", "OS X", "10.1.2.3", "/opt/orv", "/data/orv", "/cfg/orv"),
             QString("<p>page</p><br>OS: OS X<br>IP: 10.1.2.3<br>App: /opt/orv<br>Log: /data/orv<br>Config: /cfg/orv"));
    // Every shipped page names the product and its version, and is UTF-8.
    for (const char *language : {"en_US", "zh_CN", "zh_TW"}) {
        QFile page(AboutPage::resourcePath(language));
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        const QByteArray bytes = page.readAll();
        const QString html = QString::fromUtf8(bytes);
        QCOMPARE(html.toUtf8(), bytes);
        QVERIFY(html.contains("Orvanto") && html.contains("1.1.3.0"));
    }
    QVERIFY(!QFile::exists(AboutPage::resourcePath("fr_FR")));
}

void TestShellRules::darkPalette()
{
    const QPalette dark = DarkPalette::make();
    QVERIFY(DarkPalette::isDark(dark));
    QVERIFY(!DarkPalette::isDark(QApplication::style()->standardPalette()));
    // The main texts stay readable on their backgrounds.
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::HighlightedText, QPalette::Highlight}};
    for (const auto &[text, background] : pairs)
        QVERIFY(qAbs(dark.color(text).lightness() - dark.color(background).lightness()) >= 80);
}

// Every ":/..." path written in the program's sources and forms must be in
// the resource file, or the picture silently goes missing at run time.
void TestShellRules::resourcePathsExist()
{
    const QString source = TestEnvironment::sourceDir();
    if (source.isEmpty())
        QSKIP("ORV_SOURCE_DIR is not set");
    static const QRegularExpression pathPattern(":(/(?:images|html|font|audio)/[A-Za-z0-9_@.\\-]+)");
    QStringList checked;
    for (const char *folder : {"/ui", "/app", "/monitor", "/automation", "/panel"}) {
        QDirIterator it(source + folder, {"*.cpp", "*.h", "*.ui", "*.html", "*.qml"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QRegularExpressionMatchIterator matches = pathPattern.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext()) {
                const QString path = ':' + matches.next().captured(1);
                // The About page is looked up by language at run time.
                if (!path.endsWith("About_"))
                    QVERIFY2(QFile::exists(path), qPrintable(file.fileName() + ": " + path));
                checked << path;
            }
        }
    }
    QVERIFY(checked.contains(":/images/Orvanto_Favicon.png") && checked.contains(":/font/monofonto.ttf"));
}

ORV_TEST_MAIN(TestShellRules)
#include "tst_shellrules.moc"
