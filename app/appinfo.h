#pragma once

#include <QString>

// Fixed identity of the manager. The banner and the window title use these
// texts rather than the executable's name, so a renamed binary still reports
// itself as the same product.
namespace AppInfo {

inline QString name()
{
    return QStringLiteral("Orvanto");
}

inline QString version()
{
    return QStringLiteral("1.1.3.0");
}

} // namespace AppInfo
