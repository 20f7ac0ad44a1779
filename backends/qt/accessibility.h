#pragma once
// How the window presents itself to screen readers (AT-SPI on Linux):
// - the window is a frame named by its caption, not an anonymous filler;
// - the readout keeps the fixed name "Elapsed time" and offers the time it
//   shows as text, read on request (review, "where am I"). It announces
//   nothing by itself: a change of text sends no event, so a running
//   stopwatch does not talk every second.

namespace kovrane {

// Idempotent; must run before the window's widgets are first queried.
void InstallAccessibleInterfaces();

}  // namespace kovrane
