#pragma once
// Label1, the time readout. A plain QLabel will not do, for three reasons:
// - Digits are laid out in cells of one width, so the text does not shift
//   sideways from one second to the next even in a font whose digits differ.
// - A readout wider than its box (the replacement fonts run wider than the
//   original at the same size, and 100 hours or more adds digits) is first
//   condensed, then shrunk, so it always shows whole inside the box.
// - Screen readers get a fixed name and read the time as text on request;
//   the label does not announce each new second (accessibility.h).
// Its ink is the design's dark blue, made lighter only on a background
// where that could not be read (readout_ink.h).
// Each second usually changes one digit: only the changed characters' boxes
// are repainted, and each character is shaped once per font, not per paint.

#include <optional>

#include <QHash>
#include <QList>
#include <QRectF>
#include <QStaticText>
#include <QTransform>
#include <QString>
#include <QWidget>

namespace kovrane {

class ReadoutLabel : public QWidget {
  Q_OBJECT

 public:
  explicit ReadoutLabel(QWidget* parent = nullptr);

  QString text() const { return text_; }
  void setText(const QString& text);

  // Where each character of the text is drawn, in widget coordinates: the
  // character's cell, from the font's ascent to its descent.
  QList<QRectF> CharacterCells() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // A character shaped once, and every pixel it may cover relative to its
  // origin. QStaticText draws exactly what drawText would.
  struct ShapedCharacter {
    QStaticText text;
    qreal advance = 0;
    QRectF ink;
  };
  // What the font alone decides; dropped when the font changes.
  struct FontMeasures {
    qreal digitWidth = 0;
    qreal ascent = 0;
    qreal descent = 0;
    qreal baseline = 0;  // from the widget's vertical centre, unscaled
    QHash<QChar, ShapedCharacter> shaped;
  };
  // Where the characters of one text go, for one width of the widget.
  struct Layout {
    QString text;
    int width = 0;
    QList<QRectF> cells;  // unscaled, left edge at 0, baseline at 0
    QList<qreal> advances;
    qreal naturalWidth = 0;
    qreal xScale = 1;
    qreal yScale = 1;
    qreal baseline = 0;  // from the widget's vertical centre, unscaled

    // Unscaled layout coordinates to the widget's.
    QTransform Placement(const QWidget& widget) const {
      return QTransform::fromTranslate(-naturalWidth / 2, baseline) *
             QTransform::fromScale(xScale, yScale) *
             QTransform::fromTranslate(widget.width() / 2.0, widget.height() / 2.0);
    }
    // Where a character's origin goes: centred in its cell.
    QPointF Origin(qsizetype i) const { return {cells[i].left() + (cells[i].width() - advances[i]) / 2, 0}; }
  };
  FontMeasures& Measures() const;
  const ShapedCharacter& Shaped(QChar character) const;
  const Layout& Arrange() const;
  // The widget's pixels that character i, drawn as `character`, may touch.
  QRect InkBounds(const Layout& layout, qsizetype i, QChar character) const;

  QString text_;
  mutable std::optional<FontMeasures> measures_;
  mutable std::optional<Layout> layout_;
};

}  // namespace kovrane
