#pragma once
// SIGTERM (the session ending, a service manager stopping the program) and
// SIGINT (Ctrl+C in the terminal it was started from) close the window the
// way its close button does: a run in progress ends and the program exits
// with status 0. The same signal a second time, should that closing hang,
// ends the program at once as usual.

class QWidget;

namespace kovrane {

void CloseOnTerminationSignals(QWidget& window);

}  // namespace kovrane
