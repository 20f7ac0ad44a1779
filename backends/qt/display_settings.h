#pragma once
// Display-server settings the program chooses for itself, before the
// application opens its connection. Each one the user has set in the
// environment is left as the user set it.

namespace kovrane {

// Call before constructing QApplication.
void ChooseDisplaySettings();

}  // namespace kovrane
