#pragma once
// Asks an X window to close the way a window manager does: a
// WM_DELETE_WINDOW client message. A bare Xvfb has no window manager to do
// it, and destroying the window instead would bypass the program's close.

#include <X11/Xlib.h>

inline bool SendWmDelete(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return sent != 0;
}
