#include "backends/qt/event_pump.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QEventLoop>
#include <QTimer>

namespace kovrane {

namespace {

// Timers count whole milliseconds. Waking one millisecond late guarantees
// that the clock reads past the deadline; waking early would only cost the
// engine one more short wait. Never zero, so a wait always sleeps.
int MillisecondsPast(double seconds) {
  constexpr double kLongestWait = 24 * 60 * 60;
  const double clamped = std::clamp(seconds, 0.0, kLongestWait);
  return static_cast<int>(std::floor(clamped * 1000.0)) + 1;
}

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
  QTimer deadlineTimer;
  deadlineTimer.setSingleShot(true);
  deadlineTimer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&deadlineTimer, &QTimer::timeout, &wait.loop, [&wait] { wait.End(); });
  deadlineTimer.start(MillisecondsPast(deadline - clock_.Now()));

  Wait* const outer = std::exchange(wait_, &wait);
  wait.loop.exec();
  wait_ = outer;
  return wait.endedByPump;
}

void EventPump::Interrupt() {
  if (wait_ != nullptr) wait_->End();
}

}  // namespace kovrane
