#pragma once
// Form1 on Qt: the window built from the design record, and the runtime
// services the stopwatch engine asks of it.
//
// Data flow: a button's click signal runs the engine's handler (guarded,
// so a run-time error is shown here and goes no further). The START handler
// keeps running for the whole run; its whole-second waits pump events
// through PumpEvents, where the STOP click and the window's closing arrive.
// The engine in turn shows and hides the buttons and sets the readout
// through SetVisible and SetCaption.

#include <QWidget>

#include "backends/qt/event_pump.h"
#include "engine/form1.h"
#include "runtime/day_clock.h"
#include "runtime/runtime_services.h"

class QPushButton;

namespace kovrane {

class ReadoutLabel;
class RuntimeError;

class MainWindow : public QWidget, public RuntimeServices {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  Form1& form() { return form_; }

  double Clock() override;
  void PumpEvents(double deadline) override;
  bool WindowClosed() const override { return gone_; }
  void SetVisible(Button button, bool visible) override;
  void SetCaption(const std::string& text) override;

 signals:
  // After the error's message box has been closed; the program then ends
  // with a failure status.
  void runtimeErrorShown(int number);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Deliver(void (Form1::*handler)());
  void Fail(const RuntimeError& error);
  QPushButton* ButtonFor(Button button) const;
  void DescribeShownTime();

  DayClock clock_;
  EventPump pump_{clock_};
  Form1 form_{*this};
  bool gone_ = false;  // closed, or ended by an error: no run may go on

  ReadoutLabel* label1_;
  QPushButton* command1_;
  QPushButton* command2_;
};

}  // namespace kovrane
