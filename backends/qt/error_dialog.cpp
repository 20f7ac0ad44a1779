#include "backends/qt/error_dialog.h"

#include <iostream>

#include <QMessageBox>

#include "runtime/runtime_error.h"

namespace kovrane {

void ShowRuntimeError(QWidget* parent, const RuntimeError& error) {
  const int number = static_cast<int>(error.number());
  std::cerr << "kovrane: run-time error " << number << ": " << error.what() << std::endl;
  QMessageBox::critical(parent, QStringLiteral("Kovrane"),
                        QStringLiteral("Run-time error '%1':\n\n%2")
                            .arg(number)
                            .arg(QString::fromUtf8(error.what())));
}

}  // namespace kovrane
