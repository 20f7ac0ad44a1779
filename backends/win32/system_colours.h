#pragma once
// The readout's colours. Normally the design's dark blue; in high contrast
// the system's window text colour, because the user's theme may make the
// background black, where dark blue disappears. The background is always
// the window's own (COLOR_BTNFACE, as in a dialog), so the readout's box
// never shows as a patch of another colour.

#include <windows.h>

namespace kovrane::win32 {

// What the choice depends on, as the system reports it.
struct SystemColours {
  bool highContrast = false;
  COLORREF windowText = 0;  // COLOR_WINDOWTEXT
  COLORREF face = 0;        // COLOR_BTNFACE, the window's background
};

struct ReadoutColours {
  COLORREF text = 0;
  COLORREF background = 0;
};

ReadoutColours ChooseReadoutColours(const SystemColours& system);

// The high-contrast flag and colours in force now.
SystemColours ReadSystemColours();

}  // namespace kovrane::win32
