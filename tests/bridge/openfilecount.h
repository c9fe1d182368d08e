#pragma once

#include <QDir>

// Number of open file descriptors of this process: sockets and ports that
// are not released show up here.
inline int openFileCount()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
        .size();
}
