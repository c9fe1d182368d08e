#pragma once

#include <QString>
#include <QStringList>

// Which status-table column an answer key fills ("OP STATUS" -> Status), and
// the catalogue function names a status sweep asks, in the order it asks.
class StatusAnswerMap
{
public:
    // Column of TableModelStatus for an answer key (exact, case-sensitive:
    // projectors answer in upper case), or -1 when the key is not shown.
    static int columnForKey(const QString &key);
    // The key names the model: the row's rated life is looked up again.
    static bool keyCarriesModel(const QString &key) { return key.contains(QLatin1String("MODEL")); }

    // The eight function names of a status sweep.
    static QStringList sweepFunctionNames();
    // The single one of a target sweep.
    static QString targetFunctionName() { return QStringLiteral("Model Name"); }
    // The catalogue function holding the rated light-source life.
    static QString lifeFunctionName() { return QStringLiteral("Light Source Life"); }
};
