#include "tests/panel/panelfixture.h"

#include "app/appfolders.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QAction>
#include <QInputDialog>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

const QString PanelFixture::Ip = QStringLiteral("127.0.0.2");

PanelFixture::PanelFixture() = default;
PanelFixture::~PanelFixture() = default;

bool PanelFixture::start(bool dark)
{
    const QString catalogue = TestEnvironment::binDir() + "/pluginPJ/KX4410Q.csv";
    if (!m_sim.start(
            {"--address", Ip, "--model", "KX4410Q", "--catalogue", catalogue, "--power", "2", "--log-requests"})) {
        m_error = m_sim.errorText();
        return false;
    }
    const QString config = AppFolders::configFolder();
    AppFolders::ensureFolder(AppFolders::userDataFolder());
    const QString ini = "[Default]\nCmdFile=KX4410Q.csv\nTcpPort=7000\nStyle=%1\nLocalIP=127.0.0.1\n";
    if (!TestFiles::write(config + "/GroupIP.csv",
                          "Group, Select, IP, Name\nHall A,1\n ,1," + Ip.toLatin1() + ",Left\n") ||
        !TestFiles::write(config + "/Orvanto.ini", ini.arg(dark ? "Dark" : "Light").toLatin1()))
        return false;

    m_window = std::make_unique<MainWindow>();
    m_window->resize(1280, 800);
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return false;
    if (!QTest::qWaitFor([this] { return m_window->dispatch()->isConnected(Ip); }, 10000)) {
        m_error = "projector not connected";
        return false;
    }
    m_window->selectTarget(Ip);
    m_window->findChild<QAction *>("actionControlPanel")->trigger();
    // The Info tab's first refresh also loads the model's catalogue.
    return QTest::qWaitFor([this] { return m_window->commandCatalogue()->hasRowsForIP(Ip); }, 5000);
}

QTabWidget *PanelFixture::tabs() const
{
    return child<QTabWidget>("tabWidgetControlPanel");
}

void PanelFixture::clickTab(int index)
{
    QTabBar *bar = tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

void PanelFixture::answerPasscodeWith(const QString &code)
{
    m_modalCloser.setInspector([code](QWidget *modal) {
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setTextValue(code);
            input->accept();
        }
    });
}

void PanelFixture::readRequests()
{
    // The simulator's error output is handed back whole every time.
    const QByteArray everything = m_sim.standardError();
    m_pending += everything.mid(m_consumed);
    m_consumed = everything.size();
    int end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromLatin1(m_pending.left(end));
        m_pending.remove(0, end + 1);
        const QString prefix = QStringLiteral("REQ ") + Ip + QLatin1Char(' ');
        if (line.startsWith(prefix))
            m_lines << line.mid(prefix.size());
    }
}

QStringList PanelFixture::take()
{
    readRequests();
    const QStringList fresh = m_lines.mid(m_taken);
    m_taken = m_lines.size();
    return fresh;
}

QStringList PanelFixture::all()
{
    readRequests();
    return m_lines;
}

bool PanelFixture::waitForRequest(const QString &line, int timeoutMs)
{
    return QTest::qWaitFor(
        [&] {
            readRequests();
            return m_lines.mid(m_taken).contains(line);
        },
        timeoutMs);
}
