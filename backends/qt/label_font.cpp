#include "backends/qt/label_font.h"

#include <QStringList>

#include "window/design_record.h"

namespace kovrane {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont LabelFont() {
  const QString family = FromUtf8(design::kLabelFont.family);
  QStringList fallbacks;
  for (const char* fallback : kLabelFontFallbacks) fallbacks.append(QString::fromLatin1(fallback));
  QFont::insertSubstitutions(family, fallbacks);

  // Qt chooses fonts by family alone; the design's Shift-JIS character set
  // is implied by the Japanese faces above.
  QFont font(family, design::kLabelFont.points, design::kLabelFont.weight);
  return font;
}

}  // namespace kovrane
