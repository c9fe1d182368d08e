#pragma once

#include <QDateTime>
#include <QPair>
#include <QVector>

// Fewer points for a chart that is a few hundred pixels wide: the time span
// is cut into equal buckets and each keeps its first, lowest, highest and
// last sample, in time order. A lamp counter that jumps back (a new lamp)
// therefore still shows its drop, however many samples a bucket swallows.
class SeriesThinner
{
public:
    using Series = QVector<QPair<QDateTime, int>>;

    // Series with at most 4 * buckets points; a series that already fits is
    // returned as it is. Expects the samples oldest first.
    static Series thin(const Series &series, int buckets);
};
