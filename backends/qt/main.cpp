// Kovrane, the stopwatch: answers --help and --version, or builds the
// window, shows it and runs until it is closed (status 0), or no window can
// be opened or a run-time error has been shown (status 1).

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QApplication>

#include "backends/qt/command_line.h"
#include "backends/qt/display_settings.h"
#include "backends/qt/main_window.h"
#include "backends/qt/termination_signals.h"
#include "backends/qt/translations.h"
#include "backends/qt/window_system.h"

int main(int argc, char* argv[]) {
  if (const auto answer = kovrane::CommandLineAnswer(argc, argv)) {
    const bool written = std::fputs(answer->c_str(), stdout) != EOF && std::fflush(stdout) == 0;
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
  }

  kovrane::ChooseDisplaySettings();
  const std::unique_ptr<QApplication> application = kovrane::OpenWindowSystem(argc, argv);
  kovrane::InstallTranslations(*application);
  QApplication::setApplicationName(QStringLiteral("Kovrane"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.kovrane.Kovrane"));

  kovrane::MainWindow window;
  QObject::connect(&window, &kovrane::MainWindow::runtimeErrorShown, application.get(),
                   [] { QCoreApplication::exit(EXIT_FAILURE); });
  kovrane::CloseOnTerminationSignals(window);
  window.show();
  return QApplication::exec();
}
