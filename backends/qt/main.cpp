// Kovrane, the stopwatch: builds the window, shows it and runs until it is
// closed (status 0) or a run-time error has been shown (status 1).

#include <cstdlib>

#include <QApplication>

#include "backends/qt/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kovrane"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.kovrane.Kovrane"));

  kovrane::MainWindow window;
  QObject::connect(&window, &kovrane::MainWindow::runtimeErrorShown, &application,
                   [] { QCoreApplication::exit(EXIT_FAILURE); });
  window.show();
  return QApplication::exec();
}
