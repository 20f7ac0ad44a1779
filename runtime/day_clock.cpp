#include "runtime/day_clock.h"

namespace kovrane {

DayClock::DayClock(double localSecondsSinceMidnight, MonotonicSource source)
    : startOfDayOffset_(localSecondsSinceMidnight - source()), source_(source) {}

double DayClock::Now() const { return startOfDayOffset_ + source_(); }

}  // namespace kovrane
