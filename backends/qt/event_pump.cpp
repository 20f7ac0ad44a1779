#include "backends/qt/event_pump.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include <sys/timerfd.h>
#include <unistd.h>

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

namespace kovrane {

namespace {

constexpr double kLongestWait = 24 * 60 * 60;

// Timers count whole milliseconds. Waking one millisecond late guarantees
// that the clock reads past the deadline; waking early would only cost the
// engine one more short wait. Never zero, so a wait always sleeps.
int MillisecondsPast(double seconds) {
  const double clamped = std::clamp(seconds, 0.0, kLongestWait);
  return static_cast<int>(std::floor(clamped * 1000.0)) + 1;
}

}  // namespace

struct EventPump::Wait {
  explicit Wait(double until) : deadline(until) {}

  const double deadline;
  QEventLoop loop;
  bool endedByPump = false;
  bool timerExpired = false;

  void End() {
    endedByPump = true;
    loop.quit();
  }
};

// The deadline is a timer on the engine's own clock, CLOCK_BOOTTIME, with
// nanosecond resolution. A QTimer counts whole milliseconds and Qt rounds
// each sleep up to the next one, so the readout would come 1 to 2 ms after
// its second; this wakes within the kernel's timer slack (tens of
// microseconds). It is armed after the clock was read, so it never wakes
// before the deadline. The descriptor is kept and re-armed: one system
// call per tick rather than creating and closing a timer.
EventPump::EventPump(const DayClock& clock)
    : clock_(clock), deadlineTimer_(timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
  if (deadlineTimer_ < 0) return;
  deadlineExpiry_ = std::make_unique<QSocketNotifier>(deadlineTimer_, QSocketNotifier::Read);
  QObject::connect(deadlineExpiry_.get(), &QSocketNotifier::activated, [this] {
    std::uint64_t expirations = 0;  // read, or the notifier fires again at once
    if (read(deadlineTimer_, &expirations, sizeof expirations) < 0) return;
    if (wait_ == nullptr) return;
    wait_->timerExpired = true;
    wait_->End();
  });
}

EventPump::~EventPump() {
  deadlineExpiry_.reset();
  if (deadlineTimer_ >= 0) close(deadlineTimer_);
}

void EventPump::ArmDeadlineTimer(double seconds) {
  const double clamped = std::clamp(seconds, 1e-6, kLongestWait);
  const auto whole = static_cast<time_t>(clamped);
  itimerspec due{};
  due.it_value.tv_sec = whole;
  due.it_value.tv_nsec = static_cast<long>((clamped - static_cast<double>(whole)) * 1e9);
  timerfd_settime(deadlineTimer_, 0, &due, nullptr);
}

void EventPump::DisarmDeadlineTimer() {
  const itimerspec never{};
  timerfd_settime(deadlineTimer_, 0, &never, nullptr);
}

bool EventPump::WaitUntil(double deadline) {
  Wait wait(deadline);
  QTimer fallbackTimer;
  if (deadlineTimer_ >= 0) {
    ArmDeadlineTimer(deadline - clock_.Now());
  } else {
    fallbackTimer.setSingleShot(true);
    fallbackTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&fallbackTimer, &QTimer::timeout, &wait.loop, [&wait] { wait.End(); });
    fallbackTimer.start(MillisecondsPast(deadline - clock_.Now()));
  }

  Wait* const outer = std::exchange(wait_, &wait);
  wait.loop.exec();
  wait_ = outer;
  // A nested wait took the one timer over: give it back to the wait that
  // resumes (a deadline passed meanwhile ends that wait at once). A wait
  // cut short stops it, so that no expiry wakes the program later for
  // nothing.
  if (deadlineTimer_ >= 0) {
    if (outer != nullptr) ArmDeadlineTimer(outer->deadline - clock_.Now());
    else if (!wait.timerExpired) DisarmDeadlineTimer();
  }
  return wait.endedByPump;
}

void EventPump::Interrupt() {
  if (wait_ != nullptr) wait_->End();
}

}  // namespace kovrane
