#pragma once

#include <QString>
#include <QStringList>

// Request lines for PJLink projectors: the queries of a status sweep, the
// line a catalogue row or a typed console line stands for, and the rule that
// a class 1 projector is never asked a class 2 question.
class PJLinkRequest
{
public:
    // The status queries for a projector of classLevel (0 while unknown,
    // which asks the class along with the class 1 queries). Class 2 adds
    // serial number, signal and the input with its name.
    static QStringList sweep(int classLevel);
    // "%1POWR" -> "%1POWR ?", "%2INNM" with "31" -> "%2INNM ?31".
    static QString query(const QString &command, const QString &parameter = QString());
    // The PJLink line a console line stands for: "%1POWR 1" stays as typed
    // (blanks simplified); anything that is not "%" + class + four letters
    // gives a null string.
    static QString fromConsole(const QString &typed);
    // Drops the class 2 lines when the projector is class 1.
    static QStringList forClass(const QStringList &requests, int classLevel);
    static bool isClass2(const QString &request) { return request.startsWith(QLatin1String("%2")); }
};
