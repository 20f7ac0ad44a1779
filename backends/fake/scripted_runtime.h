#pragma once
// A runtime for tests: the clock is set by the test, and clicks and the
// window's closing arrive at scripted clock times. When the engine pumps
// with nothing due, the clock jumps straight to the next scripted event or
// just past the deadline, so a test of hours of running takes microseconds
// and never sleeps.

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/form1.h"
#include "runtime/runtime_services.h"

namespace kovrane {

class ScriptedRuntime : public RuntimeServices {
 public:
  enum class Action { ClickStart, ClickStop, CloseWindow, Stall };
  struct Event {
    double at = 0;
    Action action = Action::ClickStart;
    double stallSeconds = 0;  // Stall only: a handler that takes this long
  };
  struct CaptionChange {
    double at = 0;
    std::string text;
  };

  explicit ScriptedRuntime(double clock) : clock_(clock) {}

  // Clicks on visible buttons go to this form's handlers.
  void Attach(Form1& form) { form_ = &form; }
  // Keeps events in time order; events at the same time keep their order.
  void Schedule(Event event);
  // The main loop: delivers the scripted events in order until none is left
  // or the window has closed. Errors from the handlers propagate.
  void RunScript();

  // How far past a deadline the clock lands when a wait sleeps through it.
  double wakeLatency = 0.001;
  // Called around each delivered event, nested ones included. A START
  // handler that begins a run returns only when the run ends.
  std::function<void(const Event&)> beforeEvent;
  std::function<void(const Event&)> afterEvent;
  // Makes the next operation on this control raise the control error.
  std::optional<Button> failNextVisibleOf;
  bool failNextCaption = false;

  void SetClock(double clock) { clock_ = clock; }
  const std::string& Caption() const { return caption_; }
  bool Visible(Button button) const { return visible_[Index(button)]; }
  const std::vector<CaptionChange>& Captions() const { return captions_; }
  int PumpCount() const { return pumpCount_; }
  int DeepestNesting() const { return deepestNesting_; }

  double Clock() override { return clock_; }
  void PumpEvents(double deadline) override;
  bool WindowClosed() const override { return closed_; }
  void SetVisible(Button button, bool visible) override;
  void SetCaption(const std::string& text) override;

 private:
  static std::size_t Index(Button button) { return button == Button::Command1 ? 0 : 1; }
  bool EventDue() const { return !queue_.empty() && queue_.front().at <= clock_; }
  void DeliverNext();

  double clock_;
  Form1* form_ = nullptr;
  std::deque<Event> queue_;
  bool closed_ = false;
  std::string caption_ = "00:00:00";
  std::array<bool, 2> visible_{true, false};
  std::vector<CaptionChange> captions_;
  int pumpCount_ = 0;
  int nesting_ = 0;
  int deepestNesting_ = 0;
};

}  // namespace kovrane
