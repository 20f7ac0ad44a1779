#pragma once
// Number and text conversions with the runtime's semantics: checked signed
// 32-bit arithmetic and round-half-to-even, raising RuntimeError on overflow.

#include <cstdint>
#include <string>
#include <string_view>

namespace kovrane {

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b);
std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b);

// Nearest whole number, ties to even; overflow error outside the int32 range
// (NaN included).
std::int32_t RoundToInt32(double value);

// Decimal text; non-negative numbers carry a leading blank for the sign.
std::string NumberToText(std::int32_t value);
std::string LeftTrim(std::string_view text);

}  // namespace kovrane
