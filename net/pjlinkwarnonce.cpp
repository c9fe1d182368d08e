#include "net/pjlinkwarnonce.h"

#include <QSet>

namespace {

// The GUI thread is the only caller, so a plain set is enough.
QSet<QString> &seen()
{
    static QSet<QString> set;
    return set;
}

} // namespace

bool PJLinkWarnOnce::first(const QString &host, const QString &kind)
{
    const QString key = host + QLatin1Char('\n') + kind;
    if (seen().contains(key))
        return false;
    seen().insert(key);
    return true;
}

void PJLinkWarnOnce::reset()
{
    seen().clear();
}
