#include "monitor/history/seriesthinner.h"

#include <algorithm>

SeriesThinner::Series SeriesThinner::thin(const Series &series, int buckets)
{
    if (buckets < 1 || series.size() <= 4 * buckets)
        return series;
    const qint64 first = series.constFirst().first.toMSecsSinceEpoch();
    const qint64 span = series.constLast().first.toMSecsSinceEpoch() - first + 1;
    Series result;
    result.reserve(4 * buckets);
    int start = 0;
    while (start < series.size()) {
        // The bucket of the sample at start, and every sample that shares it.
        const qint64 bucket = (series.at(start).first.toMSecsSinceEpoch() - first) * buckets / span;
        int end = start + 1;
        while (end < series.size() && (series.at(end).first.toMSecsSinceEpoch() - first) * buckets / span == bucket)
            ++end;
        int low = start;
        int high = start;
        for (int i = start + 1; i < end; ++i) {
            if (series.at(i).second < series.at(low).second)
                low = i;
            if (series.at(i).second > series.at(high).second)
                high = i;
        }
        int keep[] = {start, low, high, end - 1};
        std::sort(std::begin(keep), std::end(keep));
        for (int i = 0; i < 4; ++i) {
            if (i == 0 || keep[i] != keep[i - 1])
                result.append(series.at(keep[i]));
        }
        start = end;
    }
    return result;
}
