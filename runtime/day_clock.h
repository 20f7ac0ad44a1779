#pragma once
// The clock the real backends hand the engine: seconds since local midnight
// of the day the program started. The local time of day is read once, at
// start-up; from then on the clock advances with a monotonic source that
// keeps counting through system suspend. So a run counts straight across
// midnight, DST switches and wall-clock steps, and never goes backwards.
// A double keeps sub-millisecond resolution for centuries of running.

namespace kovrane {

class DayClock {
 public:
  // Seconds from an arbitrary fixed origin; must never go backwards.
  using MonotonicSource = double (*)();

  DayClock(double localSecondsSinceMidnight, MonotonicSource source);

  double Now() const;

 private:
  double startOfDayOffset_;
  MonotonicSource source_;
};

}  // namespace kovrane
