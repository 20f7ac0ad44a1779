#pragma once
// What the stopwatch engine takes from the platform it runs on.
//
// Contract:
// - The engine calls these services only from the one GUI thread, and only
//   from inside a click handler (Form1::Command1_Click / Command2_Click).
// - A backend delivers clicks by calling those handlers on the GUI thread,
//   either from its main loop or nested inside PumpEvents. It never calls
//   them from anywhere else, and never from another thread.
// - Clock() never goes backwards and does not restart at midnight.
// - PumpEvents(deadline) handles every event already pending, each handler
//   running to its end inside the call. If none was pending it blocks until
//   one arrives (and handles it) or until Clock() reads greater than
//   deadline, whichever comes first. It never spins.
// - Once the window is gone, WindowClosed() is true for good and PumpEvents
//   returns at once; the engine then touches no control again.
// - A failed control operation raises RuntimeError (ControlFailed).

#include <string>

namespace kovrane {

enum class Button { Command1, Command2 };  // START, STOP

class RuntimeServices {
 public:
  virtual ~RuntimeServices() = default;

  // Seconds since local midnight of the day the program started.
  virtual double Clock() = 0;
  virtual void PumpEvents(double deadline) = 0;
  virtual bool WindowClosed() const = 0;

  virtual void SetVisible(Button button, bool visible) = 0;
  // Replaces the text of the readout, Label1.
  virtual void SetCaption(const std::string& text) = 0;
};

}  // namespace kovrane
