// The script engine's place in the window: the console is the scripts'
// "log", their errors land there in DeepPink, the script line evaluates
// statements or runs the selected job, and a "Stop script" button in the
// status bar, shown while a script runs, stops it from any page.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "automation/scriptedclass.h"
#include "automation/scripthost.h"
#include "automation/scriptsound.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"

#include <QDir>
#include <QPushButton>
#include <QStatusBar>

void MainWindow::setupScriptEngine()
{
    m_scriptHost = new ScriptHost(m_dispatch, ui->plainTextConsole,
                                  QDir(AppFolders::programFolder()).filePath(QStringLiteral("scripts")), this);
    m_scriptHost->setRunLimitMs(qint64(m_settings.scriptLimit) * 60 * 1000);
    m_scriptSound = new ScriptSound(this);
    ScriptedClass *orvanto = m_scriptHost->scriptObject();
    connect(this, &MainWindow::sigUpdateConnectedIP, orvanto, &ScriptedClass::slotUpdateConnectedIP);
    // Saved once the script has let go of the window: a failed save shows a
    // box, which must not open in the middle of a script.
    connect(m_scriptHost, &ScriptHost::sigSaveLogAs, this, &MainWindow::slotSaveLogAs, Qt::QueuedConnection);
    connect(this, &MainWindow::sigPassCmdModel, orvanto, &ScriptedClass::slotCmdModel);
    connect(m_scriptHost, &ScriptHost::sigPlaySound, m_scriptSound, &ScriptSound::play);
    auto *stop = new QPushButton(tr("Stop script"), this);
    stop->setObjectName(QStringLiteral("pushButton_StopScript"));
    stop->setToolTip(tr("Stop the running script"));
    stop->hide();
    statusBar()->addPermanentWidget(stop);
    connect(stop, &QPushButton::clicked, m_scriptHost, &ScriptHost::stop);
    connect(m_scriptHost, &ScriptHost::sigRunning, stop, &QWidget::setVisible);
    connect(m_scriptHost, &ScriptHost::sigLogHtml, this, [this](const QString &html) {
        ui->plainTextConsole->appendHtml(html);
        ui->plainTextConsole->moveCursor(QTextCursor::End);
    });
    connect(m_scriptHost, &ScriptHost::sigLogText, this, &MainWindow::displayLogMessage);
    m_scriptHost->start();
}

void MainWindow::on_lineEditScript_returnPressed()
{
    const QString text = ui->lineEditScript->text();
    if (text.isEmpty()) {
        const int row = ui->tableViewScheduler->currentIndex().row();
        OLOG_DEBUG() << "Script line runs the job of row" << row;
        slotFireTask(row);
        return;
    }
    const QString error = m_scriptHost->evaluateLine(text);
    if (!error.isEmpty())
        statusBar()->showMessage(error);
}
