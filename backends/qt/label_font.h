#pragma once
// The readout's font. The design asks for "ＭＳ Ｐゴシック", which Linux
// systems do not have, and fontconfig answers that name with a Latin sans.
// So the program maps it itself to Japanese Gothic faces of the same
// proportions, in order of preference, and keeps the design's size.

#include <QFont>

namespace kovrane {

QFont LabelFont();

}  // namespace kovrane
