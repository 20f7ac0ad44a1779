#pragma once
// The pump's wait: until a message is queued or a span of time has passed.
// A timeout of Windows' own waits has the granularity of the system timer
// tick (15.6 ms unless some program raises the rate for everyone), so each
// readout would land up to 16 ms after its whole second. A high-resolution
// waitable timer (Windows 10 1803 and later) wakes within about a
// millisecond and leaves the system-wide rate alone. Where it cannot be
// created, the wait takes the plain millisecond timeout.

#include <windows.h>

namespace kovrane::win32 {

enum class Wake { HighResolutionTimer, Timeout };

class MessageWait {
 public:
  // Wake::Timeout skips the timer: the fallback, chosen by tests.
  explicit MessageWait(Wake preferred = Wake::HighResolutionTimer);
  ~MessageWait();
  MessageWait(const MessageWait&) = delete;
  MessageWait& operator=(const MessageWait&) = delete;

  // Returns at once when input is already queued. seconds must be positive.
  void For(double seconds);
  // The path this wait takes.
  Wake wake() const { return timer_ != nullptr ? Wake::HighResolutionTimer : Wake::Timeout; }

 private:
  HANDLE timer_ = nullptr;
};

}  // namespace kovrane::win32
