// The readout, Label1, as the window builds it: digits that keep their
// places from one second to the next, long readouts shrunk to show whole
// inside the box, an ink that reads on any background, and repaints of
// only the characters that changed that leave the same pixels as a full one.

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <memory>

#include "backends/qt/main_window.h"
#include "backends/qt/readout_ink.h"
#include "backends/qt/readout_label.h"

namespace kovrane {

namespace {

// Columns holding ink, i.e. any pixel that is not the background colour.
std::pair<int, int> InkColumns(const QImage& image) {
  const QColor background = image.pixelColor(0, 0);
  int first = image.width();
  int last = -1;
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (image.pixelColor(x, y) != background) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  return {first, last};
}

// A font whose digits differ in width, to show that the layout, not the
// font, keeps them in place. Empty when no such font is installed.
QString FontWithUnequalDigits() {
  for (const QString& family : QFontDatabase::families()) {
    const QFontMetricsF metrics{QFont(family, 36)};
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
      if (metrics.horizontalAdvance(QChar(digit)) != metrics.horizontalAdvance(QChar(u'0')))
        return family;
  }
  return {};
}

// The readout's pixels as the window holds them after its last repaint
// (the offscreen platform grabs from the window's backing store).
QImage OnScreen(QWidget* label) {
  const QPoint topLeft = label->mapTo(label->window(), QPoint(0, 0));
  return label->screen()
      ->grabWindow(label->window()->winId(), topLeft.x(), topLeft.y(), label->width(), label->height())
      .toImage();
}

// Collects the regions a widget is asked to paint.
class PaintedRegions : public QObject {
 public:
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

}  // namespace

class ReadoutLabelTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<MainWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    label_ = window_->findChild<ReadoutLabel*>("Label1");
    QVERIFY(label_);
  }
  void cleanup() { window_.reset(); }

  void digitsKeepTheirPlaces_data() {
    QTest::addColumn<bool>("unequalDigitFont");
    QTest::newRow("readout font") << false;
    QTest::newRow("font with unequal digits") << true;
  }
  void digitsKeepTheirPlaces() {
    QFETCH(bool, unequalDigitFont);
    if (unequalDigitFont) {
      const QString family = FontWithUnequalDigits();
      if (family.isEmpty()) QSKIP("no installed font has digits of unequal width");
      label_->setFont(QFont(family, 36));
    }
    label_->setText("00:00:00");
    const QList<QRectF> reference = label_->CharacterCells();
    for (const char* text : {"11:11:11", "12:34:56", "88:88:88", "09:59:59", "47:47:47"}) {
      label_->setText(text);
      QCOMPARE(label_->CharacterCells(), reference);
    }
  }

  void standardReadoutKeepsItsHeight() {
    label_->setText("00:00:00");
    const QFontMetricsF metrics(label_->font());
    for (const QRectF& cell : label_->CharacterCells())
      QCOMPARE(cell.height(), metrics.ascent() + metrics.descent());
  }

  void longReadoutsFitTheBox_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("100 hours") << "100:00:00";
    QTest::newRow("1000 hours") << "1000:00:00";
    QTest::newRow("largest") << "596523:14:07";
  }
  void longReadoutsFitTheBox() {
    QFETCH(QString, text);
    label_->setText(text);
    const QList<QRectF> cells = label_->CharacterCells();
    QCOMPARE(cells.size(), text.size());
    QVERIFY(cells.first().left() >= 0);
    QVERIFY(cells.last().right() <= label_->width());
    // Still readable: no digit squeezed to a sliver.
    for (qsizetype i = 0; i < cells.size(); ++i)
      if (text[i].isDigit()) QVERIFY2(cells[i].width() >= 10 && cells[i].height() >= 25, qPrintable(text));

    // What is drawn stays inside the box and fills most of its width.
    const QImage drawn = label_->grab().toImage();
    const auto [first, last] = InkColumns(drawn);
    QVERIFY2(first > 0 && last < drawn.width() - 1, qPrintable(QString("%1..%2").arg(first).arg(last)));
    QVERIFY2(last - first > drawn.width() * 8 / 10, qPrintable(QString("%1..%2").arg(first).arg(last)));
  }

  void repaintsOnlyChangedCharactersLikeAFullRepaint() {
    const QStringList sequence{"00:00:00", "00:00:01", "00:00:09", "00:00:10", "00:09:59", "00:10:00",
                               "09:59:59", "10:00:00", "11:11:11", "99:59:58", "99:59:59", "100:00:00",
                               "100:00:01", "100:00:11", "00:00:00"};
    PaintedRegions regions;
    label_->installEventFilter(&regions);
    for (const QString& text : sequence) {
      const QList<QRectF> before = label_->CharacterCells();
      regions.painted = {};
      label_->setText(text);
      QCoreApplication::processEvents();
      const QImage partial = OnScreen(label_);
      const QRegion painted = regions.painted;
      window_->repaint();
      QCOMPARE(partial, OnScreen(label_));

      // Two digits changed: the others are left alone.
      if (text == "00:00:10") {
        QVERIFY(!painted.intersects(before[4].toAlignedRect()));
        QVERIFY(painted.intersects(before[6].toAlignedRect()));
      }
    }
  }

  void inkReadsOnAnyBackground() {
    const QColor darkBlue(0, 0, 128);
    QCOMPARE(ReadableInk(darkBlue, QApplication::palette().color(QPalette::Window)), darkBlue);
    QList<QColor> backgrounds{darkBlue, Qt::yellow, Qt::darkGreen, QColor(0x7f, 0x7f, 0xff)};
    for (int grey = 0; grey <= 255; grey += 15) backgrounds.append(QColor(grey, grey, grey));
    for (const QColor& background : backgrounds) {
      const QColor ink = ReadableInk(darkBlue, background);
      const QString seen = ink.name() + " on " + background.name();
      QVERIFY2(ContrastRatio(ink, background) >= kReadableContrast, qPrintable(seen));
      // Still the design's blue, only lighter or darker.
      QVERIFY2(ink.hslHue() == 240 || ink == Qt::white || ink == Qt::black, qPrintable(seen));
      if (ContrastRatio(darkBlue, background) >= kReadableContrast) QCOMPARE(ink, darkBlue);
    }
  }

 private:
  std::unique_ptr<MainWindow> window_;
  ReadoutLabel* label_ = nullptr;
};

}  // namespace kovrane

QTEST_MAIN(kovrane::ReadoutLabelTest)
#include "tst_readoutlabel.moc"
