#include "backends/win32/win32_runtime.h"

#include <windows.h>

#include <cmath>

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

// Whole milliseconds that surely take the clock past the deadline; at least
// one, so that a deadline equal to the reading still blocks.
DWORD MillisecondsUntil(double deadline, double now) {
  const double milliseconds = std::ceil((deadline - now) * 1000.0) + 1.0;
  if (milliseconds < 1.0) return 1;
  if (milliseconds > 0x7FFFFFFF) return 0x7FFFFFFF;
  return static_cast<DWORD>(milliseconds);
}

}  // namespace

Win32Runtime::Win32Runtime(MainWindow& window)
    : window_(window), clock_(LocalSecondsSinceMidnight(), PerformanceCounterSeconds) {}

double Win32Runtime::Clock() { return clock_.Now(); }

bool Win32Runtime::WindowClosed() const { return window_.Closed(); }

void Win32Runtime::SetVisible(Button button, bool visible) {
  window_.SetButtonVisible(button, visible);
}

void Win32Runtime::SetCaption(const std::string& text) { window_.SetReadout(Widen(text)); }

void Win32Runtime::PumpEvents(double deadline) {
  if (window_.Closed()) return;
  if (DispatchPending() != Drained::Nothing) return;
  MsgWaitForMultipleObjectsEx(0, nullptr, MillisecondsUntil(deadline, Clock()), QS_ALLINPUT,
                              MWMO_INPUTAVAILABLE);
  DispatchPending();
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
