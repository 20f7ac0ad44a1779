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
}

}  // namespace kovrane
