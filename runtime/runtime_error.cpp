#include "runtime/runtime_error.h"

namespace kovrane {

void RaiseOverflow() { throw RuntimeError(ErrorNumber::Overflow, "Overflow"); }

void RaiseFloatingPoint() {
  throw RuntimeError(ErrorNumber::FloatingPoint, "Floating-point error");
}

void RaiseControlFailed(const std::string& what) {
  throw RuntimeError(ErrorNumber::ControlFailed, "Control operation failed: " + what);
}

}  // namespace kovrane
