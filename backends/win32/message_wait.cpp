#include "backends/win32/message_wait.h"

#include <algorithm>
#include <cmath>

namespace kovrane::win32 {

namespace {

// Missing from older SDK headers.
constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// About 24 days: the longest a millisecond timeout can express; also far
// beyond any deadline the engine sets.
constexpr double kLongestWait = 0x7FFFFFFE / 1000.0;

}  // namespace

MessageWait::MessageWait(Wake preferred) {
  if (preferred == Wake::HighResolutionTimer) {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
  }
}

MessageWait::~MessageWait() {
  if (timer_ != nullptr) CloseHandle(timer_);
}

void MessageWait::For(double seconds) {
  seconds = std::min(seconds, kLongestWait);
  if (timer_ != nullptr) {
    // Negative: relative to now, in units of 100 ns. Arming the timer again
    // also clears a signal left from a wait that a message ended.
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(std::ceil(seconds * 1e7));
    if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
      MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      return;
    }
  }
  MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::ceil(seconds * 1000.0)),
                              QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace kovrane::win32
