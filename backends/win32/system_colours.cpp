#include "backends/win32/system_colours.h"

#include "window/design_record.h"

namespace kovrane::win32 {

ReadoutColours ChooseReadoutColours(const SystemColours& system) {
  if (system.highContrast) return {.text = system.windowText, .background = system.face};
  const design::Colour colour = design::kLabelColour;
  return {.text = RGB(colour.red, colour.green, colour.blue), .background = system.face};
}

SystemColours ReadSystemColours() {
  HIGHCONTRASTW highContrast{};
  highContrast.cbSize = sizeof highContrast;
  const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast,
                                        0) &&
                  (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  return {.highContrast = on,
          .windowText = GetSysColor(COLOR_WINDOWTEXT),
          .face = GetSysColor(COLOR_BTNFACE)};
}

}  // namespace kovrane::win32
