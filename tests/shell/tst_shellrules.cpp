#include "tests/common/testenvironment.h"

#include "net/localipcheck.h"
#include "ui/aboutpage.h"
#include "ui/categorybuttonbox.h"
#include "ui/clocktext.h"
#include "ui/darkpalette.h"
#include "ui/shellfonts.h"
#include "ui/shellresources.h"
#include "ui/statusmessagestyle.h"
#include "ui/windowplacement.h"
#include "ui/windowtitle.h"

#include <QApplication>
#include <QDirIterator>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>

// The shell's widget-free rules, and the resources its sources name.
class TestShellRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ShellResources::ensureLoaded(); }
    void statusMessage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("sheet");
        QTest::newRow("failure, case-sensitive prefix") << "Err" << true << "QStatusBar{color:orange}";
        QTest::newRow("lower case is a notice") << "error: refused" << true << "QStatusBar{color:cyan}";
        QTest::newRow("notice, light look: readable on grey")
            << "12 bytes written!" << false << "QStatusBar{color:#00616b}";
        QTest::newRow("failure, light look") << "Error:Connection refused" << false << "QStatusBar{color:#b34700}";
    }

    // Failures stay until the next message; notices go after 3 s.
    void statusMessage()
    {
        QFETCH(QString, text);
        QFETCH(bool, dark);
        QFETCH(QString, sheet);
        const StatusMessageStyle style = StatusMessageStyle::forText(text, dark);
        QCOMPARE(style.styleSheet(), sheet);
        QCOMPARE(style.timeoutMs(), style.isError() ? 0 : 3000);
    }

    void statusMessageHold_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("shownForMs");
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("kept");
        QTest::newRow("time-out right after a failed connect")
            << "Error:Connection refused" << 0 << "Socket Timeout!" << true;
        QTest::newRow("notice just inside the hold") << "Error:x" << 2999 << "12 bytes written!" << true;
        QTest::newRow("notice after the hold") << "Error:x" << 3000 << "12 bytes written!" << false;
        QTest::newRow("a newer failure replaces") << "Error:x" << 0 << "Error:y" << false;
        QTest::newRow("notices replace notices") << "12 bytes written!" << 0 << "Socket Timeout!" << false;
        QTest::newRow("nothing shown before") << "Error:x" << -1 << "Socket Timeout!" << false;
    }

    void statusMessageHold()
    {
        QFETCH(QString, shown);
        QFETCH(int, shownForMs);
        QFETCH(QString, next);
        QFETCH(bool, kept);
        QCOMPARE(StatusMessageStyle::keepsShown(shown, shownForMs, next), kept);
    }

    void localIpCheck_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QStringList>("local");
        QTest::addColumn<int>("verdict");
        using V = LocalIpCheck::Verdict;
        QTest::newRow("found") << "10.0.0.5" << QStringList{"192.168.1.2", "10.0.0.5"} << int(V::Found);
        QTest::newRow("fresh install, no network") << "127.0.0.1" << QStringList() << int(V::NoNetwork);
        QTest::newRow("configured address, no network") << "10.0.0.5" << QStringList() << int(V::Missing);
        QTest::newRow("default address on a networked host")
            << "127.0.0.1" << QStringList{"10.0.0.5"} << int(V::Missing);
    }

    void localIpCheck()
    {
        QFETCH(QString, configured);
        QFETCH(QStringList, local);
        QFETCH(int, verdict);
        QCOMPARE(int(LocalIpCheck::check(configured, local)), verdict);
    }

    void windowPlacement_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("80 x 90 %, centred") << QRect(0, 0, 1600, 1000) << QSize(700, 500) << QRect(160, 50, 1280, 900);
        QTest::newRow("grown to the minimum") << QRect(0, 0, 1000, 700) << QSize(900, 600) << QRect(50, 35, 900, 630);
        QTest::newRow("small screen: never wider")
            << QRect(0, 24, 800, 576) << QSize(1020, 640) << QRect(0, 24, 800, 576);
    }

    void windowPlacement()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, minimum);
        QFETCH(QRect, expected);
        QCOMPARE(WindowPlacement::mainWindow(available, minimum), expected);
    }

    // Chinese must never show as empty boxes: every distinct character of a
    // zh_CN text, drawn with the faces the shell uses, gives a glyph of its own
    // (a missing font draws one and the same box for all of them).
    void chineseHasGlyphs()
    {
        const QString family = ShellFonts::useChineseFallback("zh_CN");
        QVERIFY2(!family.isEmpty(), "no Chinese font installed (scripts/install-deps.sh installs fonts-wqy-microhei)");
        const QString text = QString::fromUtf8("投影机群管理器状态调度");
        for (QFont font : {QApplication::font(), QFont("Arial")}) {
            font.setPixelSize(24);
            QList<QImage> glyphs;
            for (const QChar c : text) {
                QImage image(32, 32, QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(image.rect(), Qt::AlignCenter, QString(c));
                painter.end();
                QVERIFY2(image != QImage(32, 32, QImage::Format_RGB32), "nothing drawn");
                QVERIFY2(!glyphs.contains(image), qPrintable(font.family() + ": same glyph for " + QString(c)));
                glyphs << image;
            }
        }
    }

    // Categories wrap into rows in their own order, each row within the width.
    void categoryButtonsWrap()
    {
        QWidget page;
        auto *box = new CategoryButtonBox(&page);
        QList<QPushButton *> buttons;
        for (const char *name : {"KX4410Q", "Status", "Power", "Input", "Picture", "Color Management", "3D", "Control",
                                 "Installation", "Lens", "Edge Blend", "Geometry", "Service", "Feature"}) {
            buttons << new QPushButton(name, box);
            box->addButton(buttons.last(), QDialogButtonBox::ActionRole);
        }
        box->resize(360, 30);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QTRY_VERIFY(box->height() > 3 * buttons.first()->height());
        QCOMPARE(box->height(), box->heightForWidth(360));
        for (int i = 0; i < buttons.size(); ++i) {
            const QRect r = buttons.at(i)->geometry();
            QVERIFY2(r.left() >= 0 && r.right() < 360 && r.bottom() < box->height(), qPrintable(buttons.at(i)->text()));
            if (i > 0) {
                const QRect before = buttons.at(i - 1)->geometry();
                QVERIFY(r.top() > before.top() || (r.top() == before.top() && r.left() > before.right()));
            }
        }
    }

    void clockText_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<bool>("schedulerOn");
        QTest::addColumn<QString>("expected");
        QTest::newRow("off") << QTime(14, 5, 9) << false << "00:00";
        QTest::newRow("on, odd second") << QTime(7, 5, 9) << true << "07:05";
        QTest::newRow("on, even second: the colon blinks") << QTime(14, 5, 8) << true << "14 05";
    }

    void clockText()
    {
        QFETCH(QTime, now);
        QFETCH(bool, schedulerOn);
        QFETCH(QString, expected);
        QCOMPARE(ClockText::text(now, schedulerOn), expected);
    }

    void windowTitle()
    {
        const QString os = "Debian GNU/Linux 12 (bookworm)";
        QCOMPARE(WindowTitle::compose({}, {}, os), QString("Orvanto - 1.1.3.0 (Debian GNU/Linux 12 (bookworm))"));
        QCOMPARE(WindowTitle::compose({"192.168.1.20", "10.0.0.5"}, {"AA:BB:CC:00:11:22", "AA:BB:CC:00:11:33"}, os),
                 QString("Orvanto - 1.1.3.0   @192.168.1.20[AA:BB:CC:00:11:22] (Debian GNU/Linux 12 (bookworm))"));
    }

    void aboutPage()
    {
        // Title and page composition: TestShellWindow::aboutBox. Every shipped page names the product and its version, and is UTF-8.
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

    void darkPalette()
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
    void resourcePathsExist()
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
};

ORV_TEST_MAIN(TestShellRules)
#include "tst_shellrules.moc"
