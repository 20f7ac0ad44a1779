#pragma once
// The readout's ink. The design's dark blue is kept wherever it can be read
// against the background painted behind it; on a dark or high-contrast
// theme it would all but vanish, so there the ink turns a blue light (or
// dark) enough to read.

#include <QColor>

namespace kovrane {

// WCAG 2's figure for ordinary text: the readout is large, but people with
// low vision pick these themes to read everything, so it gets no discount.
inline constexpr double kReadableContrast = 4.5;

// WCAG 2 contrast ratio of two opaque colours, from 1 to 21.
double ContrastRatio(const QColor& first, const QColor& second);

// `wanted` itself when it reaches kReadableContrast against `background`;
// otherwise the first colour of the same hue and saturation, stepping its
// lightness away from the background, that does.
QColor ReadableInk(const QColor& wanted, const QColor& background);

}  // namespace kovrane
