#pragma once

#include <QString>

// Turns a projector's four-digit hexadecimal error code (CCUE: category,
// unit, error) into "category unit error". Any of the three words may be
// empty, but both blanks always stand, so the text has a fixed shape that
// the operator learns to read. Unreadable digits count as 0.
class ErrorCodeDictionary
{
public:
    static QString decodeErrorCode(const QString &code);
    // Four hexadecimal digits: a code this dictionary can explain (other
    // protocols put words in the error cell).
    static bool isErrorCode(const QString &code);
    // decodeErrorCode for a code, nothing for anything else.
    static QString explain(const QString &code);

    // Style of the decoded text: grey for no code or category 00, otherwise
    // gold on the dark look and magenta on the light one.
    static QString labelStyleSheet(const QString &code, bool darkStyle);
};
