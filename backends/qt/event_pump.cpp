#include "backends/qt/event_pump.h"

#include <algorithm>
#include <cmath>
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

// The deadline as a timer on the engine's own clock, CLOCK_BOOTTIME, with
// nanosecond resolution. A QTimer counts whole milliseconds and Qt rounds
// each sleep up to the next one, so the readout would come 1 to 2 ms after
// its second; this wakes within the kernel's timer slack (tens of
// microseconds). It is armed after the clock was read, so it never wakes
// before the deadline.
class DeadlineTimer {
 public:
  explicit DeadlineTimer(double seconds)
      : fd_(timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (fd_ < 0) return;
    const double clamped = std::clamp(seconds, 1e-6, kLongestWait);
    const auto whole = static_cast<time_t>(clamped);
    itimerspec due{};
    due.it_value.tv_sec = whole;
    due.it_value.tv_nsec = static_cast<long>((clamped - static_cast<double>(whole)) * 1e9);
    if (timerfd_settime(fd_, 0, &due, nullptr) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~DeadlineTimer() {
    if (fd_ >= 0) close(fd_);
  }
  DeadlineTimer(const DeadlineTimer&) = delete;
  DeadlineTimer& operator=(const DeadlineTimer&) = delete;

  // -1 when the system refused a timer; the wait then falls back to a QTimer.
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

struct EventPump::Wait {
  QEventLoop loop;
  bool endedByPump = false;

  void End() {
    endedByPump = true;
    loop.quit();
  }
};

bool EventPump::WaitUntil(double deadline) {
  Wait wait;
  const double remaining = deadline - clock_.Now();
  const DeadlineTimer preciseTimer(remaining);
  QSocketNotifier preciseExpiry(QSocketNotifier::Read);
  QTimer fallbackTimer;
  if (preciseTimer.fd() >= 0) {
    preciseExpiry.setSocket(preciseTimer.fd());
    QObject::connect(&preciseExpiry, &QSocketNotifier::activated, &wait.loop, [&wait] { wait.End(); });
    preciseExpiry.setEnabled(true);
  } else {
    fallbackTimer.setSingleShot(true);
    fallbackTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&fallbackTimer, &QTimer::timeout, &wait.loop, [&wait] { wait.End(); });
    fallbackTimer.start(MillisecondsPast(remaining));
  }

  Wait* const outer = std::exchange(wait_, &wait);
  wait.loop.exec();
  wait_ = outer;
  return wait.endedByPump;
}

void EventPump::Interrupt() {
  if (wait_ != nullptr) wait_->End();
}

}  // namespace kovrane
