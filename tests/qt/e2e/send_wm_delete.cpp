// Asks an X window to close the way a window manager does: a
// WM_DELETE_WINDOW client message. A bare Xvfb has no window manager to do
// it, and destroying the window instead would bypass the program's close.
//
// Usage: send_wm_delete WINDOW_ID   (decimal or 0x hex; uses $DISPLAY)

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WINDOW_ID\n", argv[0]);
    return 2;
  }
  Display* const display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "send_wm_delete: cannot open display\n");
    return 1;
  }
  const auto window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return sent != 0 ? 0 : 1;
}
