#pragma once
// The runtime services on Win32.
// - Clock: the day clock advanced by QueryPerformanceCounter, the local time
//   of day read once at start-up.
// - PumpEvents: dispatches every pending message; when there was none, waits
//   until a message arrives or the deadline passes (MessageWait: to within
//   about a millisecond), then dispatches what came. A wake with nothing to
//   dispatch waits on. It never spins.
// - WM_QUIT met inside the pump ends the run (the window counts as closed)
//   and is posted again for the outer message loop.

#include "backends/win32/main_window.h"
#include "backends/win32/message_wait.h"
#include "runtime/day_clock.h"
#include "runtime/runtime_services.h"

namespace kovrane::win32 {

class Win32Runtime final : public RuntimeServices {
 public:
  explicit Win32Runtime(MainWindow& window, Wake preferredWake = Wake::HighResolutionTimer);

  double Clock() override;
  void PumpEvents(double deadline) override;
  bool WindowClosed() const override;
  Wake wake() const { return wait_.wake(); }
  void SetVisible(Button button, bool visible) override;
  void SetCaption(const std::string& text) override;

 private:
  enum class Drained { Nothing, Something, Quit };
  Drained DispatchPending();

  MainWindow& window_;
  DayClock clock_;
  MessageWait wait_;
};

}  // namespace kovrane::win32
