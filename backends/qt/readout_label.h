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

#include <QColor>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QSize>
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
  // Where the characters go, for one size of the widget. Digits share one
  // cell width, so the layout of a text serves every text that differs
  // from it in digits alone: a tick does not lay the readout out anew.
  struct Layout {
    QString text;  // the text shown; see Fits
    QSize size;
    QList<QRectF> cells;  // unscaled, left edge at 0, baseline at 0
    qreal naturalWidth = 0;
    QTransform placement;  // unscaled layout coordinates to the widget's
    QList<QRect> ink;      // the widget's pixels each character of text may touch

    bool Fits(const QString& other, QSize widgetSize) const;
    // Where a character of this advance goes in cell i: centred in it.
    QPointF Origin(qsizetype i, qreal advance) const {
      return {cells[i].left() + (cells[i].width() - advance) / 2, 0};
    }
  };
  FontMeasures& Measures() const;
  const ShapedCharacter& Shaped(QChar character) const;
  const Layout& Arrange() const;
  // The widget's pixels that character i, drawn as `character`, may touch.
  QRect InkBounds(const Layout& layout, qsizetype i, QChar character) const;
  // The pen, chosen again only when the palette's colours change.
  QColor Ink() const;
  struct InkChoice {
    QColor wanted;
    QColor background;
    QColor ink;
  };

  QString text_;
  mutable std::optional<FontMeasures> measures_;
  mutable std::optional<Layout> layout_;
  mutable std::optional<InkChoice> ink_;
};

}  // namespace kovrane
