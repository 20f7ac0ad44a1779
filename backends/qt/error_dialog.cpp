#include "backends/qt/error_dialog.h"

#include <iostream>

#include <QCoreApplication>
#include <QMessageBox>

#include "runtime/runtime_error.h"

namespace kovrane {

namespace {

// The user reads the error by its number in their language; the engine's
// English message, with its detail, goes to standard error.
QString Described(const RuntimeError& error) {
  switch (error.number()) {
    case ErrorNumber::Overflow:
      return QCoreApplication::translate("kovrane::ErrorDialog", "Overflow");
    case ErrorNumber::FloatingPoint:
      return QCoreApplication::translate("kovrane::ErrorDialog", "Floating-point error");
    case ErrorNumber::ControlFailed:
      return QCoreApplication::translate("kovrane::ErrorDialog", "Control operation failed");
  }
  return QString::fromUtf8(error.what());
}

}  // namespace

void ShowRuntimeError(QWidget* parent, const RuntimeError& error) {
  const int number = static_cast<int>(error.number());
  std::cerr << "kovrane: run-time error " << number << ": " << error.what() << std::endl;
  QMessageBox::critical(
      parent, QStringLiteral("Kovrane"),
      QCoreApplication::translate("kovrane::ErrorDialog", "Run-time error '%1':\n\n%2")
          .arg(number)
          .arg(Described(error)));
}

}  // namespace kovrane
