#include "monitor/history/historyevent.h"

#include <array>

namespace {

const std::array<const char *, 5> keys = {"error", "error-cleared", "power", "lost", "back"};

} // namespace

QString HistoryEvent::kindKey(Kind kind)
{
    return QString::fromLatin1(keys.at(size_t(kind)));
}

bool HistoryEvent::kindFromKey(const QString &key, Kind *kind)
{
    for (size_t i = 0; i < keys.size(); ++i) {
        if (key == QLatin1String(keys[i])) {
            *kind = Kind(i);
            return true;
        }
    }
    return false;
}
