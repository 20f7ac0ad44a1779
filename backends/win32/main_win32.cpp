// Kovrane on Windows. Builds the window, hands the engine the Win32 runtime
// services, and runs the message loop until the window is gone. A run-time
// error raised by a click handler ends the loop and is shown here, once.

#include <windows.h>

#include <string>

#include "backends/win32/main_window.h"
#include "backends/win32/win32_runtime.h"
#include "engine/form1.h"
#include "runtime/runtime_error.h"

namespace {

int ShowFailure(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), L"Kovrane", MB_OK | MB_ICONERROR);
  return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace kovrane;
  win32::MainWindow window;
  win32::Win32Runtime runtime(window);
  Form1 form(runtime);
  try {
    window.Create(instance, form);
  } catch (const RuntimeError& error) {
    return ShowFailure(win32::ErrorText(error));
  }
  window.Show(showCommand);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) window.Deliver(message);

  if (window.failure()) return ShowFailure(*window.failure());
  return static_cast<int>(message.wParam);
}
