// Closes an X window the way a window manager does, for the shell tests.
//
// Usage: send_wm_delete WINDOW_ID   (decimal or 0x hex; uses $DISPLAY)

#include <cstdio>
#include <cstdlib>

#include "tests/lib/wm_delete.h"

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
  const bool sent = SendWmDelete(display, window);
  XCloseDisplay(display);
  return sent ? 0 : 1;
}
