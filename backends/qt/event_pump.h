#pragma once
// The wait inside the engine's whole-second wait: a nested QEventLoop that
// handles events as they come and sleeps in between, woken by a precise
// timer at the deadline. A handled click or the window's closing cuts the
// wait short, so the engine looks at its state at once.

#include <memory>

#include "runtime/day_clock.h"

class QSocketNotifier;

namespace kovrane {

class EventPump {
 public:
  explicit EventPump(const DayClock& clock);
  ~EventPump();
  EventPump(const EventPump&) = delete;
  EventPump& operator=(const EventPump&) = delete;

  // Handles events until the clock reads greater than deadline or
  // Interrupt() is called. Returns false when the application's quit ended
  // the wait instead: from then on every event loop returns at once, so the
  // caller must stop waiting altogether.
  bool WaitUntil(double deadline);
  // Ends the wait in progress, if any.
  void Interrupt();

 private:
  struct Wait;
  void ArmDeadlineTimer(double seconds);
  void DisarmDeadlineTimer();

  const DayClock& clock_;
  Wait* wait_ = nullptr;
  // One timer for every wait, re-armed for each: -1 when the system
  // refused one, and each wait then uses a QTimer instead.
  int deadlineTimer_ = -1;
  std::unique_ptr<QSocketNotifier> deadlineExpiry_;
};

}  // namespace kovrane
