// Benchmark, not a test: how soon after each whole second of the clock the
// readout changes, and the CPU time the process spends meanwhile. Runs the
// real window on whatever platform Qt picks (offscreen works).
//
// Usage: bench_tick_timing [SECONDS]

#include <sys/resource.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "backends/qt/main_window.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Notes how far past its whole second each new readout arrives.
class TimedWindow : public kovrane::MainWindow {
 public:
  std::vector<double> lateness;

  void SetCaption(const std::string& text) override {
    const double now = Clock();
    lateness.push_back(now - std::floor(now));
    MainWindow::SetCaption(text);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;

  TimedWindow window;
  window.show();
  double cpuAtStart = 0;
  QTimer::singleShot(0, &window, [&] {
    QTimer::singleShot(seconds * 1000, &window, [&] { window.close(); });
    cpuAtStart = CpuSeconds();
    window.findChild<QPushButton*>("Command1")->click();  // returns when closed
  });
  QApplication::exec();

  const double cpu = CpuSeconds() - cpuAtStart;
  std::vector<double> sorted = window.lateness;
  std::sort(sorted.begin(), sorted.end());
  if (sorted.empty()) return 1;
  std::printf("ticks: %zu; after the whole second: min %.2f ms, median %.2f ms, max %.2f ms\n",
              sorted.size(), sorted.front() * 1000, sorted[sorted.size() / 2] * 1000,
              sorted.back() * 1000);
  std::printf("CPU: %.3f s in %d s of running (%.2f%% of one core)\n", cpu, seconds,
              100 * cpu / seconds);
  return 0;
}
