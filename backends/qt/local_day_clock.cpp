#include "backends/qt/local_day_clock.h"

#include <time.h>

#include <QTime>

namespace kovrane {

namespace {

double BootTimeSeconds() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

DayClock LocalDayClock() {
  const double secondsSinceMidnight = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
  return DayClock(secondsSinceMidnight, &BootTimeSeconds);
}

}  // namespace kovrane
