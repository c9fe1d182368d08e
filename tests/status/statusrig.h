#pragma once

#include "app/consolelogrules.h"
#include "monitor/statusmonitor.h"
#include "monitor/tablemodelstatus.h"
#include "net/answerline.h"
#include "net/cataloguefiles.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "tests/common/testenvironment.h"

#include <QDir>
#include <QStringList>

// A status monitor wired the way the window wires it (answer router,
// console log rules, task logs), without the window.
struct StatusRig
{
    CommandDispatch dispatch;
    CommandCatalogue catalogue;
    StatusMonitor monitor{&dispatch, &catalogue};
    ConsoleLogRules console{false, TestEnvironment::root()};
    QStringList shown;        // console lines shown, in order
    QStringList monitorLines; // the lines the monitor itself wrote
    QStringList taskLogs;     // stamps of the task logs written
    int answers = 0;

    StatusRig()
    {
        const QString plugins = CatalogueFiles::pluginFolder(TestEnvironment::sourceDir());
        catalogue.loadCommandFile(plugins + "/default.csv");
        dispatch.setCatalogue(&catalogue);
        dispatch.setSendingEnabled(true);
        monitor.setUserDataFolder(TestEnvironment::root());
        QObject::connect(&dispatch, &CommandDispatch::sigCmdResult,
                         [this, plugins](const QString &ip, const QString &r) {
                             const AnswerLine answer(r);
                             ++answers;
                             if (!answer.hasKeyValue())
                                 return;
                             monitor.updateFromAnswer(ip, answer.key(), answer.value());
                             if (answer.opCarriesModel())
                                 catalogue.loadCatalogueForIP(ip, answer.value(), plugins);
                         });
        QObject::connect(&monitor, &StatusMonitor::sigTaskStarted, [this](const QTime &stamp, int sessions) {
            console.clearTaskLines();
            console.addPendingTasks(stamp, sessions);
        });
        QObject::connect(&dispatch, &CommandDispatch::sendLog, [this](const QString &line) { log(line); });
        QObject::connect(&monitor, &StatusMonitor::sigLog, [this](const QString &line) {
            monitorLines.append(line);
            log(line);
        });
    }

    void log(const QString &line)
    {
        const ConsoleLogRules::Decision decision = console.process(line);
        if (!decision.show)
            return;
        shown.append(line);
        if (!decision.taskLogStamp.isEmpty() && console.saveTaskLog(decision.taskLogStamp, QDate::currentDate()))
            taskLogs.append(decision.taskLogStamp);
    }

    QStringList linesStartingWith(const QString &prefix) const
    {
        QStringList found;
        for (const QString &line : shown)
            if (line.startsWith(prefix))
                found.append(line);
        return found;
    }

    QString cell(const QString &ip, int column) const
    {
        return monitor.model()->cell(monitor.model()->rowOfAddress(ip), column);
    }
};
