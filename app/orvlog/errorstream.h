#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace OrvLogging {

// The logger cannot log its own trouble, so it goes to the error stream.
inline void reportProblem(const QString &text)
{
    const QByteArray bytes = QString(text + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace OrvLogging
