#include "runtime/conversions.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace kovrane {

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) RaiseOverflow();
  return result;
}

std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_sub_overflow(a, b, &result)) RaiseOverflow();
  return result;
}

std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_mul_overflow(a, b, &result)) RaiseOverflow();
  return result;
}

std::int32_t RoundToInt32(double value) {
  // nearbyint rounds ties to even in the default rounding mode, which
  // nothing in the program changes.
  const double rounded = std::nearbyint(value);
  // Written so that NaN fails too.
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    RaiseOverflow();
  }
  return static_cast<std::int32_t>(rounded);
}

std::string NumberToText(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return value < 0 ? digits : " " + digits;
}

std::string LeftTrim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

}  // namespace kovrane
