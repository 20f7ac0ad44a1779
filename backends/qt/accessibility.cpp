#include "backends/qt/accessibility.h"

#include <mutex>

#include <QAccessible>
#include <QAccessibleWidget>

#include "backends/qt/main_window.h"
#include "backends/qt/readout_label.h"

namespace kovrane {

namespace {

// Read-only text without a caret or selection: the selection and caret
// calls have nothing to act on.
class ReadoutAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ReadoutAccessible(ReadoutLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return Shown();
    return QAccessibleWidget::text(kind);
  }

  QString text(int startOffset, int endOffset) const override {
    return Shown().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Shown().size()); }

  QRect characterRect(int offset) const override {
    const QList<QRectF> cells = Readout()->CharacterCells();
    if (offset < 0 || offset >= cells.size()) return {};
    const QRect cell = cells[offset].toAlignedRect();
    return QRect(Readout()->mapToGlobal(cell.topLeft()), cell.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPointF local = Readout()->mapFromGlobal(point);
    const QList<QRectF> cells = Readout()->CharacterCells();
    for (qsizetype i = 0; i < cells.size(); ++i)
      if (cells[i].contains(local)) return static_cast<int>(i);
    return -1;
  }

  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  void scrollToSubstring(int, int) override {}

 private:
  ReadoutLabel* Readout() const { return static_cast<ReadoutLabel*>(widget()); }
  QString Shown() const { return Readout()->text(); }
};

QAccessibleInterface* MakeAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(ReadoutLabel::staticMetaObject.className()))
    return new ReadoutAccessible(static_cast<ReadoutLabel*>(object));
  // A plain top-level QWidget is presented as a client area (a "filler");
  // a screen reader looks for the application's windows as frames.
  if (className == QLatin1String(MainWindow::staticMetaObject.className()))
    return new QAccessibleWidget(static_cast<MainWindow*>(object), QAccessible::Window);
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  static std::once_flag installed;
  std::call_once(installed, [] { QAccessible::installFactory(&MakeAccessible); });
}

}  // namespace kovrane
