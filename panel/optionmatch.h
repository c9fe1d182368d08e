#pragma once

#include <QString>
#include <QStringList>

// Which of a command's value names an answer stands for. Answers come as
// "1 [On]" (recorded from the catalogue) or as received. The bracketed name
// decides when it is one of the options; otherwise the first option that
// occurs in the answer, so "Cool" is not taken for "3 [Cooler]".
class OptionMatch
{
public:
    // Index of the option the answer names, or -1.
    static int indexOf(const QStringList &options, const QString &answer);
};
