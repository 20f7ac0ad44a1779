// Benchmark, not a test: the real window and engine on the offscreen
// platform, one START and a fixed number of ticks. Prints, on one line,
// the CPU time the process used while counting, how long after each whole
// second of the clock the readout was set, and readouts that skipped or
// repeated a second.
//
// Two pumps, one per process so their figures never mix:
//   event-loop  the program's own: sleeps in a nested event loop until the
//               next event or the deadline;
//   busy-pump   the baseline: handles what is pending and returns at once,
//               so the engine's wait spins between clock readings.
//
// Usage: tick_timing event-loop|busy-pump [TICKS]   (default 30)

#include <sys/resource.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backends/qt/main_window.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](timeval t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long SecondsShown(const std::string& readout) {
  long h = 0, m = 0, s = 0;
  if (std::sscanf(readout.c_str(), "%ld:%ld:%ld", &h, &m, &s) != 3) return -1;
  return h * 3600 + m * 60 + s;
}

// Notes the clock at each new readout and ends the run after the last one.
class TimedWindow : public kovrane::MainWindow {
 public:
  struct Readout {
    double at;
    double cpu;
    long shown;
  };

  explicit TimedWindow(std::size_t ticks) : ticks_(ticks) {}

  std::vector<Readout> readouts;

  void SetCaption(const std::string& text) override {
    readouts.push_back({Clock(), CpuSeconds(), SecondsShown(text)});
    MainWindow::SetCaption(text);
    if (readouts.size() == ticks_) QTimer::singleShot(0, this, [this] { close(); });
  }

 private:
  std::size_t ticks_;
};

// The literal design's pump: never sleeps.
class SpinningWindow : public TimedWindow {
 public:
  using TimedWindow::TimedWindow;

  void PumpEvents(double) override {
    if (!WindowClosed()) QCoreApplication::processEvents();
  }
};

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string variant = argc > 1 ? argv[1] : "";
  const long ticks = argc > 2 ? std::atol(argv[2]) : 30;
  if ((variant != "event-loop" && variant != "busy-pump") || ticks < 1) {
    std::fprintf(stderr, "usage: %s event-loop|busy-pump [TICKS]\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  const auto tickCount = static_cast<std::size_t>(ticks);
  TimedWindow* const window = variant == "busy-pump" ? new SpinningWindow(tickCount)
                                                     : new TimedWindow(tickCount);
  window->show();
  double startClock = 0, startCpu = 0;
  auto clickStart = [&] {
    startClock = window->Clock();
    startCpu = CpuSeconds();
    window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();  // returns when closed
  };
  // Clicks a tenth of a second past a whole second, well clear of the
  // half second, so the first readout is 00:00:01 unless a tick is missed.
  QTimer::singleShot(1000, window, [&] {
    const double now = window->Clock();
    const double untilStart = std::ceil(now) + 0.1 - now;
    QTimer::singleShot(static_cast<int>(untilStart * 1000), window, clickStart);
  });
  QApplication::exec();

  const std::vector<TimedWindow::Readout> readouts = window->readouts;
  delete window;
  if (readouts.size() != tickCount) {
    std::fprintf(stderr, "tick_timing: %zu readouts, expected %zu\n", readouts.size(), tickCount);
    return 1;
  }

  std::vector<double> lateness;
  long missed = 0, doubled = 0, previous = 0;
  for (const auto& readout : readouts) {
    lateness.push_back((readout.at - std::floor(readout.at)) * 1000);
    const long step = readout.shown - previous;
    if (step == 0) ++doubled;
    if (step > 1) missed += step - 1;
    if (step < 0) ++missed;  // never expected; counted rather than hidden
    previous = readout.shown;
  }
  const double elapsed = readouts.back().at - startClock;
  const double cpu = readouts.back().cpu - startCpu;
  std::printf("variant=%s ticks=%zu elapsed_s=%.3f cpu_s=%.4f cpu_s_per_min=%.4f "
              "late_p50_ms=%.2f late_p99_ms=%.2f late_max_ms=%.2f missed=%ld doubled=%ld\n",
              variant.c_str(), readouts.size(), elapsed, cpu, cpu / elapsed * 60,
              Percentile(lateness, 0.5), Percentile(lateness, 0.99), Percentile(lateness, 1.0),
              missed, doubled);
  return 0;
}
