// Thousands of random click scripts, with the promises a user relies on
// checked after every event and every readout change.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

#include "backends/fake/scripted_runtime.h"
#include "engine/form1.h"

namespace kovrane {
namespace {

using Action = ScriptedRuntime::Action;

std::string Readout(long long seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

long long SecondsOf(const std::string& readout) {
  long long h = 0, m = 0, s = 0;
  EXPECT_EQ(std::sscanf(readout.c_str(), "%lld:%lld:%lld", &h, &m, &s), 3) << readout;
  return h * 3600 + m * 60 + s;
}

// What the user expects, from the clicks that took effect.
class Observer {
 public:
  explicit Observer(ScriptedRuntime& runtime) : runtime_(runtime) {}

  void Before(const ScriptedRuntime::Event& event) {
    CheckNewReadouts();
    const bool startShown = runtime_.Visible(Button::Command1);
    if (event.action == Action::ClickStart && startShown) {
      // Counting from now, as a START from Idle would.
      run_ = Run{.startClock = runtime_.Clock(), .banked = SecondsOf(runtime_.Caption())};
    } else if (event.action == Action::ClickStop && !startShown) {
      run_.reset();
    }
  }

  void After() {
    CheckNewReadouts();
    const bool start = runtime_.Visible(Button::Command1);
    const bool stop = runtime_.Visible(Button::Command2);
    ASSERT_NE(start, stop) << "exactly one button must show at " << runtime_.Clock();
    ASSERT_EQ(stop, run_.has_value()) << "STOP shows exactly while counting";
  }

 private:
  struct Run {
    double startClock;
    long long banked;
  };

  void CheckNewReadouts() {
    const auto& captions = runtime_.Captions();
    for (; seen_ < captions.size(); ++seen_) {
      const auto& change = captions[seen_];
      ASSERT_TRUE(run_.has_value()) << "readout changed to " << change.text << " at " << change.at
                                    << " while stopped";
      const long long expected = run_->banked + std::llrint(change.at) - std::llrint(run_->startClock);
      ASSERT_EQ(change.text, Readout(expected)) << "at clock " << change.at;
    }
  }

  ScriptedRuntime& runtime_;
  std::optional<Run> run_;
  std::size_t seen_ = 0;
};

// Clicks spread over a minute, with bursts inside one second and slow
// handlers that make ticks late.
void ScheduleRandomScript(ScriptedRuntime& runtime, std::mt19937& random, double begin) {
  std::uniform_real_distribution<double> gap(0.0, 2.5);
  std::uniform_int_distribution<int> kind(0, 9);
  double at = begin;
  const int events = std::uniform_int_distribution<int>(1, 40)(random);
  for (int i = 0; i < events; ++i) {
    const int k = kind(random);
    at += k < 3 ? gap(random) / 20 : gap(random);  // some bursts
    if (k == 9) {
      runtime.Schedule({.at = at, .action = Action::Stall, .stallSeconds = gap(random)});
    } else {
      runtime.Schedule({.at = at, .action = k % 2 == 0 ? Action::ClickStart : Action::ClickStop});
    }
  }
  runtime.Schedule({.at = at + 3, .action = Action::CloseWindow});
}

TEST(ClickScripts, KeepTheStopwatchsPromisesAfterEveryEvent) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> startOfDay(0.0, 86400.0);
  for (int script = 0; script < 4000; ++script) {
    const double begin = script % 10 == 0 ? 86399.0 + script % 7 * 0.1 : startOfDay(random);
    ScriptedRuntime runtime(begin);
    Form1 form(runtime);
    runtime.Attach(form);
    Observer observer(runtime);
    runtime.beforeEvent = [&](const ScriptedRuntime::Event& event) { observer.Before(event); };
    runtime.afterEvent = [&](const ScriptedRuntime::Event&) { observer.After(); };
    ScheduleRandomScript(runtime, random, begin);
    runtime.RunScript();
    ASSERT_LE(runtime.DeepestNesting(), 2) << "script " << script;
    if (HasFatalFailure() || HasNonfatalFailure()) {
      FAIL() << "script " << script << " starting at clock " << begin;
    }
  }
}

}  // namespace
}  // namespace kovrane
