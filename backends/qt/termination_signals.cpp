#include "backends/qt/termination_signals.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>

namespace kovrane {

namespace {

int signalPipe[2] = {-1, -1};

// A signal handler may do next to nothing: one byte down the pipe wakes the
// event loop, which does the closing.
void WakeEventLoop(int) {
  const int savedErrno = errno;
  const char byte = 0;
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

void CloseOnTerminationSignals(QWidget& window) {
  // Without a pipe the signals keep their default action: ending at once.
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* const notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char byte;
    while (read(signalPipe[0], &byte, 1) > 0) {
    }
    window.close();
  });

  struct sigaction action = {};
  action.sa_handler = WakeEventLoop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = static_cast<int>(SA_RESTART | SA_RESETHAND);  // a C flag word
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace kovrane
