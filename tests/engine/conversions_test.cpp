#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime/runtime_error.h"

namespace kovrane {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct RoundCase {
  double value;
  std::int32_t expected;
};

void PrintTo(const RoundCase& c, std::ostream* out) { *out << c.value << " -> " << c.expected; }

class RoundToInt32Test : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt32Test, RoundsToNearestWithTiesToEven) {
  EXPECT_EQ(RoundToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, RoundToInt32Test,
    testing::Values(RoundCase{100.2, 100}, RoundCase{100.7, 101}, RoundCase{100.5, 100},
                    RoundCase{101.5, 102}, RoundCase{0.5, 0}, RoundCase{-0.5, 0},
                    RoundCase{-1.5, -2}, RoundCase{-2.5, -2}, RoundCase{86399.6, 86400},
                    RoundCase{2147483647.4, kMax}, RoundCase{-2147483648.5, kMin}));

TEST(RoundToInt32, RaisesOverflowOutsideTheRangeAndOnNaN) {
  for (const double value : {2147483647.5, -2147483648.6, 1e300,
                             std::numeric_limits<double>::quiet_NaN()}) {
    try {
      RoundToInt32(value);
      ADD_FAILURE() << "no error for " << value;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), ErrorNumber::Overflow) << value;
    }
  }
}

TEST(CheckedArithmetic, ReturnsExactResultsInRange) {
  EXPECT_EQ(CheckedAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(CheckedSubtract(kMin + 1, 1), kMin);
  EXPECT_EQ(CheckedMultiply(596523, 3600), 2147482800);
  EXPECT_EQ(CheckedMultiply(-596523, 3600), -2147482800);
}

TEST(CheckedArithmetic, RaisesOverflowOnEveryOperation) {
  EXPECT_THROW(CheckedAdd(kMax, 1), RuntimeError);
  EXPECT_THROW(CheckedAdd(kMin, -1), RuntimeError);
  EXPECT_THROW(CheckedSubtract(kMin, 1), RuntimeError);
  EXPECT_THROW(CheckedSubtract(0, kMin), RuntimeError);
  EXPECT_THROW(CheckedMultiply(596524, 3600), RuntimeError);
  EXPECT_THROW(CheckedMultiply(kMin, -1), RuntimeError);
}

TEST(TextConversions, NumberToTextLeavesRoomForTheSignAndLeftTrimRemovesIt) {
  EXPECT_EQ(NumberToText(0), " 0");
  EXPECT_EQ(NumberToText(596523), " 596523");
  EXPECT_EQ(NumberToText(-7), "-7");
  EXPECT_EQ(NumberToText(kMin), "-2147483648");
  EXPECT_EQ(LeftTrim(NumberToText(42)), "42");
  EXPECT_EQ(LeftTrim("   "), "");
  EXPECT_EQ(LeftTrim(" a b "), "a b ");
}

}  // namespace
}  // namespace kovrane
