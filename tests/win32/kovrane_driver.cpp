// Drives kovrane.exe as a person would, from a process of its own: finds the
// "Kovrane" window, reads the readout and the buttons' visibility and focus,
// clicks START and STOP, presses Space on the focused button, and closes the
// window during a run. Reads the names a screen reader gets through MSAA
// along the way. Prints one line per check, and how long the program took
// to end after WM_CLOSE.
//
// Usage: kovrane_driver KOVRANE_EXE   (a Windows path, or a Unix one under wine)
//
// "kovrane_driver --error-box en|ja|zh_HK|zh_SG" instead waits for an error
// box titled "Kovrane" from any program, checks that the user's UI language
// is the one named and that the box reads the overflow error in it, and
// leaves the box open. Hong Kong and Singapore have no table of their own:
// they read Traditional and Simplified Chinese.

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <optional>
#include <string>

namespace {

int failures = 0;

void Check(bool passed, const std::wstring& what) {
  std::wprintf(L"%ls - %ls\n", passed ? L"ok" : L"FAIL", what.c_str());
  std::fflush(stdout);
  if (!passed) ++failures;
}

// Wine maps the Unix root to drive Z:.
std::wstring WindowsPath(std::wstring path) {
  if (path.empty() || path.front() != L'/') return path;
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return L"Z:" + path;
}

std::wstring Text(HWND window) {
  wchar_t buffer[64] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  return buffer;
}

// A control's name as a screen reader reads it: MSAA, through the
// accessible object the system provides for the control.
std::wstring AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible)))) {
    return L"(no accessible object)";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring result = L"(no name)";
  if (accessible->get_accName(self, &name) == S_OK && name != nullptr) result = name;
  SysFreeString(name);
  accessible->Release();
  return result;
}

struct Form {
  HWND window = nullptr;
  HWND label = nullptr;
  HWND start = nullptr;
  HWND stop = nullptr;
  DWORD thread = 0;
};

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindKovrane(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && Text(window) == L"Kovrane" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindControl(HWND child, LPARAM param) {
  auto* form = reinterpret_cast<Form*>(param);
  wchar_t windowClass[32] = {};
  GetClassNameW(child, windowClass, static_cast<int>(std::size(windowClass)));
  if (_wcsicmp(windowClass, L"Static") == 0) form->label = child;
  if (_wcsicmp(windowClass, L"Button") == 0) {
    const std::wstring caption = Text(child);
    if (caption == L"START") form->start = child;
    if (caption == L"STOP") form->stop = child;
  }
  return TRUE;
}

std::optional<Form> WaitForForm(const PROCESS_INFORMATION& process) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    Search search{process.dwProcessId, nullptr};
    EnumWindows(FindKovrane, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      Form form{.window = search.found};
      form.thread = GetWindowThreadProcessId(form.window, nullptr);
      EnumChildWindows(form.window, FindControl, reinterpret_cast<LPARAM>(&form));
      return form;
    }
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
  }
  return std::nullopt;
}

HWND Focus(const Form& form) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(form.thread, &info) ? info.hwndFocus : nullptr;
}

// A readout as seconds, or -1 when it is not hh:mm:ss.
int Seconds(const std::wstring& text) {
  int hours = 0, minutes = 0, seconds = 0;
  wchar_t rest = 0;
  if (swscanf(text.c_str(), L"%d:%2d:%2d%lc", &hours, &minutes, &seconds, &rest) != 3) return -1;
  return hours * 3600 + minutes * 60 + seconds;
}

int ReadoutSeconds(const Form& form) { return Seconds(Text(form.label)); }

