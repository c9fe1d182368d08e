#pragma once

#include <QByteArray>
#include <QString>

// Text of a file the operator edits: the bytes up to the first NUL, read as
// UTF-8 when they are valid UTF-8, else as Latin-1 (older files).
class FileText
{
public:
    static QString decode(const QByteArray &bytes);
};
