#include "backends/win32/main_window.h"

#include <commctrl.h>

#include <exception>

#include "backends/win32/localized_text.h"
#include "backends/win32/text_ids.h"
#include "backends/win32/wide_text.h"
#include "window/design_record.h"

namespace kovrane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KovraneForm1";
constexpr int kCommand1Id = 101;
constexpr int kCommand2Id = 102;
constexpr int kLabel1Id = 103;
constexpr int kIconGroupId = 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

int Scale(int twips, int dpi) { return MulDiv(twips, dpi, design::kTwipsPerInch); }

void Place(HWND control, const design::Rect& twips, int dpi) {
  SetWindowPos(control, nullptr, Scale(twips.left, dpi), Scale(twips.top, dpi),
               Scale(twips.width, dpi), Scale(twips.height, dpi),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateControl(HWND parent, const wchar_t* windowClass, DWORD style,
                   const design::Control& control, int id) {
  if (control.visibleAtStart) style |= WS_VISIBLE;
  return CreateWindowExW(0, windowClass, Widen(control.caption).c_str(), WS_CHILD | style, 0, 0,
                         0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         nullptr, nullptr);
}

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconGroupId),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(
      instance, MAKEINTRESOURCEW(kIconGroupId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  // The colour index, not a brush: the background follows the system colour.
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    RaiseControlFailed("window class");
  }
}

}  // namespace

std::wstring ErrorText(const RuntimeError& error) {
  const auto number = static_cast<UINT>(error.number());
  std::wstring message = LocalizedText(number);
  if (message.empty()) message = Widen(error.what());
  // std::to_string, not std::to_wstring: the wide one formats through
  // mingw's wide printf, which would add 10 KB to the program for this alone.
  return Filled(LocalizedText(KOVRANE_TEXT_RUNTIME_ERROR),
                {Widen(std::to_string(number)), message});
}

MainWindow::~MainWindow() {
  if (window_ != nullptr && IsWindow(window_)) {
    // Detached first: no message may reach this object once it is gone.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (buttonFont_ != nullptr) DeleteObject(buttonFont_);
}

void MainWindow::Create(HINSTANCE instance, Form1& form, SystemColours (*readColours)()) {
  form_ = &form;
  readColours_ = readColours;
  readoutColours_ = ChooseReadoutColours(readColours_());
  INITCOMMONCONTROLSEX controls{.dwSize = sizeof(INITCOMMONCONTROLSEX),
                                .dwICC = ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterWindowClass(instance);

  window_ = CreateWindowExW(kWindowExStyle, kClassName, Widen(design::Form1.caption).c_str(),
                            kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, nullptr, instance, this);
  if (window_ == nullptr) RaiseControlFailed("Form1");

  // Created in tab order, which is also the order Tab moves the focus in.
  command1_ = CreateControl(window_, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, design::Command1,
                            kCommand1Id);
  command2_ = CreateControl(window_, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, design::Command2,
                            kCommand2Id);
  label_ = CreateControl(window_, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, design::Label1,
                         kLabel1Id);
  if (command1_ == nullptr || command2_ == nullptr || label_ == nullptr) {
    RaiseControlFailed("controls of Form1");
  }

  const int dpi = static_cast<int>(GetDpiForWindow(window_));
  RECT frame{0, 0, Scale(design::Form1.clientWidthTwips, dpi),
             Scale(design::Form1.clientHeightTwips, dpi)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, static_cast<UINT>(dpi));
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi(dpi);
}

void MainWindow::Show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  MoveFocus(ShownButton());
}

void MainWindow::Deliver(MSG& message) {
  if (window_ != nullptr && !closed_ && IsDialogMessageW(window_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void MainWindow::SetButtonVisible(Button button, bool visible) {
  HWND target = button == Button::Command1 ? command1_ : command2_;
  if (closed_ || !IsWindow(target)) RaiseControlFailed("Visible");
  ShowWindow(target, visible ? SW_SHOWNA : SW_HIDE);
  // As in a dialog, the focus never stays on a hidden button.
  if (HWND shown = ShownButton(); shown != nullptr) MoveFocus(shown);
}

void MainWindow::SetReadout(const std::wstring& text) {
  if (closed_ || !IsWindow(label_)) RaiseControlFailed("Caption");
  if (!SetWindowTextW(label_, text.c_str())) RaiseControlFailed("Caption");
  FitReadout();
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kCommand1Id) {
        Click(&Form1::Command1_Click);
      } else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kCommand2Id) {
        Click(&Form1::Command2_Click);
      }
      return 0;
    case DM_GETDEFID:
      // Enter clicks the button on show, as the focused button of a dialog.
      if (HWND shown = ShownButton(); shown != nullptr) {
        return MAKELRESULT(GetDlgCtrlID(shown), DC_HASDEFID);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == label_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, readoutColours_.text);
        SetBkColor(dc, readoutColours_.background);
        SetDCBrushColor(dc, readoutColours_.background);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
      }
      break;
    case WM_SYSCOLORCHANGE:
      FollowSystemColours(true);
      return 0;
    case WM_SETTINGCHANGE:  // high contrast switched on or off among others
      FollowSystemColours(false);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) {
          focusWhileInactive_ = focus;
        }
      }
      break;
    case WM_SETFOCUS:
      // The window itself takes no keys: hand the focus on to a button.
      if (focusWhileInactive_ != nullptr && focusWhileInactive_ == ShownButton()) {
        SetFocus(focusWhileInactive_);
      } else if (HWND shown = ShownButton(); shown != nullptr) {
        SetFocus(shown);
      }
      return 0;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi(LOWORD(wParam));
      return 0;
    }
    case WM_DESTROY:
      closed_ = true;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::ApplyDpi(int dpi) {
  if (buttonFont_ != nullptr) DeleteObject(buttonFont_);
  buttonFont_ = CreateMessageFont(dpi);
  readoutFont_.Rebuild(dpi);

  Place(label_, design::Label1.twips, dpi);
  Place(command1_, design::Command1.twips, dpi);
  Place(command2_, design::Command2.twips, dpi);
  SendMessageW(command1_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), TRUE);
  SendMessageW(command2_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), TRUE);
  FitReadout();
}

