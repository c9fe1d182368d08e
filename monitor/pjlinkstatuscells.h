#pragma once

#include "net/pjlinkreply.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QVector>

// Which status-table cells a PJLink answer fills, and with what:
// Model = INF1 + INF2 (maker, then product), Serial = SNUM, Status = POWR as
// the table's power code, Err = ERST in words, Lamp hours = the first lamp
// (all lamps in the tool tip), Input = INPT with its INNM name, Signal =
// IRES. Error answers show as what they are ("Unavailable time ..."); a value
// that is not what the command promises shows "No Answer".
//
// Holds what one answer needs from an earlier one (the maker until the
// product arrives, the input until its name arrives), per address.
class PJLinkStatusCells
{
    Q_DECLARE_TR_FUNCTIONS(PJLinkStatusCells)
public:
    struct Cell
    {
        int column = -1;
        QString text;
        QString toolTip;
        bool garbled = false; // the value was not of the promised form
    };

    // Cells to set for one answer (none for commands the table does not show).
    QVector<Cell> cellsFor(const QString &ip, const PJLinkReply &reply);
    // The request that completes an answer: after a class 2 INPT, the INNM
    // of that input; otherwise a null string.
    static QString followUp(const PJLinkReply &reply);
    // Forgets an address (its row went away).
    void forget(const QString &ip);
    // What the history and the alerts compare for the Err cell of a PJLink
    // row, which holds words: "0000" for no error (ERST all zero), "" when
    // the cell holds no reading (an error answer, "No Answer"), otherwise
    // the words themselves, which then count as the error.
    static QString errorReading(const QString &cell);

private:
    QHash<QString, QString> m_maker;
    QHash<QString, QString> m_input;
};
