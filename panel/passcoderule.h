#pragma once

#include <QCoreApplication>
#include <QString>

// The installer tabs' passcode: what is accepted and what the answer boxes
// say. The entered text is shown escaped, never rendered as rich text.
class PasscodeRule
{
    Q_DECLARE_TR_FUNCTIONS(PasscodeRule)
public:
    static bool accepts(const QString &entered);
    static QString passedText(const QString &entered);
    static QString rejectedText(const QString &entered);
};
