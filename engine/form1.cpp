#include "engine/form1.h"

#include <cmath>
#include <string>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

namespace kovrane {

namespace {

constexpr std::uint8_t kStopRequested = 255;

std::string FieldText(std::int32_t value) {
  std::string text = LeftTrim(NumberToText(value));
  return value > 9 ? text : "0" + text;
}

}  // namespace

// The working values of one run. Kept where a START during Stopping can
// reach them, so that it can take the run over.
struct Form1::Run {
  std::int32_t starttime = 0;
};

void Form1::Command1_Click() {
  if (activeRun_ != nullptr) {
    // Only a STOP makes START clickable while a run is active; a START
    // arriving anyway (from outside) while the run counts changes nothing.
    if (sikibetu != kStopRequested) return;
    // The stopped run is still in its last wait. Treat it as ended and
    // this START as a new run that reuses its loop: nesting a second loop
    // here would leave the first one unstoppable and make it jump later.
    runtime_.SetVisible(Button::Command1, false);
    runtime_.SetVisible(Button::Command2, true);
    BankShownTime();
    activeRun_->starttime = RoundToInt32(runtime_.Clock());
    sikibetu = 0;
    return;
  }

  runtime_.SetVisible(Button::Command1, false);
  runtime_.SetVisible(Button::Command2, true);
  BankShownTime();
  Run run{.starttime = RoundToInt32(runtime_.Clock())};

  // Forgets the run however the handler leaves, errors included.
  struct ActiveRunScope {
    Run*& active;
    ~ActiveRunScope() { active = nullptr; }
  } scope{activeRun_ = &run};

  const std::int16_t oneSecond = 1;
  for (;;) {
    WaitTime(oneSecond);
    if (runtime_.WindowClosed()) return;
    if (sikibetu == kStopRequested) {
      sikibetu = 0;
      return;
    }
    const std::int32_t now = RoundToInt32(runtime_.Clock());
    ShowTime(CheckedSubtract(CheckedAdd(now, alltotal), run.starttime));
  }
}

void Form1::Command2_Click() {
  runtime_.SetVisible(Button::Command1, true);
  runtime_.SetVisible(Button::Command2, false);
  sikibetu = kStopRequested;
}

void Form1::WaitTime(const std::int16_t& waitsec) {
  const double sum = runtime_.Clock() + static_cast<double>(static_cast<float>(waitsec));
  if (!std::isfinite(sum)) RaiseFloatingPoint();
  const auto endtime = static_cast<double>(RoundToInt32(sum));
  // The test comes before the first pump, and a reading equal to endtime
  // keeps waiting.
  for (;;) {
    if (runtime_.Clock() > endtime) return;
    runtime_.PumpEvents(endtime);
    if (runtime_.WindowClosed()) return;
  }
}

void Form1::BankShownTime() {
  // Stored only once every step has passed its overflow check.
  const std::int32_t hourSeconds = CheckedMultiply(hour, 3600);
  const std::int32_t minuteSeconds = CheckedMultiply(minute, 60);
  alltotal = CheckedAdd(CheckedAdd(hourSeconds, minuteSeconds), second);
}

void Form1::ShowTime(std::int32_t ticktotal) {
  hour = ticktotal / 3600;
  minute = CheckedSubtract(ticktotal, CheckedMultiply(hour, 3600)) / 60;
  second = CheckedSubtract(CheckedSubtract(ticktotal, CheckedMultiply(hour, 3600)),
                           CheckedMultiply(minute, 60));
  runtime_.SetCaption(FieldText(hour) + ":" + FieldText(minute) + ":" + FieldText(second));
}

}  // namespace kovrane
