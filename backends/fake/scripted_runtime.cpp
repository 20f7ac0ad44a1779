#include "backends/fake/scripted_runtime.h"

#include <algorithm>
#include <stdexcept>

#include "runtime/runtime_error.h"

namespace kovrane {

void ScriptedRuntime::Schedule(Event event) {
  const auto later = std::upper_bound(queue_.begin(), queue_.end(), event.at,
                                      [](double at, const Event& e) { return at < e.at; });
  queue_.insert(later, event);
}

void ScriptedRuntime::RunScript() {
  while (!closed_ && !queue_.empty()) {
    clock_ = std::max(clock_, queue_.front().at);
    DeliverNext();
  }
}

void ScriptedRuntime::PumpEvents(double deadline) {
  ++pumpCount_;
  if (closed_) return;
  if (!EventDue()) {
    // Nothing pending: sleep until the next event or just past the deadline.
    const double wake = deadline + wakeLatency;
    if (!queue_.empty() && queue_.front().at <= wake) {
      clock_ = std::max(clock_, queue_.front().at);
    } else if (queue_.empty() && nesting_ > 0) {
      // A handler waiting with nothing left to happen would wait for ever.
      throw std::logic_error("script ended while a handler was waiting");
    } else {
      clock_ = std::max(clock_, wake);
      return;
    }
  }
  while (!closed_ && EventDue()) DeliverNext();
}

void ScriptedRuntime::DeliverNext() {
  const Event event = queue_.front();
  queue_.pop_front();
  if (beforeEvent) beforeEvent(event);
  ++nesting_;
  deepestNesting_ = std::max(deepestNesting_, nesting_);
  struct Leave {
    int& nesting;
    ~Leave() { --nesting; }
  } leave{nesting_};
  switch (event.action) {
    // A hidden button cannot be clicked: the click goes nowhere.
    case Action::ClickStart:
      if (form_ != nullptr && Visible(Button::Command1)) form_->Command1_Click();
      break;
    case Action::ClickStop:
      if (form_ != nullptr && Visible(Button::Command2)) form_->Command2_Click();
      break;
    case Action::CloseWindow:
      closed_ = true;
      break;
    case Action::Stall:
      clock_ += event.stallSeconds;
      break;
  }
  if (afterEvent) afterEvent(event);
}

void ScriptedRuntime::SetVisible(Button button, bool visible) {
  if (closed_) RaiseControlFailed("button used after the window closed");
  if (failNextVisibleOf == button) {
    failNextVisibleOf.reset();
    RaiseControlFailed("Visible");
  }
  visible_[Index(button)] = visible;
}

void ScriptedRuntime::SetCaption(const std::string& text) {
  if (closed_) RaiseControlFailed("label used after the window closed");
  if (failNextCaption) {
    failNextCaption = false;
    RaiseControlFailed("Caption");
  }
  caption_ = text;
  captions_.push_back({.at = clock_, .text = text});
}

}  // namespace kovrane
