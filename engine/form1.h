#pragma once
// The stopwatch: its state and its two click handlers.
//
// A START click runs the counting loop inside Command1_Click, which does not
// return while the run lasts: it waits for each whole second of the clock
// with WaitTime, whose event pump keeps the window live. Every other click,
// STOP above all, is handled nested inside that pump. STOP only asks the run
// to end (sikibetu = 255); the run sees the request after its wait.
//
// Differences from a literal nested design, kept on purpose:
// - A START while a stopped run is still in its last wait takes that run
//   over instead of nesting a second run inside it, so clicks never nest
//   handlers deeper than one level and the next STOP always stops the count.
// - When the window closes, the run ends at once without touching a control.

#include <cstdint>

#include "runtime/runtime_services.h"

namespace kovrane {

class Form1 {
 public:
  explicit Form1(RuntimeServices& runtime) : runtime_(runtime) {}
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Public state, read and written by outside callers as properties.
  std::uint8_t sikibetu = 0;  // 255: stop requested; 0: none
  std::int32_t hour = 0;
  std::int32_t minute = 0;
  std::int32_t second = 0;
  std::int32_t alltotal = 0;  // seconds shown when the current run started

  void Command1_Click();  // START
  void Command2_Click();  // STOP

  // Returns once the clock has passed the whole second nearest to now plus
  // waitsec, pumping events meanwhile; at once if the window has closed.
  void WaitTime(const std::int16_t& waitsec);

 private:
  struct Run;

  void BankShownTime();
  void ShowTime(std::int32_t ticktotal);

  RuntimeServices& runtime_;
  Run* activeRun_ = nullptr;
};

}  // namespace kovrane
