#pragma once
// The runtime services on Win32.
// - Clock: the day clock advanced by QueryPerformanceCounter, the local time
//   of day read once at start-up.
// - PumpEvents: dispatches every pending message; when there was none, waits
//   in MsgWaitForMultipleObjectsEx until a message arrives or the deadline
//   passes, then dispatches what came. It never spins.
// - WM_QUIT met inside the pump ends the run (the window counts as closed)
//   and is posted again for the outer message loop.

#include "backends/win32/main_window.h"
#include "runtime/day_clock.h"
#include "runtime/runtime_services.h"

namespace kovrane::win32 {

class Win32Runtime final : public RuntimeServices {
 public:
  explicit Win32Runtime(MainWindow& window);

  double Clock() override;
  void PumpEvents(double deadline) override;
  bool WindowClosed() const override;
  void SetVisible(Button button, bool visible) override;
  void SetCaption(const std::string& text) override;

 private:
  enum class Drained { Nothing, Something, Quit };
  Drained DispatchPending();

  MainWindow& window_;
  DayClock clock_;
};

}  // namespace kovrane::win32
