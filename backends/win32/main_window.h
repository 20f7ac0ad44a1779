#pragma once
// Form1 realised with plain Win32: a STATIC readout and two push buttons,
// placed from the design record in twips and scaled to the window's DPI.
// The readout's text is the time shown, so screen readers read it through
// the control's standard accessible proxy. Its colours follow the system's
// high-contrast setting while the program runs.
// Clicks go to the engine's handlers. A RuntimeError they raise is kept,
// the window is destroyed, and wWinMain shows the error once the message
// loop has ended.

#include <windows.h>

#include <optional>
#include <string>

#include "backends/win32/fonts.h"
#include "backends/win32/system_colours.h"
#include "engine/form1.h"
#include "runtime/runtime_error.h"

namespace kovrane::win32 {

// The text a run-time error is shown with: its number, then its message.
std::wstring ErrorText(const RuntimeError& error);

class MainWindow {
 public:
  MainWindow() = default;
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window and its controls, hidden. Raises RuntimeError.
  // readColours tells the window the system's colours, now and after each
  // change; tests hand it a high-contrast setting wine cannot make.
  void Create(HINSTANCE instance, Form1& form,
              SystemColours (*readColours)() = ReadSystemColours);
  void Show(int showCommand);

  // Hands a message to its window, through the dialog manager first so that
  // Tab, Space and Enter work as in any dialog.
  void Deliver(MSG& message);

  HWND handle() const { return window_; }
  bool Closed() const { return closed_; }
  void MarkClosed() { closed_ = true; }
  const std::optional<std::wstring>& failure() const { return failure_; }

  void SetButtonVisible(Button button, bool visible);
  void SetReadout(const std::wstring& text);

 static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void ApplyDpi(int dpi);
  void FitReadout();
  void FollowSystemColours(bool coloursChanged);
  void Click(void (Form1::*handler)());
  void Fail(std::wstring text);
  HWND ShownButton() const;
  void MoveFocus(HWND target);

  HWND window_ = nullptr;
  HWND label_ = nullptr;
  HWND command1_ = nullptr;
  HWND command2_ = nullptr;
  HWND focusWhileInactive_ = nullptr;
  Form1* form_ = nullptr;
  SystemColours (*readColours_)() = ReadSystemColours;
  ReadoutColours readoutColours_;
  bool closed_ = false;
  HFONT buttonFont_ = nullptr;
  ReadoutFont readoutFont_;
  std::optional<std::wstring> failure_;
};

}  // namespace kovrane::win32
