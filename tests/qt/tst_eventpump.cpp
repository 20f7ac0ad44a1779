// The clock and the wait behind the engine's whole-second wait: the clock
// reads the local time of day in seconds; the wait sleeps to just past its
// deadline while handling events, ends early when interrupted, and tells its
// caller when the application's quit has ended it.

#include <cmath>

#include <QElapsedTimer>
#include <QTest>
#include <QTime>
#include <QTimer>

#include "backends/qt/event_pump.h"
#include "backends/qt/local_day_clock.h"

namespace kovrane {

class EventPumpTest : public QObject {
  Q_OBJECT

 private slots:
  void clockReadsSecondsSinceLocalMidnight() {
    const double timeOfDay = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    if (timeOfDay > 86399) QSKIP("too close to midnight to compare");
    QVERIFY2(std::abs(clock_.Now() - timeOfDay) < 0.1, qPrintable(QString::number(clock_.Now() - timeOfDay)));

    QElapsedTimer elapsed;
    elapsed.start();
    const double before = clock_.Now();
    QTest::qSleep(200);
    const double advanced = clock_.Now() - before;
    QVERIFY2(std::abs(advanced - static_cast<double>(elapsed.nsecsElapsed()) * 1e-9) < 0.01, qPrintable(QString::number(advanced)));
  }

  void sleepsPastTheDeadlineHandlingEvents() {
    EventPump pump(clock_);
    bool handled = false;
    QTimer::singleShot(50, [&] { handled = true; });
    const double deadline = clock_.Now() + 0.3;
    QVERIFY(pump.WaitUntil(deadline));
    const double woke = clock_.Now();
    QVERIFY(handled);
    QVERIFY2(woke > deadline, qPrintable(QString::number(woke - deadline)));
    qInfo("woke %.2f ms after the deadline", (woke - deadline) * 1000);
  }

  void interruptEndsTheWait() {
    EventPump pump(clock_);
    QTimer::singleShot(50, [&] { pump.Interrupt(); });
    const double deadline = clock_.Now() + 10;
    QVERIFY(pump.WaitUntil(deadline));
    QVERIFY(clock_.Now() < deadline - 5);
  }

  // A START clicked inside a wait runs a wait of its own, nested; the outer
  // one must still end at its deadline once the inner one returns.
  void aNestedWaitLeavesTheOuterDeadline() {
    EventPump pump(clock_);
    double innerWoke = 0;
    QTimer::singleShot(20, [&] {
      const double innerDeadline = clock_.Now() + 0.1;
      QVERIFY(pump.WaitUntil(innerDeadline));
      innerWoke = clock_.Now();
      QVERIFY(innerWoke > innerDeadline);
    });
    const double deadline = clock_.Now() + 0.4;
    QVERIFY(pump.WaitUntil(deadline));
    const double woke = clock_.Now();
    QVERIFY(innerWoke > 0 && innerWoke < deadline);
    QVERIFY2(woke > deadline && woke < deadline + 0.2, qPrintable(QString::number(woke - deadline)));
  }

  void aPassedDeadlineStillHandlesPendingEvents() {
    EventPump pump(clock_);
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    QVERIFY(pump.WaitUntil(clock_.Now() - 1));
    QVERIFY(handled);
  }

  // Last: after the application's quit, no event loop of this process waits.
  void applicationQuitEndsTheWaitForGood() {
    EventPump pump(clock_);
    QTimer::singleShot(50, [] { QCoreApplication::exit(0); });
    const double deadline = clock_.Now() + 10;
    QVERIFY(!pump.WaitUntil(deadline));
    QVERIFY(!pump.WaitUntil(deadline));
    QVERIFY(clock_.Now() < deadline - 5);
  }

 private:
  DayClock clock_ = LocalDayClock();
};

}  // namespace kovrane

QTEST_GUILESS_MAIN(kovrane::EventPumpTest)
#include "tst_eventpump.moc"
