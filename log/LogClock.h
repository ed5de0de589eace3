#pragma once

#include <QDateTime>

// The wall clock of the log subsystem: the time stamp of a captured message and
// the choice of the log file name both read it. The program always uses the
// system clock; a test may put its own source in place to reach another time of
// day, and puts nullptr back to return to the system clock.
namespace LogClock {

using Source = QDateTime (*)();

// The current local date and time.
QDateTime now();

// Replaces the source of now(); nullptr restores the system clock.
void setSource(Source source);

} // namespace LogClock
