#include "runtime/day_clock.h"

#include <gtest/gtest.h>

namespace kovrane {
namespace {

double monotonicSeconds = 0;
double ReadMonotonic() { return monotonicSeconds; }

TEST(DayClock, StartsAtTheLocalTimeOfDayAndAdvancesWithTheMonotonicSource) {
  monotonicSeconds = 123456.25;  // an uptime, unrelated to the time of day
  const DayClock clock(3600.5, &ReadMonotonic);
  EXPECT_DOUBLE_EQ(clock.Now(), 3600.5);
  monotonicSeconds += 10.125;
  EXPECT_DOUBLE_EQ(clock.Now(), 3610.625);
}

TEST(DayClock, CountsOnPastMidnightInsteadOfRestarting) {
  monotonicSeconds = 50;
  const DayClock clock(86399.75, &ReadMonotonic);
  monotonicSeconds += 0.5;
  EXPECT_DOUBLE_EQ(clock.Now(), 86400.25);
  monotonicSeconds += 86400.0 * 400;  // a long suspend counted by the source
  EXPECT_DOUBLE_EQ(clock.Now(), 86400.25 + 86400.0 * 400);
}

TEST(DayClock, KeepsMillisecondsAfterYearsOfRunning) {
  monotonicSeconds = 0;
  const DayClock clock(0, &ReadMonotonic);
  monotonicSeconds = 86400.0 * 365 * 10 + 0.001;
  EXPECT_NEAR(clock.Now() - 86400.0 * 365 * 10, 0.001, 1e-6);
}

}  // namespace
}  // namespace kovrane
