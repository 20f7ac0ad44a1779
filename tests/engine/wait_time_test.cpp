#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <limits>

#include "backends/fake/scripted_runtime.h"
#include "engine/form1.h"
#include "runtime/runtime_error.h"

namespace kovrane {
namespace {

using Action = ScriptedRuntime::Action;

struct EndMarkCase {
  double clock;
  std::int16_t waitsec;
  double endtime;  // the wait returns just after this
};

void PrintTo(const EndMarkCase& c, std::ostream* out) {
  *out << "clock " << c.clock << " waitsec " << c.waitsec;
}

class WaitTimeEndMark : public testing::TestWithParam<EndMarkCase> {};

TEST_P(WaitTimeEndMark, ReturnsAtTheFirstReadingAboveTheRoundedEnd) {
  const auto& c = GetParam();
  ScriptedRuntime runtime(c.clock);
  Form1 form(runtime);
  form.WaitTime(c.waitsec);
  EXPECT_GT(runtime.Clock(), c.endtime);
  EXPECT_DOUBLE_EQ(runtime.Clock(), c.endtime + runtime.wakeLatency);
  EXPECT_GE(runtime.PumpCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Marks, WaitTimeEndMark,
                         testing::Values(EndMarkCase{100.2, 1, 101}, EndMarkCase{100.7, 1, 102},
                                         EndMarkCase{100.5, 1, 102}, EndMarkCase{101.5, 1, 102},
                                         EndMarkCase{100.7, 0, 101}, EndMarkCase{86399.7, 1, 86401},
                                         EndMarkCase{10.0, 3, 13}));

struct PassedMarkCase {
  double clock;
  std::int16_t waitsec;
};

void PrintTo(const PassedMarkCase& c, std::ostream* out) {
  *out << "clock " << c.clock << " waitsec " << c.waitsec;
}

class WaitTimePassedMark : public testing::TestWithParam<PassedMarkCase> {};

TEST_P(WaitTimePassedMark, ReturnsAtOnceWithoutPumping) {
  ScriptedRuntime runtime(GetParam().clock);
  Form1 form(runtime);
  form.WaitTime(GetParam().waitsec);
  EXPECT_EQ(runtime.PumpCount(), 0);
  EXPECT_DOUBLE_EQ(runtime.Clock(), GetParam().clock);
}

INSTANTIATE_TEST_SUITE_P(Marks, WaitTimePassedMark,
                         testing::Values(PassedMarkCase{100.3, 0}, PassedMarkCase{100.7, -1},
                                         PassedMarkCase{100.2, -5},
                                         PassedMarkCase{100.2, std::numeric_limits<std::int16_t>::min()}));

TEST(WaitTime, AReadingEqualToTheEndKeepsWaiting) {
  ScriptedRuntime runtime(100.2);
  Form1 form(runtime);
  // Wakes the wait with the clock exactly on its end mark.
  runtime.Schedule({.at = 101.0, .action = Action::Stall, .stallSeconds = 0});
  form.WaitTime(1);
  EXPECT_EQ(runtime.PumpCount(), 2);
  EXPECT_DOUBLE_EQ(runtime.Clock(), 101.0 + runtime.wakeLatency);
}

TEST(WaitTime, HandlesEventsThatArriveBeforeTheEnd) {
  ScriptedRuntime runtime(100.2);
  Form1 form(runtime);
  int delivered = 0;
  runtime.afterEvent = [&](const ScriptedRuntime::Event&) { ++delivered; };
  runtime.Schedule({.at = 100.4, .action = Action::Stall, .stallSeconds = 0.1});
  runtime.Schedule({.at = 100.9, .action = Action::Stall, .stallSeconds = 0});
  form.WaitTime(1);
  EXPECT_EQ(delivered, 2);
  EXPECT_DOUBLE_EQ(runtime.Clock(), 101.0 + runtime.wakeLatency);
}

TEST(WaitTime, EndsAtOnceWhenTheWindowCloses) {
  ScriptedRuntime runtime(100.2);
  Form1 form(runtime);
  runtime.Schedule({.at = 100.4, .action = Action::CloseWindow});
  form.WaitTime(1);
  EXPECT_DOUBLE_EQ(runtime.Clock(), 100.4);
}

TEST(WaitTime, RaisesTheFloatingPointErrorForAnUnusableClock) {
  for (const double clock : {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()}) {
    ScriptedRuntime runtime(clock);
    Form1 form(runtime);
    try {
      form.WaitTime(1);
      ADD_FAILURE() << "no error for clock " << clock;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), ErrorNumber::FloatingPoint);
    }
  }
}

TEST(WaitTime, RaisesOverflowWhenTheEndDoesNotFitInt32) {
  ScriptedRuntime runtime(2147483647.0);
  Form1 form(runtime);
  EXPECT_THROW(form.WaitTime(1), RuntimeError);
}

}  // namespace
}  // namespace kovrane
