#pragma once

#include <QList>

#include <algorithm>

// Order statistics of a benchmark's samples: the value that the given
// fraction of the samples lies at or below (0.5: the median, 1: the
// largest). The samples are compared with "less".
template <typename T, typename Less = std::less<T>>
T percentile(QList<T> samples, double fraction, Less less = Less())
{
    std::sort(samples.begin(), samples.end(), less);
    const int index = qBound(0, int(fraction * samples.size()), int(samples.size()) - 1);
    return samples.at(index);
}

template <typename T, typename Less = std::less<T>>
T median(const QList<T> &samples, Less less = Less())
{
    return percentile(samples, 0.5, less);
}
