// The Win32 backend's parts that a run of the whole program does not reach:
// the pump's contract and how closely it wakes at a deadline, WM_QUIT and
// errors inside a handler, DPI changes, the readout font's face and fit,
// text conversion, and the readout's colours in high contrast, which wine
// never reports as on; and that the title bar's symbol font is there for
// the screenshot. Runs under wine.
//
// "win32_backend_test high-contrast-window" instead runs the window in a
// high-contrast palette until it is closed, for the screenshot;
// "win32_backend_test error-box" raises an overflow in a click and shows
// the error box as the program does, for the driver to read.

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "backends/win32/fonts.h"
#include "backends/win32/main_window.h"
#include "backends/win32/system_colours.h"
#include "backends/win32/wide_text.h"
#include "backends/win32/win32_runtime.h"
#include "engine/form1.h"
#include "runtime/runtime_error.h"

namespace {

using namespace kovrane;
using namespace kovrane::win32;

int failures = 0;

void Check(bool passed, const std::wstring& what) {
  std::wprintf(L"%ls - %ls\n", passed ? L"ok" : L"FAIL", what.c_str());
  std::fflush(stdout);
  if (!passed) ++failures;
}

template <typename Action>
bool RaisesControlFailed(Action action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.number() == ErrorNumber::ControlFailed;
  }
  return false;
}

void DiscardQuit() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

LOGFONTW FontOf(HFONT font) {
  LOGFONTW logFont{};
  GetObjectW(font, sizeof logFont, &logFont);
  return logFont;
}

int WidthIn(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

HWND Control(const MainWindow& window, int id) { return GetDlgItem(window.handle(), id); }

RECT ClientBox(HWND control) {
  RECT box{};
  GetClientRect(control, &box);
  return box;
}

void TestWiden() {
  struct Case {
    const char* utf8;
    std::wstring expected;
  };
  const Case cases[] = {
      {"", L""},
      {"00:00:00", L"00:00:00"},
      {"ＭＳ Ｐゴシック", L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF"},
  };
  for (const Case& c : cases) Check(Widen(c.utf8) == c.expected, L"UTF-16 of " + c.expected);
  Check(RaisesControlFailed([] { Widen("\xC3("); }), L"invalid UTF-8 raises ControlFailed");
}

void TestReadoutFont() {
  ReadoutFont font;
  font.Rebuild(96);
  constexpr int kWideBox = 100000;
  HFONT fullSize = font.FontFor(L"00:00:00", kWideBox);
  const LOGFONTW full = FontOf(fullSize);
  // The test prefix maps the design's face to IPAPGothic by name.
  Check(std::wstring(full.lfFaceName) == Widen("ＭＳ Ｐゴシック"),
        L"the design's face is found: " + std::wstring(full.lfFaceName));
  Check(full.lfHeight == -48 && full.lfWeight == 400 && full.lfCharSet == SHIFTJIS_CHARSET,
        L"36 pt at 96 dpi is 48 pixels, weight 400, Shift-JIS");
  const int fullWidth = WidthIn(fullSize, L"00:00:00");
  std::wprintf(L"figure - 00:00:00 at full size is %d pixels wide; its box is 169\n", fullWidth);
  const LOGFONTW shown = FontOf(font.FontFor(L"00:00:00", 169));
  Check(WidthIn(font.FontFor(L"00:00:00", 169), L"00:00:00") <= 169 &&
            (fullWidth > 169 || shown.lfHeight == -48),
        L"00:00:00 is drawn at full size when it fits, else shrunk to its box (" +
            std::to_wstring(-shown.lfHeight) + L" pixels high)");

  for (const std::wstring text : {L"100:00:00", L"1000:00:00", L"596523:14:07"}) {
    HFONT fitted = font.FontFor(text, 169);
    const int width = WidthIn(fitted, text);
    Check(width <= 169 && width >= 150,
          text + L" is shrunk to fill its box: " + std::to_wstring(width) + L" pixels");
    Check(font.FontFor(text, 169) == fitted, text + L" reuses its fitted font");
  }
  Check(font.FontFor(L"00:00:01", kWideBox) == fullSize,
        L"a readout that fits goes back to the full-size font");

  font.Rebuild(144);
  Check(FontOf(font.FontFor(L"00:00:00", kWideBox)).lfHeight == -72,
        L"36 pt at 144 dpi is 72 pixels");
}

// Not the backend's own, but what the screenshot shows: the title bar's
// buttons are drawn with Marlett's symbols, not with the letters that stand
// for them in another face.
void TestTitleBarSymbolFont() {
  HFONT marlett = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, 0, 0,
                              0, 0, L"Marlett");
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, marlett);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  DeleteObject(marlett);
  Check(std::wstring(face) == L"Marlett",
        L"the title bar's symbol font is installed: Marlett gives " + std::wstring(face));
}