void MainWindow::FitReadout() {
  const int length = GetWindowTextLengthW(label_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(label_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  RECT box{};
  GetClientRect(label_, &box);
  HFONT font = readoutFont_.FontFor(text, box.right - box.left);
  if (reinterpret_cast<HFONT>(SendMessageW(label_, WM_GETFONT, 0, 0)) != font) {
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void MainWindow::FollowSystemColours(bool coloursChanged) {
  // As a top-level window must: the controls learn of new colours from it.
  if (coloursChanged) {
    for (HWND control : {label_, command1_, command2_}) {
      SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
    }
  }
  const ReadoutColours chosen = ChooseReadoutColours(readColours_());
  if (!coloursChanged && chosen.text == readoutColours_.text &&
      chosen.background == readoutColours_.background) {
    return;
  }
  readoutColours_ = chosen;
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::Click(void (Form1::*handler)()) {
  // The one place a handler's error is caught: no exception may unwind
  // through the window procedure into user32.
  try {
    (form_->*handler)();
  } catch (const RuntimeError& error) {
    Fail(ErrorText(error));
  } catch (const std::exception& error) {
    Fail(Filled(LocalizedText(KOVRANE_TEXT_UNEXPECTED_ERROR), {Widen(error.what())}));
  }
}

void MainWindow::Fail(std::wstring text) {
  if (!failure_) failure_ = std::move(text);
  if (!closed_) DestroyWindow(window_);
}

HWND MainWindow::ShownButton() const {
  // By its own style, so that it also answers before the window is shown.
  for (HWND button : {command1_, command2_}) {
    if ((GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE) != 0) return button;
  }
  return nullptr;
}

void MainWindow::MoveFocus(HWND target) {
  if (GetActiveWindow() != window_) {
    // Taken on by WM_SETFOCUS when the window is activated again.
    focusWhileInactive_ = target;
    return;
  }
  if (GetFocus() != target) SetFocus(target);
}

}  // namespace kovrane::win32