RECT PlaceInClient(const Form& form, HWND control) {
  RECT box{};
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, form.window, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

bool Placed(const Form& form, HWND control, RECT expected) {
  const RECT box = PlaceInClient(form, control);
  return box.left == expected.left && box.top == expected.top && box.right == expected.right &&
         box.bottom == expected.bottom;
}

// Polls until the condition holds; false after 10 s, however loaded the
// machine.
template <typename Condition>
bool WaitUntil(Condition condition) {
  for (ULONGLONG giveUp = GetTickCount64() + 10000; !condition(); Sleep(50)) {
    if (GetTickCount64() > giveUp) return false;
  }
  return true;
}

// Waits for the click or key to take effect, then checks its result.
void CheckButtons(const Form& form, bool running, const wchar_t* when) {
  HWND shown = running ? form.stop : form.start;
  HWND hidden = running ? form.start : form.stop;
  WaitUntil([&] {
    return IsWindowVisible(shown) && !IsWindowVisible(hidden) && Focus(form) == shown;
  });
  Check(IsWindowVisible(shown) && !IsWindowVisible(hidden),
        std::wstring(running ? L"STOP shown, START hidden " : L"START shown, STOP hidden ") +
            when);
  Check(Focus(form) == shown, std::wstring(L"the shown button has the focus ") + when);
}

void PressSpace(HWND button) {
  PostMessageW(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageW(button, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
}

void Drive(const Form& form, const PROCESS_INFORMATION& process) {
  RECT client{};
  GetClientRect(form.window, &client);
  Check(client.right == 204 && client.bottom == 113, L"client area is 204 x 113 at 96 dpi");
  Check(Placed(form, form.label, {16, 8, 185, 65}), L"readout box at 16,8 size 169 x 57");
  Check(Placed(form, form.start, {32, 80, 89, 105}), L"START at 32,80 size 57 x 25");
  Check(Placed(form, form.stop, {120, 80, 177, 105}), L"STOP at 120,80 size 57 x 25");
  Check(Text(form.label) == L"00:00:00", L"readout starts at 00:00:00");
  CheckButtons(form, false, L"at start-up");
  const std::wstring startName = AccessibleName(form.start);
  const std::wstring stopName = AccessibleName(form.stop);
  const std::wstring readoutName = AccessibleName(form.label);
  Check(startName == L"START" && stopName == L"STOP",
        L"the buttons' accessible names: " + startName + L", " + stopName);
  Check(readoutName == L"00:00:00", L"the readout's accessible name: " + readoutName);

  const ULONGLONG started = GetTickCount64();
  PostMessageW(form.start, BM_CLICK, 0, 0);
  CheckButtons(form, true, L"after START");
  // Ticks come on the clock's whole seconds: the second one at least one
  // second after START.
  WaitUntil([&] { return ReadoutSeconds(form) >= 2; });
  const ULONGLONG counting = GetTickCount64() - started;
  Check(ReadoutSeconds(form) >= 2 && counting >= 1000,
        L"the readout counts to " + Text(form.label) + L", " + std::to_wstring(counting) +
            L" ms after START");
  // Read between two readings of the text, in case a second passes.
  const std::wstring before = Text(form.label);
  const std::wstring countingName = AccessibleName(form.label);
  Check((countingName == before || countingName == Text(form.label)) &&
            Seconds(countingName) >= 1,
        L"while counting, the readout's accessible name is the time shown: " + countingName);

  PostMessageW(form.stop, BM_CLICK, 0, 0);
  CheckButtons(form, false, L"after STOP");
  // The run ends at the next whole second, so one last tick may come: the
  // readout must then hold still for 2 s, which a run never does.
  std::wstring stopped = Text(form.label);
  ULONGLONG stillSince = GetTickCount64();
  const bool held = WaitUntil([&] {
    if (const std::wstring now = Text(form.label); now != stopped) {
      stopped = now;
      stillSince = GetTickCount64();
    }
    return GetTickCount64() - stillSince >= 2000;
  });
  Check(held, L"the readout stays at " + stopped + L" after STOP");
  Check(AccessibleName(form.label) == stopped,
        L"after STOP the readout's accessible name is " + AccessibleName(form.label));

  PressSpace(form.start);
  CheckButtons(form, true, L"after Space on START");
  // Every reading from the click on: none below the time stopped at.
  int lowest = ReadoutSeconds(form);
  WaitUntil([&] {
    const int now = ReadoutSeconds(form);
    lowest = std::min(lowest, now);
    return now > Seconds(stopped);
  });
  Check(Seconds(stopped) > 0 && lowest >= Seconds(stopped) &&
            ReadoutSeconds(form) > Seconds(stopped),
        L"START resumes from " + stopped + L": " + Text(form.label));

  const ULONGLONG closing = GetTickCount64();
  PostMessageW(form.window, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
  DWORD exitCode = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &exitCode);
  Check(ended && exitCode == 0, L"closing the window during a run ends the program with status 0 (status " +
                                    std::to_wstring(exitCode) + L")");
  std::wprintf(L"figure - process ended %.2f s after WM_CLOSE\n",
               static_cast<double>(GetTickCount64() - closing) / 1000.0);
}

}  // namespace

struct BoxReading {
  const wchar_t* language;
  LANGID user;  // the UI language wine gives that locale
  const wchar_t* text;
};

constexpr BoxReading kReadings[] = {
    {L"en", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"Run-time error 6:\n\nOverflow"},
    {L"ja", MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN),
     L"実行時エラー 6:\n\nオーバーフローしました。"},
    {L"zh_HK", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_HONGKONG),
     L"執行階段錯誤 6：\n\n發生溢位。"},
    {L"zh_SG", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SINGAPORE),
     L"运行时错误 6：\n\n发生溢出。"},
};

int ReadErrorBox(const std::wstring& language) {
  const BoxReading* reading = &kReadings[0];
  for (const BoxReading& candidate : kReadings)
    if (candidate.language == language) reading = &candidate;
  const LANGID user = GetUserDefaultUILanguage();
  Check(user == reading->user,
        L"the user's UI language is " + language + L": " + std::to_wstring(user));
  HWND box = nullptr;
  for (int tries = 0; box == nullptr && tries < 300; ++tries) {
    box = FindWindowW(L"#32770", L"Kovrane");
    if (box == nullptr) Sleep(100);
  }
  Check(box != nullptr, L"an error box titled \"Kovrane\" appears");
  if (box == nullptr) return 1;
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, static_cast<int>(std::size(text)));  // the message's id
  Check(text == std::wstring(reading->text), L"the box reads: " + std::wstring(text));
  std::wprintf(L"%d check(s) failed\n", failures);
  return failures == 0 ? 0 : 1;
}

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_U8TEXT);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (argc == 3 && std::wstring(argv[1]) == L"--error-box") return ReadErrorBox(argv[2]);
  if (argc != 2) {
    std::fwprintf(stderr, L"usage: kovrane_driver KOVRANE_EXE\n");
    return 2;
  }
  std::wstring commandLine = L"\"" + WindowsPath(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    Check(false, L"start " + commandLine);
    return 1;
  }
  const std::optional<Form> form = WaitForForm(process);
  Check(form.has_value(), L"the \"Kovrane\" window appears");
  if (form) {
    Check(form->label && form->start && form->stop, L"it holds a label, START and STOP");
    if (form->label && form->start && form->stop) Drive(*form, process);
  }
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 3);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::wprintf(L"%d check(s) failed\n", failures);
  return failures == 0 ? 0 : 1;
}