// A START click on 600,000 hours: banking hour x 3600 overflows 32 bits.
void ClickStartIntoOverflow(MainWindow& window, Form1& form) {
  window.Create(GetModuleHandleW(nullptr), form);
  form.hour = 600000;
  SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(window, 101)));
}

void TestRunTimeErrorEndsTheProgram() {
  MainWindow window;
  Win32Runtime runtime(window);
  Form1 form(runtime);
  ClickStartIntoOverflow(window, form);
  Check(window.Closed() && !IsWindow(window.handle()),
        L"an error in a handler destroys the window");
  Check(window.failure().has_value() &&
            *window.failure() == L"Run-time error 6:\n\nOverflow",
        L"the error is kept with its number: " + window.failure().value_or(L"(none)"));
  DiscardQuit();
}

std::wstring Hex(COLORREF colour) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return text;
}

void TestReadoutColourChoice() {
  constexpr COLORREF kNavy = RGB(0, 0, 128), kWhite = RGB(255, 255, 255), kBlack = 0;
  ReadoutColours chosen = ChooseReadoutColours({false, kWhite, kBlack});
  Check(chosen.text == kNavy && chosen.background == kBlack,
        L"high contrast off: dark blue on the window's face, whatever the system's text colour");
  chosen = ChooseReadoutColours({true, kWhite, kBlack});
  Check(chosen.text == kWhite && chosen.background == kBlack,
        L"high contrast on: the window text colour on the window's face");
}

// Wine's SystemParametersInfo always answers high contrast off and cannot
// switch it on, so these windows read the flag from here.
bool highContrast = false;
SystemColours TestSystemColours() {
  SystemColours system = ReadSystemColours();
  system.highContrast = highContrast;
  return system;
}

// The colours the window gives the readout to paint with: its text, the
// text's background and the brush its box is filled with.
struct Painted {
  COLORREF text, textBackground, box;
  bool Is(COLORREF expectedText, COLORREF background) const {
    return text == expectedText && textBackground == background && box == background;
  }
  std::wstring Describe() const {
    return Hex(text) + L" on " + Hex(textBackground) + L", box " + Hex(box);
  }
};

Painted PaintedReadout(const MainWindow& window) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      window.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(Control(window, 103))));
  RECT pixel{0, 0, 1, 1};
  FillRect(dc, &pixel, brush);
  const Painted painted{GetTextColor(dc), GetBkColor(dc), GetPixel(dc, 0, 0)};
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return painted;
}

// Yellow window text, white button and caption text, all on black: the
// readout's colour tells which system colour it follows.
constexpr int kHighContrastElements[] = {
    COLOR_WINDOW,        COLOR_WINDOWTEXT,        COLOR_BTNFACE,     COLOR_BTNTEXT,
    COLOR_3DHILIGHT,     COLOR_3DLIGHT,           COLOR_3DSHADOW,    COLOR_3DDKSHADOW,
    COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION, COLOR_CAPTIONTEXT, COLOR_ACTIVEBORDER,
    COLOR_WINDOWFRAME,   COLOR_HIGHLIGHT,         COLOR_HIGHLIGHTTEXT};
constexpr COLORREF kHighContrastColours[] = {
    RGB(0, 0, 0),       RGB(255, 255, 0), RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),     RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(0, 255, 255), RGB(0, 0, 0)};
static_assert(std::size(kHighContrastElements) == std::size(kHighContrastColours));

void SetHighContrastPalette() {
  SetSysColors(static_cast<int>(std::size(kHighContrastElements)), kHighContrastElements,
               kHighContrastColours);
}

