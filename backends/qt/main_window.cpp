#include "backends/qt/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPalette>
#include <QPushButton>

#include "backends/qt/accessibility.h"
#include "backends/qt/error_dialog.h"
#include "backends/qt/label_font.h"
#include "backends/qt/local_day_clock.h"
#include "backends/qt/readout_label.h"
#include "runtime/runtime_error.h"
#include "window/design_record.h"

namespace kovrane {

namespace {

// Twips are 1/1440 inch. Taking the logical DPI, rather than a fixed 96,
// keeps the controls in step with the point-sized fonts on a display whose
// scale factor is not carried by the device pixel ratio alone.
int Pixels(int twips, int dpi) { return qRound(twips * dpi / double(design::kTwipsPerInch)); }

QRect Pixels(const design::Rect& twips, int dpi) {
  return QRect(Pixels(twips.left, dpi), Pixels(twips.top, dpi), Pixels(twips.width, dpi),
               Pixels(twips.height, dpi));
}

QPushButton* MakeButton(const design::Control& control, const QString& accessibleName,
                        int dpi, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(control.caption), parent);
  button->setObjectName(QString::fromUtf8(control.name));
  button->setAccessibleName(accessibleName);
  button->setGeometry(Pixels(control.twips, dpi));
  button->setVisible(control.visibleAtStart);
  return button;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), clock_(LocalDayClock()) {
  InstallAccessibleInterfaces();
  const int dpi = logicalDpiX();
  setObjectName(QString::fromUtf8(design::Form1.name));
  setWindowTitle(QString::fromUtf8(design::Form1.caption));
  QIcon icon;
  for (const int size : {16, 32, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/kovrane-%1.png").arg(size));
  setWindowIcon(icon);
  setFixedSize(Pixels(design::Form1.clientWidthTwips, dpi),
               Pixels(design::Form1.clientHeightTwips, dpi));
  // Nothing in the window responds to a change of size.
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);

  label1_ = new ReadoutLabel(this);
  label1_->setObjectName(QString::fromUtf8(design::Label1.name));
  label1_->setAccessibleName(tr("Elapsed time"));
  label1_->setGeometry(Pixels(design::Label1.twips, dpi));
  label1_->setFont(LabelFont());
  QPalette readoutColours = label1_->palette();
  readoutColours.setColor(QPalette::WindowText,
                          QColor(design::kLabelColour.red, design::kLabelColour.green,
                                 design::kLabelColour.blue));
  label1_->setPalette(readoutColours);
  label1_->setText(QString::fromUtf8(design::Label1.caption));

  // The buttons are named by the words on them, in every language, so that
  // speech says the word rather than spelling the capitals out.
  command1_ = MakeButton(design::Command1, QStringLiteral("Start"), dpi, this);
  command2_ = MakeButton(design::Command2, QStringLiteral("Stop"), dpi, this);
  // Descriptions are spoken with the focus, which moves to the button shown.
  command2_->setAccessibleDescription(tr("Counting"));
  DescribeShownTime();
  setTabOrder(command1_, command2_);
  command1_->setFocus();

  connect(command1_, &QPushButton::clicked, this, [this] { Deliver(&Form1::Command1_Click); });
  connect(command2_, &QPushButton::clicked, this, [this] { Deliver(&Form1::Command2_Click); });
}

MainWindow::~MainWindow() = default;

double MainWindow::Clock() { return clock_.Now(); }

void MainWindow::PumpEvents(double deadline) {
  if (gone_) return;
  // A quit from outside (the session ending) leaves no loop that can wait.
  if (!pump_.WaitUntil(deadline)) gone_ = true;
}

void MainWindow::SetVisible(Button button, bool visible) {
  QPushButton* const target = ButtonFor(button);
  // START is shown when a run stops; the focus announcement then says the
  // stopped time, which the readout itself never announces.
  if (visible && button == Button::Command1) DescribeShownTime();
  target->setVisible(visible);
  // The focus follows the one button on show, so Space alone starts and stops.
  if (visible) target->setFocus(Qt::OtherFocusReason);
}

void MainWindow::SetCaption(const std::string& text) { label1_->setText(QString::fromUtf8(text)); }

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run in progress sees this as soon as its wait returns, and ends
  // without touching the controls again.
  gone_ = true;
  pump_.Interrupt();
  event->accept();
}

void MainWindow::Deliver(void (Form1::*handler)()) {
  try {
    (form_.*handler)();
  } catch (const RuntimeError& error) {
    Fail(error);
  }
  // Lets a run waiting underneath look at what this click changed.
  pump_.Interrupt();
}

void MainWindow::Fail(const RuntimeError& error) {
  gone_ = true;
  ShowRuntimeError(this, error);
  emit runtimeErrorShown(static_cast<int>(error.number()));
}

void MainWindow::DescribeShownTime() {
  command1_->setAccessibleDescription(label1_->accessibleName() + u' ' + label1_->text());
}

QPushButton* MainWindow::ButtonFor(Button button) const {
  return button == Button::Command1 ? command1_ : command2_;
}

}  // namespace kovrane
