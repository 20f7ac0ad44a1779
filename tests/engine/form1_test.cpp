#include "engine/form1.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "backends/fake/scripted_runtime.h"
#include "runtime/runtime_error.h"

namespace kovrane {
namespace {

using Action = ScriptedRuntime::Action;

class Stopwatch : public testing::Test {
 protected:
  explicit Stopwatch(double clock = 100.2) : runtime(clock), form(runtime) { runtime.Attach(form); }

  void At(double at, Action action) { runtime.Schedule({.at = at, .action = action}); }

  std::vector<std::string> Readouts() const {
    std::vector<std::string> texts;
    for (const auto& change : runtime.Captions()) texts.push_back(change.text);
    return texts;
  }

  bool StartShown() const {
    return runtime.Visible(Button::Command1) && !runtime.Visible(Button::Command2);
  }

  ScriptedRuntime runtime;
  Form1 form;
};

TEST_F(Stopwatch, StartsIdleAtZero) {
  EXPECT_EQ(runtime.Caption(), "00:00:00");
  EXPECT_TRUE(StartShown());
  EXPECT_EQ(form.sikibetu, 0);
  EXPECT_EQ(form.hour + form.minute + form.second + form.alltotal, 0);
}

TEST_F(Stopwatch, FirstTicksShowOneThenTwoSecondsJustAfterWholeSeconds) {
  At(100.2, Action::ClickStart);
  At(102.5, Action::CloseWindow);
  runtime.RunScript();
  ASSERT_EQ(Readouts(), (std::vector<std::string>{"00:00:01", "00:00:02"}));
  EXPECT_DOUBLE_EQ(runtime.Captions()[0].at, 101.001);
  EXPECT_DOUBLE_EQ(runtime.Captions()[1].at, 102.001);
}

TEST_F(Stopwatch, StartHidesStartAndShowsStopStopDoesTheReverse) {
  std::vector<bool> startShown;
  runtime.beforeEvent = [&](const ScriptedRuntime::Event& event) {
    if (event.action == Action::ClickStop) startShown.push_back(StartShown());
  };
  runtime.afterEvent = [&](const ScriptedRuntime::Event& event) {
    if (event.action == Action::ClickStop) startShown.push_back(StartShown());
  };
  At(100.2, Action::ClickStart);
  At(101.5, Action::ClickStop);
  At(103.0, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(startShown, (std::vector<bool>{false, true}));
  EXPECT_TRUE(StartShown());
}

TEST_F(Stopwatch, StopKeepsTheTimeAndStartResumesFromIt) {
  form.minute = 1;
  form.second = 4;
  At(100.2, Action::ClickStart);  // 00:01:05 at 101.001
  At(101.6, Action::ClickStop);
  At(110.3, Action::ClickStart);
  At(111.5, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(Readouts(), (std::vector<std::string>{"00:01:05", "00:01:06"}));
  EXPECT_EQ(form.alltotal, 65);
  EXPECT_EQ(form.sikibetu, 0);
}

TEST_F(Stopwatch, StopTakesEffectAtTheEndOfTheWaitWithoutUpdatingTheReadout) {
  At(100.2, Action::ClickStart);
  At(103.9, Action::ClickStop);
  At(120.0, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(runtime.Caption(), "00:00:03");
  EXPECT_EQ(form.second, 3);
  EXPECT_EQ(form.sikibetu, 0);  // cleared by the run when it ended
  EXPECT_EQ(runtime.DeepestNesting(), 2);
}

struct ShownTime {
  std::int32_t hour, minute, second;
  const char* afterOneTick;
};

void PrintTo(const ShownTime& t, std::ostream* out) { *out << t.afterOneTick; }

class FieldTexts : public Stopwatch, public testing::WithParamInterface<ShownTime> {};

TEST_P(FieldTexts, PadBelowTenAndNeverWrap) {
  form.hour = GetParam().hour;
  form.minute = GetParam().minute;
  form.second = GetParam().second;
  At(100.2, Action::ClickStart);
  At(101.5, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(runtime.Caption(), GetParam().afterOneTick);
}

INSTANTIATE_TEST_SUITE_P(Readout, FieldTexts,
                         testing::Values(ShownTime{0, 0, 8, "00:00:09"}, ShownTime{0, 0, 9, "00:00:10"},
                                         ShownTime{0, 0, 58, "00:00:59"}, ShownTime{0, 9, 59, "00:10:00"},
                                         ShownTime{9, 59, 59, "10:00:00"}, ShownTime{23, 59, 59, "24:00:00"},
                                         ShownTime{99, 59, 59, "100:00:00"},
                                         ShownTime{1000, 0, 0, "1000:00:01"}));

class HalfSecondStart : public Stopwatch {
 protected:
  HalfSecondStart() : Stopwatch(0) {}
};

TEST_F(HalfSecondStart, EvenSecondAddsTwoOnTheFirstTick) {
  runtime.SetClock(100.5);  // starttime 100, first wait ends after 102
  At(100.5, Action::ClickStart);
  At(102.5, Action::CloseWindow);
  runtime.RunScript();
  ASSERT_EQ(runtime.Captions().size(), 1u);
  EXPECT_EQ(runtime.Captions()[0].text, "00:00:02");
  EXPECT_DOUBLE_EQ(runtime.Captions()[0].at, 102.001);
}

TEST_F(HalfSecondStart, OddSecondShowsTheBankedTimeAgainOnTheFirstTick) {
  runtime.SetClock(101.5);  // starttime 102, first wait ends after 102
  form.second = 7;
  At(101.5, Action::ClickStart);
  At(103.5, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(Readouts(), (std::vector<std::string>{"00:00:07", "00:00:08"}));
  EXPECT_DOUBLE_EQ(runtime.Captions()[0].at, 102.001);
}

TEST_F(Stopwatch, ALateTickJumpsAndTheNextKeepsTheWholeSecond) {
  At(100.2, Action::ClickStart);
  // A handler that runs long inside the second wait: the tick reads 103.6.
  runtime.Schedule({.at = 101.2, .action = Action::Stall, .stallSeconds = 2.4});
  At(105.5, Action::CloseWindow);
  runtime.RunScript();
  ASSERT_EQ(Readouts(), (std::vector<std::string>{"00:00:01", "00:00:04", "00:00:05"}));
  EXPECT_DOUBLE_EQ(runtime.Captions()[1].at, 103.6);
  EXPECT_DOUBLE_EQ(runtime.Captions()[2].at, 105.001);
}

TEST_F(Stopwatch, APendingStopRequestFromOutsideEndsTheFirstTickUnshown) {
  form.sikibetu = 255;
  At(100.2, Action::ClickStart);
  At(130.0, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_TRUE(runtime.Captions().empty());
  EXPECT_EQ(form.sikibetu, 0);
  // The run ended but the buttons stay as START left them.
  EXPECT_FALSE(runtime.Visible(Button::Command1));
  EXPECT_TRUE(runtime.Visible(Button::Command2));
}

TEST_F(Stopwatch, CountsStraightAcrossMidnight) {
  runtime.SetClock(86397.3);
  At(86397.3, Action::ClickStart);
  At(86403.5, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(Readouts(), (std::vector<std::string>{"00:00:01", "00:00:02", "00:00:03", "00:00:04",
                                                  "00:00:05", "00:00:06"}));
}

TEST_F(Stopwatch, ClosingTheWindowEndsTheRunAtOnceWithoutTouchingControls) {
  At(100.2, Action::ClickStart);
  At(102.4, Action::CloseWindow);
  At(150.0, Action::ClickStop);  // never delivered: the program has ended
  EXPECT_NO_THROW(runtime.RunScript());  // a control call after closing raises
  EXPECT_DOUBLE_EQ(runtime.Clock(), 102.4);
  EXPECT_EQ(runtime.Caption(), "00:00:02");
  EXPECT_EQ(runtime.PumpCount(), 3);
}

TEST_F(Stopwatch, StartDuringStoppingBeginsANewRunFromTheShownTime) {
  At(100.2, Action::ClickStart);
  At(105.3, Action::ClickStop);   // shows 00:00:05, the run's last wait ends after 106
  At(105.6, Action::ClickStart);  // starttime 106: counts on from 00:00:05
  At(108.5, Action::ClickStop);
  At(120.0, Action::ClickStart);
  At(121.5, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(Readouts(), (std::vector<std::string>{"00:00:01", "00:00:02", "00:00:03", "00:00:04",
                                                  "00:00:05", "00:00:05", "00:00:06", "00:00:07",
                                                  "00:00:08"}));
  EXPECT_EQ(runtime.DeepestNesting(), 2);
}

TEST_F(Stopwatch, BurstsOfClicksWithinOneSecondNeverNestDeeper) {
  At(100.2, Action::ClickStart);
  for (int i = 0; i < 50; ++i) {
    At(102.10 + i * 0.01, Action::ClickStop);
    At(102.105 + i * 0.01, Action::ClickStart);
  }
  At(104.3, Action::ClickStop);
  At(110.0, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(runtime.DeepestNesting(), 2);
  // The last START (102.595, starttime 103) banked 00:00:02; STOP then
  // froze the count at what that start gives at 104.
  EXPECT_EQ(runtime.Caption(), "00:00:03");
  EXPECT_TRUE(StartShown());
  EXPECT_EQ(form.sikibetu, 0);
}

TEST_F(Stopwatch, StartClickedFromOutsideWhileRunningChangesNothing) {
  At(100.2, Action::ClickStart);
  runtime.afterEvent = [&](const ScriptedRuntime::Event& event) {
    if (event.action == Action::Stall) form.Command1_Click();
  };
  At(102.5, Action::Stall);
  At(104.5, Action::CloseWindow);
  runtime.RunScript();
  EXPECT_EQ(Readouts(), (std::vector<std::string>{"00:00:01", "00:00:02", "00:00:03",
                                                  "00:00:04"}));
}

struct OverflowCase {
  const char* name;
  std::int32_t hour, minute, second;
};

void PrintTo(const OverflowCase& c, std::ostream* out) { *out << c.name; }

class Overflow : public Stopwatch, public testing::WithParamInterface<OverflowCase> {};

TEST_P(Overflow, RaisesWithFieldsAndButtonsAsTheHandlerLeftThem) {
  form.hour = GetParam().hour;
  form.minute = GetParam().minute;
  form.second = GetParam().second;
  form.alltotal = 17;
  At(100.2, Action::ClickStart);
  At(200.0, Action::CloseWindow);
  try {
    runtime.RunScript();
    FAIL() << "no overflow";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), ErrorNumber::Overflow);
  }
  EXPECT_EQ(form.hour, GetParam().hour);
  EXPECT_EQ(form.minute, GetParam().minute);
  EXPECT_EQ(form.second, GetParam().second);
  EXPECT_FALSE(runtime.Visible(Button::Command1));
  EXPECT_TRUE(runtime.Visible(Button::Command2));
  EXPECT_EQ(runtime.Caption(), "00:00:00");
}

INSTANTIATE_TEST_SUITE_P(
    Limits, Overflow,
    testing::Values(OverflowCase{"HourTimes3600", 596524, 0, 0},
                    OverflowCase{"BankedSum", 596523, 14, 8},
                    OverflowCase{"Ticktotal", 596523, 14, 7}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Stopwatch, OverflowOnBankingLeavesAlltotalUnchanged) {
  form.hour = 596524;
  form.alltotal = 17;
  EXPECT_THROW(form.Command1_Click(), RuntimeError);
  EXPECT_EQ(form.alltotal, 17);
}

TEST_F(Stopwatch, AFailedControlOperationEndsTheRunAndANewStartWorks) {
  runtime.failNextCaption = true;
  At(100.2, Action::ClickStart);
  At(101.5, Action::Stall);
  EXPECT_THROW(runtime.RunScript(), RuntimeError);
  EXPECT_EQ(runtime.Caption(), "00:00:00");
  EXPECT_EQ(form.second, 1);  // stored before the caption failed
  // The failed run is gone: a new START is a run of its own, not one
  // ignored as a click during a run.
  runtime.SetClock(110.2);
  At(111.5, Action::CloseWindow);
  form.Command1_Click();
  EXPECT_EQ(runtime.Caption(), "00:00:02");
}

}  // namespace
}  // namespace kovrane