void TestWindowFollowsHighContrast() {
  std::vector<COLORREF> saved;
  for (int element : kHighContrastElements) saved.push_back(GetSysColor(element));
  MainWindow window;
  Win32Runtime runtime(window);
  Form1 form(runtime);
  highContrast = false;
  window.Create(GetModuleHandleW(nullptr), form, TestSystemColours);
  constexpr COLORREF kNavy = RGB(0, 0, 128);
  Painted painted = PaintedReadout(window);
  Check(painted.Is(kNavy, GetSysColor(COLOR_BTNFACE)),
        L"at start-up the readout is dark blue on the face: " + painted.Describe());

  highContrast = true;
  SendMessageW(window.handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  painted = PaintedReadout(window);
  Check(painted.Is(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE)),
        L"high contrast switched on: window text on the face: " + painted.Describe());

  SetHighContrastPalette();  // sends WM_SYSCOLORCHANGE
  painted = PaintedReadout(window);
  Check(painted.Is(RGB(255, 255, 0), RGB(0, 0, 0)),
        L"new system colours: the readout follows them: " + painted.Describe());

  highContrast = false;
  SendMessageW(window.handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  painted = PaintedReadout(window);
  Check(painted.Is(kNavy, RGB(0, 0, 0)),
        L"high contrast switched off: dark blue again: " + painted.Describe());
  SetSysColors(static_cast<int>(saved.size()), kHighContrastElements, saved.data());
}

// The whole window in a high-contrast palette, until it is closed. Windows
// draws controls without visual styles in high contrast; wine keeps its
// theme, so the controls are taken off it here.
int RunHighContrastWindow() {
  SetHighContrastPalette();
  highContrast = true;
  MainWindow window;
  Win32Runtime runtime(window);
  Form1 form(runtime);
  window.Create(GetModuleHandleW(nullptr), form, TestSystemColours);
  for (int id : {101, 102, 103}) SetWindowTheme(Control(window, id), L" ", L" ");
  window.Show(SW_SHOWNORMAL);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) window.Deliver(message);
  return window.failure() ? 1 : 0;
}

// The error box of that overflow, as the program shows it.
int ShowErrorBox() {
  MainWindow window;
  Win32Runtime runtime(window);
  Form1 form(runtime);
  ClickStartIntoOverflow(window, form);
  DiscardQuit();
  MessageBoxW(nullptr, window.failure().value_or(L"(no error)").c_str(), L"Kovrane",
              MB_OK | MB_ICONERROR);
  return 0;
}

std::wstring Milliseconds(double seconds) {
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"%.2f ms", seconds * 1000.0);
  return text;
}

// Every message that reaches a window procedure of this thread: those the
// pump takes from the queue, and those sent from elsewhere, which
// PeekMessage hands over without returning them. Wine and the window system
// may send either at any moment; a wake that brought one is a fair wake.
class MessageCount {
 public:
  static constexpr UINT kOurs = WM_APP + 1;
  static inline int handled = 0, ours = 0;

  MessageCount()
      : taken_(SetWindowsHookExW(WH_GETMESSAGE, Taken, nullptr, GetCurrentThreadId())),
        sent_(SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId())) {}
  ~MessageCount() {
    UnhookWindowsHookEx(taken_);
    UnhookWindowsHookEx(sent_);
  }
  bool Counting() const { return taken_ != nullptr && sent_ != nullptr; }

 private:
  static LRESULT CALLBACK Taken(int code, WPARAM removal, LPARAM message) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
      ++handled;
      if (reinterpret_cast<const MSG*>(message)->message == kOurs) ++ours;
    }
    return CallNextHookEx(nullptr, code, removal, message);
  }
  static LRESULT CALLBACK Sent(int code, WPARAM fromElsewhere, LPARAM message) {
    if (code == HC_ACTION) ++handled;
    return CallNextHookEx(nullptr, code, fromElsewhere, message);
  }
  HHOOK taken_, sent_;
};

// Pumps as the engine does, until the deadline or until `enough`. A pump may
// return before the deadline only having dispatched something: any other
// early return is a spin or a wait cut short.
struct Pumping {
  int returns = 0, idleEarly = 0;
  double end = 0;
};
template <typename Enough>
Pumping PumpUntil(Win32Runtime& runtime, double deadline, Enough enough) {
  Pumping pumping;
  do {
    const int before = MessageCount::handled;
    runtime.PumpEvents(deadline);
    ++pumping.returns;
    pumping.end = runtime.Clock();
    if (pumping.end < deadline && MessageCount::handled == before) ++pumping.idleEarly;
  } while (pumping.end < deadline && !enough());
  return pumping;
}

