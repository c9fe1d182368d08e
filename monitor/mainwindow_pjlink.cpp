// Main window: PJLink projectors in the status table, the discovery and the
// console. The logic lives in PJLinkMonitor and PJLinkListener; this is the
// wiring between them and the window's own owners.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "automation/scriptedclass.h"
#include "automation/scripthost.h"
#include "monitor/pjlinkmonitor.h"
#include "monitor/pjlinkscriptroute.h"
#include "monitor/pjlinksearchjoin.h"
#include "monitor/statusmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "net/commanddispatch.h"
#include "net/pjlinkdirectory.h"
#include "net/pjlinklistener.h"
#include "panel/controlpanel.h"
#include "panel/pjlinkinfopanel.h"

void MainWindow::setupPJLink()
{
    m_pjlink = new PJLinkMonitor(m_status->model(), this);
    m_pjlink->setPassword(m_settings.pjlinkPassword);
    connect(m_pjlink, &PJLinkMonitor::sigLog, this, &MainWindow::displayLogMessage);
    connect(m_pjlink, &PJLinkMonitor::sigCmdResult, this, &MainWindow::slotCmdResult);
    // A PJLink projector answers: its row is reachable like an op one. The
    // op queries and the op power walk leave it out.
    m_status->setPJLinkDirectory(m_pjlink->directory());
    new PJLinkSearchJoin(m_pjlink, m_targetSearch, m_dispatch, this);
    connect(m_status, &StatusMonitor::sigSwitchConfirmed, m_pjlink, &PJLinkMonitor::switchAll);
    // Rows that did not answer op are asked on the PJLink port; the ones
    // that greet there are swept with every status sweep from then on.
    connect(m_status, &StatusMonitor::sigStatusSweepSent, this, [this](const QStringList &connected) {
        QStringList others;
        TableModelStatus *model = m_status->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString ip = model->cell(row, TableModelStatus::AddressColumn);
            if (ip.isEmpty())
                continue;
            if (m_pjlink->directory()->isPJLink(ip))
                m_dispatch->addConnectedIP(ip); // a new search may have dropped it
            if (!connected.contains(ip) || m_pjlink->directory()->isPJLink(ip))
                others << ip;
        }
        m_pjlink->sweep(others);
    });

    // Scripts reach PJLink projectors with PJLink lines.
    if (m_scriptHost) {
        auto *route = new PJLinkScriptRoute(m_pjlink, this);
        ScriptedClass *orvanto = m_scriptHost->scriptObject();
        connect(route, &PJLinkScriptRoute::sigResult, orvanto, &ScriptedClass::slotTcpCmdResult);
        connect(route, &PJLinkScriptRoute::sigSettled, orvanto, &ScriptedClass::routeSettled);
        orvanto->setRoute(
            [route](const QString &ip, const QStringList &commands) { return route->send(ip, commands); });
    }

    m_pjlinkListener = new PJLinkListener(this);
    // Without the port (another program has it) PJLink discovery and
    // notifications are off; everything else works.
    m_pjlinkListener->start();
    connect(m_pjlinkListener, &PJLinkListener::sigNotification, m_pjlink, &PJLinkMonitor::notify);
    connect(m_pjlinkListener, &PJLinkListener::sigAcknowledged, this, [this](const QString &ip, const QString &mac) {
        UdpFoundIP(ip, QString(), QString(), mac);
        m_pjlink->directory()->setProbed(ip, true);
        m_pjlink->directory()->setClassAnswer(ip, QStringLiteral("2"));
        m_pjlink->sweep({ip});
    });
}

void MainWindow::setupPJLinkPanel()
{
    auto *panel = new PJLinkInfoPanel(ui->tabWidgetControlPanel, m_pjlink, this);
    m_controlPanel->setOtherProtocol([this](const QString &ip) { return m_pjlink->directory()->isPJLink(ip); });
    connect(m_controlPanel, &ControlPanel::sigTargetChanged, panel, &PJLinkInfoPanel::setTarget);
    panel->setTarget(m_controlPanel->target());
}
