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

#include <QList>
#include <QRectF>
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

 private:
  struct Layout;
  Layout Arrange() const;

  QString text_;
};

}  // namespace kovrane
