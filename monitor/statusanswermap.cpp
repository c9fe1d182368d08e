#include "monitor/statusanswermap.h"

#include "monitor/tablemodelstatus.h"

#include <QHash>

int StatusAnswerMap::columnForKey(const QString &key)
{
    static const QHash<QString, int> columns{
        {QStringLiteral("OP MODEL"), TableModelStatus::ModelColumn},
        {QStringLiteral("OP SER.NO"), TableModelStatus::SerialColumn},
        {QStringLiteral("OP STATUS"), TableModelStatus::StatusColumn},
        {QStringLiteral("OP ERRCODE"), TableModelStatus::ErrorCodeColumn},
        {QStringLiteral("OP TOTAL.HOURS"), TableModelStatus::HoursColumn},
        {QStringLiteral("OP ACT.SOURCE"), TableModelStatus::InputColumn},
        {QStringLiteral("OP SIGNAL"), TableModelStatus::SignalColumn},
    };
    return columns.value(key, -1);
}

QStringList StatusAnswerMap::sweepFunctionNames()
{
    return {QStringLiteral("Error Code"),   QStringLiteral("Projector Status"), QStringLiteral("Serial Number"),
            QStringLiteral("Model Name"),   QStringLiteral("Signal Format"),    QStringLiteral("Active Source"),
            QStringLiteral("Input Select"), QStringLiteral("Total Hours")};
}
