#include "app/orvlog/debugoutputdestination.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cstdio>
#endif

namespace OrvLogging {

void DebugOutputDestination::write(const QString &message, Level level)
{
    Q_UNUSED(level)
    const QString text = message + QLatin1Char('\n');
#ifdef Q_OS_WIN
    OutputDebugStringW(reinterpret_cast<const wchar_t *>(text.utf16()));
#else
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
#endif
}

bool DebugOutputDestination::isValid()
{
    return true;
}

QString DebugOutputDestination::type() const
{
    return QStringLiteral("console");
}

} // namespace OrvLogging