// CPU time this thread has used: a pump that spins inside its wait burns
// the span it waits, one that blocks next to none of it.
double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto seconds = [](FILETIME time) {
    return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

DWORD WINAPI PostOursSoon(LPVOID window) {
  // Mostly lands while the pump waits; one that lands before must end the
  // pump at once just the same.
  Sleep(100);
  PostMessageW(static_cast<HWND>(window), MessageCount::kOurs, 0, 0);
  return 0;
}

// Both ways the pump can wait: the high-resolution timer, when the system
// has one, and the millisecond timeout it falls back to.
void TestPumpWaits(Wake preferred) {
  MainWindow window;
  Win32Runtime runtime(window, preferred);
  Form1 form(runtime);
  window.Create(GetModuleHandleW(nullptr), form);
  const MessageCount count;
  const std::wstring path =
      runtime.wake() == Wake::HighResolutionTimer ? L"high-resolution timer" : L"timeout";
  std::wprintf(L"figure - asked for the %ls, waits with the %ls\n",
               preferred == Wake::HighResolutionTimer ? L"high-resolution timer" : L"timeout",
               path.c_str());
  if (preferred == Wake::Timeout) {
    Check(runtime.wake() == Wake::Timeout, L"the fallback waits with the timeout, no timer");
  }
  Check(count.Counting(), path + L": the test's hooks count the messages handled");

  const double start = runtime.Clock();
  Check(start >= 0 && start < 86400, path + L": the clock starts within the day");
  const int elsewhereBefore = MessageCount::handled;
  const double cpuBefore = ThreadCpuSeconds();
  const Pumping quiet = PumpUntil(runtime, start + 0.3, [] { return false; });
  const double cpu = ThreadCpuSeconds() - cpuBefore;
  std::wprintf(L"figure - %ls: %d return(s) in 300 ms with nothing of ours pending, "
               L"%d message(s) from elsewhere handled, %ls of CPU\n",
               path.c_str(), quiet.returns, MessageCount::handled - elsewhereBefore,
               Milliseconds(cpu).c_str());
  Check(quiet.idleEarly == 0 && quiet.end - start < 1.0 && cpu < 0.05,
        path + L": with nothing pending it blocks until the deadline, waking early only to "
               L"dispatch: " + Milliseconds(quiet.end - start) + L", " +
            std::to_wstring(quiet.idleEarly) + L" early return(s) with nothing dispatched, " +
            Milliseconds(cpu) + L" of CPU");

  const int oursBefore = MessageCount::ours;
  for (int i = 0; i < 3; ++i) PostMessageW(window.handle(), MessageCount::kOurs, 0, 0);
  const double before = runtime.Clock();
  runtime.PumpEvents(before + 5);
  Check(runtime.Clock() - before < 1.0, path + L": pending messages end the pump at once");
  Check(MessageCount::ours - oursBefore == 3, path + L": one pump dispatches every pending message");

  HANDLE poster = CreateThread(nullptr, 0, PostOursSoon, window.handle(), 0, nullptr);
  const double posting = runtime.Clock();
  const Pumping woken =
      PumpUntil(runtime, posting + 5, [&] { return MessageCount::ours > oursBefore + 3; });
  WaitForSingleObject(poster, INFINITE);
  CloseHandle(poster);
  Check(MessageCount::ours == oursBefore + 4 && woken.idleEarly == 0 &&
            woken.end - posting < 1.0,
        path + L": a message arriving during the wait ends it, dispatched, after " +
            Milliseconds(woken.end - posting));

  // How late the clock reads past each deadline, waited as the engine waits.
  // Only a grossly wrong wait fails; the figures are for reading.
  constexpr int kDeadlines = 20;
  std::vector<double> lateness;
  int pumps = 0, idlePumps = 0;
  for (int i = 0; i < kDeadlines; ++i) {
    const double deadline = runtime.Clock() + 0.02 + 0.0013 * i;
    while (runtime.Clock() <= deadline) {
      const int handled = MessageCount::handled;
      runtime.PumpEvents(deadline);
      ++pumps;
      if (MessageCount::handled == handled) ++idlePumps;
    }
    lateness.push_back(runtime.Clock() - deadline);
  }
  std::sort(lateness.begin(), lateness.end());
  std::wprintf(L"figure - %ls: wake after the deadline: min %ls, median %ls, max %ls; "
               L"%d pumps for %d deadlines\n",
               path.c_str(), Milliseconds(lateness.front()).c_str(),
               Milliseconds(lateness[kDeadlines / 2]).c_str(),
               Milliseconds(lateness.back()).c_str(), pumps, kDeadlines);
  Check(lateness.back() < 0.2, path + L": no wake is grossly late: " +
                                   Milliseconds(lateness.back()));
  Check(idlePumps <= 3 * kDeadlines, path + L": a few wakes at most per deadline");

  // A deadline already passed still blocks each pump for a moment, unless
  // it has something to dispatch.
  constexpr int kPassed = 50;
  int idlePassed = 0;
  const double passedFrom = runtime.Clock();
  for (int i = 0; i < kPassed; ++i) {
    const int handled = MessageCount::handled;
    runtime.PumpEvents(passedFrom - 1);
    if (MessageCount::handled == handled) ++idlePassed;
  }
  const double passedTook = runtime.Clock() - passedFrom;
  std::wprintf(L"figure - %ls: %d pumps with a passed deadline took %ls\n", path.c_str(),
               kPassed, Milliseconds(passedTook).c_str());
  Check(passedTook >= idlePassed * 0.0004 && passedTook < 5.0,
        path + L": a passed deadline blocks briefly instead of spinning");
}

void TestPump() {
  MainWindow window;
  Win32Runtime runtime(window);
  Form1 form(runtime);
  window.Create(GetModuleHandleW(nullptr), form);
  MSG message;

  runtime.SetCaption("12:34:56");
  Check(GetWindowTextLengthW(Control(window, 103)) == 8, L"SetCaption replaces the readout");
  runtime.SetCaption("100:00:00");
  HWND label = Control(window, 103);
  HFONT labelFont = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  Check(WidthIn(labelFont, L"100:00:00") <= ClientBox(label).right,
        L"a 100-hour readout fits its box");

  runtime.SetVisible(Button::Command2, true);
  runtime.SetVisible(Button::Command1, false);
  Check((GetWindowLongPtrW(Control(window, 102), GWL_STYLE) & WS_VISIBLE) != 0 &&
            (GetWindowLongPtrW(Control(window, 101), GWL_STYLE) & WS_VISIBLE) == 0,
        L"SetVisible shows and hides the buttons");

  runtime.SetCaption("00:00:00");
  const LONG height96 =
      -FontOf(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0))).lfHeight;
  RECT moved{100, 100, 600, 400};
  SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&moved));
  const RECT box = ClientBox(label);
  Check(box.right == 338 && box.bottom == 114, L"at 192 dpi the readout box is 338 x 114");
  runtime.SetCaption("00:00:00");
  labelFont = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  const LONG height = -FontOf(labelFont).lfHeight;
  Check(height >= 2 * height96 - 2 && height <= 2 * height96 + 2 &&
            WidthIn(labelFont, L"00:00:00") <= 338,
        L"at 192 dpi the readout font doubles too: " + std::to_wstring(height96) + L" to " +
            std::to_wstring(height) + L" pixels");

  PostQuitMessage(7);
  const double quitAt = runtime.Clock();
  runtime.PumpEvents(quitAt + 5);
  Check(runtime.WindowClosed() && runtime.Clock() - quitAt < 1.0,
        L"WM_QUIT in the pump ends the run at once");
  Check(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && message.wParam == 7,
        L"WM_QUIT is posted again, with its exit code");
  Check(RaisesControlFailed([&] { runtime.SetVisible(Button::Command1, true); }),
        L"after the end no control is touched");
  const double after = runtime.Clock();
  runtime.PumpEvents(after + 5);
  Check(runtime.Clock() - after < 0.1, L"after the end the pump returns at once");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_U8TEXT);
  if (argc == 2 && std::wstring(argv[1]) == L"high-contrast-window") {
    return RunHighContrastWindow();
  }
  if (argc == 2 && std::wstring(argv[1]) == L"error-box") return ShowErrorBox();
  TestWiden();
  TestReadoutFont();
  TestTitleBarSymbolFont();
  TestRunTimeErrorEndsTheProgram();
  TestReadoutColourChoice();
  TestWindowFollowsHighContrast();
  for (Wake preferred : {Wake::HighResolutionTimer, Wake::Timeout}) TestPumpWaits(preferred);
  TestPump();
  std::wprintf(L"%d check(s) failed\n", failures);
  return failures == 0 ? 0 : 1;
}
