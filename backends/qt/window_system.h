#pragma once
// Opening the window system. Qt does it inside QApplication's constructor,
// and when no platform can start there (no display, or the server refuses
// the connection) it aborts with advice to reinstall the program, which is
// wrong. Here that failure ends the program with status 1 and an
// explanation on stderr, in the user's language, instead, and Qt's own
// messages from the attempt are held back unless QT_DEBUG_PLUGINS asks for
// them; after a successful start they are passed on as usual.

#include <memory>

class QApplication;

namespace kovrane {

// The application, with its window system open; does not return when
// none could be opened.
std::unique_ptr<QApplication> OpenWindowSystem(int& argc, char** argv);

}  // namespace kovrane
