#include "backends/qt/label_font.h"

#include <QStringList>

#include "window/design_record.h"

namespace kovrane {

namespace {

const char* const kFallbacks[] = {"IPAPGothic", "Noto Sans CJK JP"};

}  // namespace

QFont LabelFont() {
  const QString family = QString::fromUtf8(design::kLabelFont.family);
  QStringList fallbacks;
  for (const char* fallback : kFallbacks) fallbacks.append(QString::fromLatin1(fallback));
  QFont::insertSubstitutions(family, fallbacks);

  // Qt chooses fonts by family alone; the design's Shift-JIS character set
  // is implied by the Japanese faces above.
  return QFont(family, design::kLabelFont.points, design::kLabelFont.weight);
}

}  // namespace kovrane
