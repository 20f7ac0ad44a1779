#include "backends/qt/readout_ink.h"

#include <algorithm>
#include <cmath>

namespace kovrane {

namespace {

double RelativeLuminance(const QColor& colour) {
  // Qt gives channels as float; the formula's constants are doubles.
  const auto linear = [](float channel) {
    const auto value = static_cast<double>(channel);
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableInk(const QColor& wanted, const QColor& background) {
  if (ContrastRatio(wanted, background) >= kReadableContrast) return wanted;
  // Away from the background: lighter on a dark one, darker on a light one.
  // The walk ends at white or black, and every background reads at 4.58:1
  // or better against one of them, so it always gets there.
  const bool lighter = ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background);
  const int last = lighter ? 255 : 0;
  const QColor hsl = wanted.toHsl();
  for (int lightness = hsl.lightness(); lightness != last; lightness += lighter ? 1 : -1) {
    const QColor candidate =
        QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
    if (ContrastRatio(candidate, background) >= kReadableContrast) return candidate;
  }
  return lighter ? QColor(Qt::white) : QColor(Qt::black);
}

}  // namespace kovrane
