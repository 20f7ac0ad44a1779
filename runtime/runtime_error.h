#pragma once
// The one error type of the program. It is raised where a failure happens and
// shown in one place by the front end, which then ends the program.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kovrane {

enum class ErrorNumber : std::int32_t {
  Overflow = 6,
  FloatingPoint = 16,
  ControlFailed = 440,
};

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorNumber number, const std::string& message)
      : std::runtime_error(message), number_(number) {}

  ErrorNumber number() const { return number_; }

 private:
  ErrorNumber number_;
};

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseFloatingPoint();
[[noreturn]] void RaiseControlFailed(const std::string& what);

}  // namespace kovrane
