#pragma once

#include <QDateTime>

#include <functional>

// Dates as the program keeps them: days since 30 December 1899, the time of day as the
// fraction, in local time.
namespace vb {

double toOleDate(const QDateTime& localTime);
// An invalid QDateTime for dates outside years 100..9999.
QDateTime fromOleDate(double date);
// Date and time parts, without time-zone conversion.
double oleDateFromParts(int year, int month, int day, int hour = 0, int minute = 0, double second = 0);
bool oleDateToParts(double date, int* year, int* month, int* day, int* hour, int* minute, int* second);

// The present local date and time. Tests replace the clock; an empty function restores the
// system clock. Each ProgramContext starts with the system clock and gives back, when it ends,
// the clock that stood before it.
double now();
using Clock = std::function<double()>;
void setClock(Clock clock);
// The clock now installed (empty: the system clock).
Clock installedClock();

} // namespace vb
