#pragma once
// The one place where a run-time error reaches the user: a message box with
// its number and message, and the same line on standard error.

class QWidget;

namespace kovrane {

class RuntimeError;

void ShowRuntimeError(QWidget* parent, const RuntimeError& error);

}  // namespace kovrane
