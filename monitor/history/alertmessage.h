#pragma once

#include "monitor/history/alertrules.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <functional>

// The words of an alert: the subject names the projector (tree name and
// address) and the condition; the body adds the model, since when and the
// decoded error. Several alerts held back by the hourly limit go out as one
// message listing them all.
class AlertMessage
{
    Q_DECLARE_TR_FUNCTIONS(AlertMessage)

public:
    struct Projector
    {
        QString name;
        QString model;
    };
    using Describer = std::function<Projector(const QString &ip)>;
    using ErrorDecoder = std::function<QString(const QString &code)>;

    QString subject;
    QString body;

    static AlertMessage compose(const QVector<Alert> &alerts, const Describer &describe, const ErrorDecoder &decode);
    // One line: "Hall A / P3 (10.0.0.7): error 12A3 (Lamp Ignition failed)".
    static QString headline(const Alert &alert, const Describer &describe, const ErrorDecoder &decode);
};
