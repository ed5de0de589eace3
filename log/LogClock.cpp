#include "log/LogClock.h"

#include <atomic>

namespace {
std::atomic<LogClock::Source> clockSource{nullptr};

// The local offset from UTC, in seconds, of one UTC minute, packed as
// (minute << 32) | offset. Asking the C library for local time looks at the time
// zone file on every call; offsets change only at whole minutes, so one look a
// minute gives the same local times at a fraction of the cost.
std::atomic<quint64> offsetOfMinute{~quint64(0)};

int localOffset(qint64 msecs)
{
    const qint64 minute = msecs / 60000;
    const quint64 cached = offsetOfMinute.load(std::memory_order_relaxed);
    if (qint64(cached >> 32) == minute)
        return qint32(quint32(cached));
    const int offset = QDateTime::fromMSecsSinceEpoch(msecs).offsetFromUtc();
    offsetOfMinute.store((quint64(minute) << 32) | quint32(offset), std::memory_order_relaxed);
    return offset;
}
} // namespace

QDateTime LogClock::now()
{
    if (const Source source = clockSource.load(std::memory_order_acquire))
        return source();
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, localOffset(msecs));
}

void LogClock::setSource(Source source)
{
    clockSource.store(source, std::memory_order_release);
}
