#include "backends/win32/win32_runtime.h"

#include <windows.h>

#include <algorithm>

#include "backends/win32/wide_text.h"

namespace kovrane::win32 {

namespace {

double PerformanceCounterSeconds() {
  static const double ticksPerSecond = [] {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerSecond;
}

double LocalSecondsSinceMidnight() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return local.wHour * 3600.0 + local.wMinute * 60.0 + local.wSecond +
         local.wMilliseconds / 1000.0;
}

// A little beyond the deadline, so that one wake takes the clock past it;
// never less than that, so that a deadline already reached still blocks.
constexpr double kPastDeadline = 0.0005;

double SecondsUntil(double deadline, double now) {
  return std::max(deadline - now, 0.0) + kPastDeadline;
}

}  // namespace

Win32Runtime::Win32Runtime(MainWindow& window, Wake preferredWake)
    : window_(window),
      clock_(LocalSecondsSinceMidnight(), PerformanceCounterSeconds),
      wait_(preferredWake) {}

double Win32Runtime::Clock() { return clock_.Now(); }

bool Win32Runtime::WindowClosed() const { return window_.Closed(); }

void Win32Runtime::SetVisible(Button button, bool visible) {
  window_.SetButtonVisible(button, visible);
}

void Win32Runtime::SetCaption(const std::string& text) { window_.SetReadout(Widen(text)); }

void Win32Runtime::PumpEvents(double deadline) {
  if (window_.Closed()) return;
  if (DispatchPending() != Drained::Nothing) return;
  // A wake may bring nothing to dispatch: wine wakes the wait for window
  // system events its driver handles itself, and a message sent from
  // another thread is handled inside PeekMessage. Such a wake waits on.
  do {
    wait_.For(SecondsUntil(deadline, Clock()));
  } while (DispatchPending() == Drained::Nothing && !window_.Closed() && Clock() <= deadline);
}

Win32Runtime::Drained Win32Runtime::DispatchPending() {
  Drained result = Drained::Nothing;
  MSG message{};
  while (!window_.Closed() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      window_.MarkClosed();
      PostQuitMessage(static_cast<int>(message.wParam));
      return Drained::Quit;
    }
    window_.Deliver(message);
    result = Drained::Something;
  }
  return result;
}

}  // namespace kovrane::win32
