#include "backends/qt/display_settings.h"

#include <cstdlib>

namespace kovrane {

void ChooseDisplaySettings() {
  // X11: a repaint of this small window is a few kilobytes. Through MIT-SHM
  // Qt must wait for the server (a GetInputFocus round trip) before it may
  // reuse the shared segment, which wakes its event thread and then the
  // main thread once more every second; a plain PutImage needs no answer.
  // It is also what Qt falls back to on a remote display, so that keeps
  // working unchanged.
  setenv("QT_XCB_NO_MITSHM", "1", /*overwrite=*/0);
  // Wayland: after each commit Qt arms a 100 ms timer in case the
  // compositor stops sending frame callbacks, and it fires once a second
  // even though the callback came long before. Its only use is to mark a
  // window whose callbacks stopped as hidden, which saves animations their
  // work; a readout that draws one digit a second has none to save.
  setenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT", "0", /*overwrite=*/0);
}

}  // namespace kovrane
