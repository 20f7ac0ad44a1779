#include "backends/qt/readout_label.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>

#include "backends/qt/readout_ink.h"

namespace kovrane {

namespace {

// Glyphs narrower than this share of their own width lose their shape;
// past it the whole text shrinks instead.
constexpr qreal kNarrowestCondensing = 0.7;
// Keeps antialiased edges and overhanging glyphs off the box's border.
constexpr qreal kSideMargin = 2;

}  // namespace

struct ReadoutLabel::Layout {
  QList<QRectF> cells;  // unscaled, left edge at 0, baseline at 0
  QList<qreal> advances;
  qreal naturalWidth = 0;
  qreal xScale = 1;
  qreal yScale = 1;
  qreal baseline = 0;  // from the widget's vertical centre, unscaled
};

ReadoutLabel::ReadoutLabel(QWidget* parent) : QWidget(parent) {}

void ReadoutLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

ReadoutLabel::Layout ReadoutLabel::Arrange() const {
  const QFontMetricsF metrics(font());
  qreal digitWidth = 0;
  for (char16_t digit = u'0'; digit <= u'9'; ++digit)
    digitWidth = std::max(digitWidth, metrics.horizontalAdvance(QChar(digit)));

  Layout layout;
  for (const QChar character : text_) {
    const qreal advance = metrics.horizontalAdvance(character);
    const qreal cellWidth = character.isDigit() ? digitWidth : advance;
    layout.cells.append(
        QRectF(layout.naturalWidth, -metrics.ascent(), cellWidth, metrics.ascent() + metrics.descent()));
    layout.advances.append(advance);
    layout.naturalWidth += cellWidth;
  }

  const qreal available = width() - 2 * kSideMargin;
  if (layout.naturalWidth > available && layout.naturalWidth > 0) {
    const qreal fit = available / layout.naturalWidth;
    layout.xScale = fit;
    layout.yScale = std::min<qreal>(1, fit / kNarrowestCondensing);
  }
  // Centres the digits' ink, from their baseline to their top, in the box.
  layout.baseline = metrics.tightBoundingRect(QStringLiteral("0")).height() / 2;
  return layout;
}

QList<QRectF> ReadoutLabel::CharacterCells() const {
  const Layout layout = Arrange();
  QList<QRectF> cells;
  for (const QRectF& cell : layout.cells) {
    const qreal left = width() / 2.0 + (cell.left() - layout.naturalWidth / 2) * layout.xScale;
    const qreal top = height() / 2.0 + (cell.top() + layout.baseline) * layout.yScale;
    cells.append(QRectF(left, top, cell.width() * layout.xScale, cell.height() * layout.yScale));
  }
  return cells;
}

void ReadoutLabel::paintEvent(QPaintEvent*) {
  const Layout layout = Arrange();
  QPainter painter(this);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font());
  // The label paints no background: what shows behind it is the window's,
  // whose colours it inherits, and a theme change repaints it.
  painter.setPen(ReadableInk(palette().color(QPalette::WindowText),
                             palette().color(backgroundRole())));
  painter.translate(width() / 2.0, height() / 2.0);
  painter.scale(layout.xScale, layout.yScale);
  painter.translate(-layout.naturalWidth / 2, layout.baseline);
  for (qsizetype i = 0; i < text_.size(); ++i) {
    const QRectF& cell = layout.cells[i];
    const qreal centred = cell.left() + (cell.width() - layout.advances[i]) / 2;
    painter.drawText(QPointF(centred, 0), QString(text_[i]));
  }
}

}  // namespace kovrane
