// Main-window utilities: the settings read at start and the console log.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appfolders.h"
#include "app/consolepane.h"
#include "app/tasklogwriter.h"
#include "app/orvlog/OrvLog.h"
#include "app/settingsreader.h"
#include "monitor/history/historyrecorder.h"
#include "panel/controlpanel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>

void MainWindow::readINI()
{
    m_settings = SettingsReader::read(QCoreApplication::arguments(), AppFolders::configFolder(),
                                      m_netLocalInfo.addresses(), pluginFolder());
}

ConsolePane *MainWindow::consolePane()
{
    if (!m_consolePane)
        m_consolePane = new ConsolePane(ui->plainTextConsole, this);
    return m_consolePane;
}

void MainWindow::displayLogMessage(const QString &text)
{
    const ConsoleLogRules::Decision decision = m_consoleRules.process(text);
    if (!decision.show)
        return;
    consolePane()->append(text, decision.colour);
    if (!decision.taskLogStamp.isEmpty()) {
        saveLogFile(decision.taskLogStamp);
        if (m_historyRecorder)
            m_historyRecorder->taskEnded(QTime::fromString(decision.taskLogStamp, QStringLiteral("hhmmss.zzz")));
    }
}

void MainWindow::saveLogFile(const QString &stamp)
{
    // Written by a worker: the end line of a sweep of thousands of
    // projectors arrives with an answer and must not wait for the disk.
    if (!m_taskLogWriter) {
        m_taskLogWriter = new TaskLogWriter(this);
        connect(m_taskLogWriter, &TaskLogWriter::sigFailed, this, [this] {
            QMessageBox::critical(this, tr("Error"), tr("Log file save Error!"), QMessageBox::Ok);
        });
    }
    const QString path = m_consoleRules.taskLogPath(stamp, QDate::currentDate());
    OLOG_DEBUG() << path;
    m_taskLogWriter->write(path, m_consoleRules.taskLogLines());
}

void MainWindow::startConsoleTask(const QTime &stamp, int sessions)
{
    m_consoleRules.clearTaskLines();
    m_consoleRules.addPendingTasks(stamp, sessions);
}

void MainWindow::slotSaveLogAs(const QString &name)
{
    consolePane()->flush();
    if (!m_consoleRules.saveLogAs(name, ui->plainTextConsole->toPlainText(), QDateTime::currentDateTime()))
        QMessageBox::critical(this, tr("Error"), tr("Log file save Error!"), QMessageBox::Ok);
}

void MainWindow::on_pushButtonLogClear_clicked()
{
    // The running task keeps its lines: its log still gets what was cleared.
    consolePane()->clear();
}

void MainWindow::on_pushButtonLogSave_clicked()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Log File As"), m_consoleRules.userDataFolder() + QStringLiteral("/NoNameLog.txt"),
        tr("Text(*.txt)"));
    if (path.isEmpty())
        return;
    consolePane()->flush();
    if (!ConsoleLogRules::writeText(path, ui->plainTextConsole->toPlainText()))
        QMessageBox::critical(this, tr("Error"), tr("Log file save Error!"), QMessageBox::Ok);
}

void MainWindow::on_pushButton_DebugTCP_toggled(bool checked)
{
    m_consoleRules.setShowTcpTraffic(checked);
}

bool MainWindow::checkPasscode()
{
    return m_controlPanel->checkPasscode();
}
