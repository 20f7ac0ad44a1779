// Drives the real kovrane window on an X display for a minute or more of
// seeded random START/STOP bursts, and checks after every screenshot what
// a user relies on:
// - exactly one of START and STOP shows, and STOP shows exactly while the
//   stopwatch counts;
// - while it counts, the readout shows the time shown at the last START
//   plus the whole seconds of the clock passed since, within the time a
//   click or a screenshot takes;
// - while START shows, the readout does not change;
// - resident memory at the end of the run stays within a given bound of
//   the memory at its start (0: reported, not judged).
// The readout is read by comparing the window's pixels with readouts
// drawn by the program's own window class on the same display, so a pixel
// mismatch means a wrong text, not a different renderer.
//
// Usage: soak_driver PID WINDOW_ID SECONDS SEED OUTPUT_DIR RSS_GROWTH_LIMIT_KIB
// Leaves the stopwatch counting; the caller closes the window.

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "backends/qt/local_day_clock.h"
#include "backends/qt/main_window.h"
#include "backends/qt/readout_label.h"

namespace {

// A new readout reaches the screen this long after its second.
constexpr double kPaintLatency = 0.15;

// Runs a program and waits for it; true if it ran and exited with 0.
// posix_spawn rather than QProcess, which cannot start a program where
// qemu-user runs the tests (it reports that it failed to start).
bool RunProgram(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string Readout(long seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

class Soak {
 public:
  Soak(long pid, WId window, std::uint32_t seed, QString out, long rssGrowthLimitKib)
      : pid_(pid), window_(window), random_(seed), out_(std::move(out)),
        rssGrowthLimitKib_(rssGrowthLimitKib) {
    label_ = reference_.findChild<kovrane::ReadoutLabel*>(QStringLiteral("Label1"))->geometry();
    start_ = reference_.findChild<QPushButton*>(QStringLiteral("Command1"))->geometry();
    stop_ = reference_.findChild<QPushButton*>(QStringLiteral("Command2"))->geometry();
  }

  bool failed() const { return failures_ > 0; }

  void Run(double seconds) {
    const double begin = Now();
    memoryWindow_ = std::min(60.0, seconds / 3);
    Observe();  // start-up: 00:00:00, START shown
    SampleMemory(0, seconds);
    while (failures_ == 0 && Now() - begin < seconds) {
      switch (std::uniform_int_distribution<int>(0, 5)(random_)) {
        case 0:  // STOP and START again within the same second
          EnsureRunning();
          Watch(Uniform(0.2, 2.5));
          Click(stop_);
          Watch(Uniform(0.0, 0.3));
          Click(start_);
          break;
        case 1:  // START and STOP before the first tick
          EnsureStopped();
          Watch(Uniform(0.1, 1.5));
          Click(start_);
          Watch(Uniform(0.0, 0.4));
          Click(stop_);
          break;
        case 2:  // a click on the hidden STOP's place during the last wait, then START
          EnsureRunning();
          Watch(Uniform(0.2, 2.0));
          Click(stop_);
          Click(stop_);
          Click(start_);
          break;
        default:  // an ordinary run and pause
          EnsureStopped();
          Click(start_);
          Watch(Uniform(1.0, 4.0));
          Click(stop_);
          Watch(Uniform(0.3, 2.0));
          break;
      }
      SampleMemory(Now() - begin, seconds);
    }
    // A START within the second of the STOP before it is handled inside
    // the stopped run's last wait. The bursts hit that only now and then,
    // so a short run may miss it: then STOP is aimed just past a whole
    // second, with START right after it, until one lands.
    for (int aimed = 0; aimed < 10 && startsInStopSecond_ == 0 && failures_ == 0; ++aimed) {
      EnsureRunning();
      WatchUntil(std::floor(Now()) + 1 + Uniform(0.0, 0.2));
      Click(stop_);
      Click(start_);
    }
    EnsureRunning();
    Watch(1.5);
    CheckMemory();
    std::printf("%d screenshots, %d clicks (%d STARTs in the same second as the STOP before), "
                "%d failures\n", shots_, clicks_, startsInStopSecond_, failures_);
    if (startsInStopSecond_ == 0) {
      ++failures_;
      std::printf("FAILED: no START came within the second of a STOP\n");
    }
  }

 private:
  double Now() const { return clock_.Now(); }
  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }

  void EnsureRunning() {
    if (running_) return;
    Click(start_);
    Watch(Uniform(0.1, 0.5));
  }
  void EnsureStopped() {
    if (!running_) return;
    Click(stop_);
    Watch(Uniform(0.1, 0.5));
  }

  // Clicks where a button sits; a click on START's place while START shows
  // starts a run, and likewise for STOP. Anything else changes nothing.
  void Click(const QRect& button) {
    const bool startShown = !running_;
    const double before = Now();
    const QPoint centre = button.center();
    if (!RunProgram({"xdotool", "mousemove", "--window", std::to_string(window_), std::to_string(centre.x()),
                     std::to_string(centre.y()), "click", "1"}))
      return Fail(Shot(), "xdotool could not be run, or failed");
    ++clicks_;
    const bool starts = button == start_ && startShown, stops = button == stop_ && !startShown;
    if (!starts && !stops) return Observe();
    const double after = Swapped(starts);
    if (after < 0) return Fail(Shot(), "the buttons did not swap in time after the click");
    if (starts) {
      if (std::floor(after) == std::floor(stoppedLow_)) ++startsInStopSecond_;
      running_ = true;
      banked_ = shown_;
      startedLow_ = before;
      startedHigh_ = after;
    } else {
      running_ = false;
      stoppedLow_ = before;
      stoppedHigh_ = after;
      frozen_ = false;
    }
    Observe();
  }

  // The handler swaps the buttons, so it ran before the first frame that
  // shows them swapped: returns the clock after that frame, or -1 after 5 s
  // (times the test time scale, on an emulated machine).
  double Swapped(bool toStop) {
    const double limit = 5.0 * std::max(1, qEnvironmentVariableIntValue("KOVRANE_TEST_TIME_SCALE"));
    for (const double giveUp = Now() + limit; Now() < giveUp; QTest::qWait(10)) {
      const QImage shot = Shot();
      if (!shot.isNull() && Drawn(shot, stop_) == toStop && Drawn(shot, start_) != toStop) {
        return Now();
      }
    }
    return -1;
  }

  QImage Shot() const {
    return QGuiApplication::primaryScreen()->grabWindow(window_).toImage().convertToFormat(
        QImage::Format_RGB32);
  }

  void Watch(double seconds) {
    const double until = Now() + seconds;
    while (Now() < until && failures_ == 0) {
      QTest::qWait(std::uniform_int_distribution<int>(60, 300)(random_));
      Observe();
    }
  }

  // Watches until shortly before clock time t, then waits to it exactly.
  void WatchUntil(double t) {
    Watch(t - Now() - 0.3);
    const double left = t - Now();
    if (left > 0) QTest::qWait(static_cast<int>(left * 1000));
  }

  // What the readout may show at clock time t of a run.
  long Expected(double t, double started) const {
    return banked_ + std::max(0L, static_cast<long>(std::floor(t)) - std::lrint(started));
  }

  void Observe() {
    const double before = Now();
    const QImage shot = Shot();
    const double after = Now();
    ++shots_;
    if (shot.isNull()) return Fail(shot, "could not take a screenshot");

    const bool startShown = Drawn(shot, start_), stopShown = Drawn(shot, stop_);
    if (startShown == stopShown) return Fail(shot, "START and STOP both shown or both hidden");
    if (stopShown != running_)
      return Fail(shot, running_ ? "START shown while counting" : "STOP shown while stopped");

    long low = shown_, high = shown_;
    if (running_) {
      low = Expected(before - kPaintLatency, startedHigh_);
      high = Expected(after, startedLow_);
    } else if (!frozen_) {
      // The run may have ticked once more before the STOP was handled.
      low = Expected(stoppedLow_ - kPaintLatency, startedHigh_);
      high = Expected(stoppedHigh_, startedLow_);
    }
    const QImage readout = shot.copy(label_);
    for (long value = low; value <= high; ++value) {
      if (readout == Drawing(value)) {
        shown_ = value;
        if (!running_) frozen_ = true;  // from now on exactly this
        return;
      }
    }
    Fail(shot, "readout is " + Decode(readout, low - 5, high + 5) + ", expected " + Readout(low) +
                   (high > low ? " to " + Readout(high) : "") +
                   (running_ ? " while counting" : " while stopped"));
  }

  bool Drawn(const QImage& shot, const QRect& where) const {
    const QRgb background = shot.pixel(1, 1);
    for (int y = where.top(); y <= where.bottom(); ++y)
      for (int x = where.left(); x <= where.right(); ++x)
        if (shot.pixel(x, y) != background) return true;
    return false;
  }

  const QImage& Drawing(long value) {
    auto found = drawings_.find(value);
    if (found == drawings_.end()) {
      reference_.SetCaption(Readout(value));
      found = drawings_.emplace(value, reference_.grab(label_).toImage().convertToFormat(QImage::Format_RGB32))
                  .first;
    }
    return found->second;
  }

  std::string Decode(const QImage& readout, long from, long to) {
    for (long value = std::max(0L, from); value <= to; ++value)
      if (readout == Drawing(value)) return Readout(value);
    return "unreadable";
  }

  void Fail(const QImage& shot, const std::string& what) {
    ++failures_;
    const QString file = out_ + QStringLiteral("/failure-%1.png").arg(failures_);
    shot.save(file);
    std::printf("FAILED at clock %.3f: %s (screenshot %s)\n", Now(), what.c_str(), qPrintable(file));
  }

  long ResidentKib() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string key;
    long value = 0;
    while (status >> key) {
      if (key == "VmRSS:" && status >> value) return value;
      status.ignore(1 << 10, '\n');
    }
    return 0;
  }

  // The peak of the first window, in which Qt fills its glyph and pixmap
  // caches (every digit and both buttons' looks show within seconds), is
  // compared with the peak of a window as long at the end. A minute each
  // on a long soak; on a short run a third each, so that they never
  // overlap and growth per tick or click still has a third of the run to
  // show between them.
  void SampleMemory(double elapsed, double total) {
    const long rss = ResidentKib();
    if (elapsed < memoryWindow_) firstKib_ = std::max(firstKib_, rss);
    if (elapsed > total - memoryWindow_) lastKib_ = std::max(lastKib_, rss);
  }

  void CheckMemory() {
    std::printf("resident memory: first %.0f s at most %ld KiB, last %.0f s at most %ld KiB\n",
                memoryWindow_, firstKib_, memoryWindow_, lastKib_);
    if (firstKib_ == 0 || lastKib_ == 0) {
      ++failures_;
      std::printf("FAILED: could not read the program's memory\n");
    } else if (rssGrowthLimitKib_ > 0 && lastKib_ - firstKib_ > rssGrowthLimitKib_) {
      ++failures_;
      std::printf("FAILED: memory grew by %ld KiB (limit %ld)\n", lastKib_ - firstKib_,
                  rssGrowthLimitKib_);
    }
  }

  const long pid_;
  const WId window_;
  std::mt19937 random_;
  const QString out_;
  const long rssGrowthLimitKib_;
  const kovrane::DayClock clock_ = kovrane::LocalDayClock();
  kovrane::MainWindow reference_;  // never shown: draws the expected readouts
  QRect label_, start_, stop_;
  std::map<long, QImage> drawings_;

  bool running_ = false;
  bool frozen_ = true;  // the stopped readout has been seen since the STOP
  long shown_ = 0, banked_ = 0;
  double startedLow_ = 0, startedHigh_ = 0, stoppedLow_ = 0, stoppedHigh_ = 0;
  int shots_ = 0, clicks_ = 0, startsInStopSecond_ = 0, failures_ = 0;
  double memoryWindow_ = 0;
  long firstKib_ = 0, lastKib_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 7) {
    std::fprintf(stderr, "usage: %s PID WINDOW_ID SECONDS SEED OUTPUT_DIR RSS_GROWTH_LIMIT_KIB\n",
                 argv[0]);
    return 2;
  }
  Soak soak(std::atol(argv[1]), static_cast<WId>(std::strtoul(argv[2], nullptr, 0)),
            static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 0)), QString::fromLocal8Bit(argv[5]),
            std::atol(argv[6]));
  soak.Run(std::atof(argv[3]));
  std::fflush(stdout);
  return soak.failed() ? 1 : 0;
}
