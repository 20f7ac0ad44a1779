#include "backends/qt/readout_label.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include "backends/qt/readout_ink.h"

namespace kovrane {

namespace {

// Glyphs narrower than this share of their own width lose their shape;
// past it the whole text shrinks instead.
constexpr qreal kNarrowestCondensing = 0.7;
// Keeps antialiased edges and overhanging glyphs off the box's border.
constexpr qreal kSideMargin = 2;
// Antialiasing and hinting may reach a pixel past a glyph's outline.
constexpr int kInkSpill = 1;

}  // namespace

ReadoutLabel::ReadoutLabel(QWidget* parent) : QWidget(parent) {}

void ReadoutLabel::setText(const QString& text) {
  if (text == text_) return;
  const Layout& layout = Arrange();
  if (!layout.Fits(text, size())) {
    text_ = text;
    return update();
  }
  // Only digits changed: every cell stays in place, and only the changed
  // ones are repainted, over the pixels of both the old and the new digit.
  const QString shown = std::exchange(text_, text);
  QRegion changed;
  for (qsizetype i = 0; i < text.size(); ++i)
    if (shown[i] != text[i]) changed += layout.ink[i];
  Arrange();  // the same layout, now with the new digits' ink
  for (qsizetype i = 0; i < text.size(); ++i)
    if (shown[i] != text[i]) changed += layout.ink[i];
  // Painted at once, as nothing else changes with a tick, rather than on an
  // update request that the event loop would first queue and deliver.
  repaint(changed);
}

ReadoutLabel::FontMeasures& ReadoutLabel::Measures() const {
  if (measures_) return *measures_;
  const QFontMetricsF metrics(font());
  // Assigned, not emplaced: Clang cannot yet default-construct a nested
  // aggregate with member initialisers inside its class's optional.
  FontMeasures& measures = *(measures_ = FontMeasures{});
  for (char16_t digit = u'0'; digit <= u'9'; ++digit)
    measures.digitWidth = std::max(measures.digitWidth, metrics.horizontalAdvance(QChar(digit)));
  measures.ascent = metrics.ascent();
  measures.descent = metrics.descent();
  // Centres the digits' ink, from their baseline to their top, in the box.
  measures.baseline = metrics.tightBoundingRect(QStringLiteral("0")).height() / 2;
  return measures;
}

const ReadoutLabel::ShapedCharacter& ReadoutLabel::Shaped(QChar character) const {
  FontMeasures& measures = Measures();
  const auto found = measures.shaped.constFind(character);
  if (found != measures.shaped.cend()) return *found;

  ShapedCharacter shaped;
  shaped.text.setText(QString(character));
  shaped.text.setTextFormat(Qt::PlainText);
  shaped.text.prepare(QTransform(), font());
  const QFontMetricsF metrics(font());
  shaped.advance = metrics.horizontalAdvance(character);
  shaped.ink = metrics.boundingRect(QString(character));
  return *measures.shaped.insert(character, shaped);
}

bool ReadoutLabel::Layout::Fits(const QString& other, QSize widgetSize) const {
  if (widgetSize != size || other.size() != text.size()) return false;
  for (qsizetype i = 0; i < text.size(); ++i)
    if (other[i] != text[i] && !(other[i].isDigit() && text[i].isDigit())) return false;
  return true;
}

const ReadoutLabel::Layout& ReadoutLabel::Arrange() const {
  if (layout_ && layout_->Fits(text_, size())) {
    Layout& layout = *layout_;
    for (qsizetype i = 0; i < text_.size(); ++i)
      if (layout.text[i] != text_[i]) layout.ink[i] = InkBounds(layout, i, text_[i]);
    layout.text = text_;
    return layout;
  }
  const FontMeasures& measures = Measures();
  Layout& layout = *(layout_ = Layout{});
  layout.text = text_;
  layout.size = size();
  for (const QChar character : text_) {
    const qreal cellWidth = character.isDigit() ? measures.digitWidth : Shaped(character).advance;
    layout.cells.append(QRectF(layout.naturalWidth, -measures.ascent, cellWidth, measures.ascent + measures.descent));
    layout.naturalWidth += cellWidth;
  }

  qreal xScale = 1;
  qreal yScale = 1;
  const qreal available = width() - 2 * kSideMargin;
  if (layout.naturalWidth > available && layout.naturalWidth > 0) {
    xScale = available / layout.naturalWidth;
    yScale = std::min<qreal>(1, xScale / kNarrowestCondensing);
  }
  layout.placement = QTransform::fromTranslate(-layout.naturalWidth / 2, measures.baseline) *
                     QTransform::fromScale(xScale, yScale) *
                     QTransform::fromTranslate(width() / 2.0, height() / 2.0);
  for (qsizetype i = 0; i < text_.size(); ++i) layout.ink.append(InkBounds(layout, i, text_[i]));
  return layout;
}

QRect ReadoutLabel::InkBounds(const Layout& layout, qsizetype i, QChar character) const {
  const ShapedCharacter& shaped = Shaped(character);
  const QRectF ink = shaped.ink.translated(layout.Origin(i, shaped.advance));
  return layout.placement.mapRect(ink).toAlignedRect().adjusted(-kInkSpill, -kInkSpill, kInkSpill, kInkSpill);
}

QList<QRectF> ReadoutLabel::CharacterCells() const {
  const Layout& layout = Arrange();
  QList<QRectF> cells;
  for (const QRectF& cell : layout.cells) cells.append(layout.placement.mapRect(cell));
  return cells;
}

QColor ReadoutLabel::Ink() const {
  const QColor wanted = palette().color(QPalette::WindowText);
  const QColor background = palette().color(backgroundRole());
  if (!ink_ || ink_->wanted != wanted || ink_->background != background)
    ink_ = InkChoice{wanted, background, ReadableInk(wanted, background)};
  return ink_->ink;
}

void ReadoutLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    layout_.reset();
    measures_.reset();
  }
  QWidget::changeEvent(event);
}

void ReadoutLabel::paintEvent(QPaintEvent* event) {
  const Layout& layout = Arrange();
  QPainter painter(this);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font());
  // The label paints no background: what shows behind it is the window's,
  // whose colours it inherits, and a theme change repaints it.
  painter.setPen(Ink());
  painter.setTransform(layout.placement);
  for (qsizetype i = 0; i < text_.size(); ++i) {
    // Characters outside the repainted region keep the pixels they have.
    if (!event->region().intersects(layout.ink[i])) continue;
    // Static text is placed by its top, the font's ascent above the baseline.
    const ShapedCharacter& shaped = Shaped(text_[i]);
    painter.drawStaticText(layout.Origin(i, shaped.advance) - QPointF(0, Measures().ascent), shaped.text);
  }
}

}  // namespace kovrane
