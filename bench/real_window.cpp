// Benchmark, not a test: the real program on the X display in $DISPLAY.
// Launches it several times and times each launch from exec to the map of
// its window, then keeps the last one counting for a while and reads the
// CPU time all its threads used meanwhile, and its peak resident memory.
//
// Usage: real_window KOVRANE [SECONDS] [LAUNCHES]   (defaults 30 and 5)
// Prints one line: map_ms=<first>,<second>,... cpu_s=... run_s=...
//                  cpu_s_per_min=... peak_rss_kib=...

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/lib/wm_delete.h"

namespace {

double MonotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "real_window: %s\n", why.c_str());
  std::exit(1);
}

bool IsKovraneWindow(Display* display, Window window) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
  const bool match = std::strcmp(name, "Kovrane") == 0;
  XFree(name);
  return match;
}

// Waits for a top-level window captioned "Kovrane" to be mapped. Without a
// window manager the map goes straight to the server, so the root window's
// MapNotify is the moment the window appears.
Window AwaitMap(Display* display, double timeoutSeconds) {
  const double giveUp = MonotonicSeconds() + timeoutSeconds;
  pollfd connection{.fd = ConnectionNumber(display), .events = POLLIN, .revents = 0};
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && IsKovraneWindow(display, event.xmap.window))
        return event.xmap.window;
    }
    const double left = giveUp - MonotonicSeconds();
    if (left <= 0) Fail("no Kovrane window was mapped");
    poll(&connection, 1, static_cast<int>(left * 1000) + 1);
  }
}

pid_t Launch(const char* program) {
  const pid_t child = fork();
  if (child == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  if (child < 0) Fail("fork failed");
  return child;
}

rusage AwaitExit(pid_t child) {
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    Fail("the program did not end cleanly after closing");
  return usage;
}

// CPU time of every thread of the process, from the scheduler's own
// nanosecond count (the tick counts in /proc/<pid>/stat are 10 ms coarse).
double ThreadCpuSeconds(pid_t process) {
  const std::string tasks = "/proc/" + std::to_string(process) + "/task";
  DIR* const directory = opendir(tasks.c_str());
  if (directory == nullptr) Fail("cannot read " + tasks);
  double total = 0;
  while (const dirent* entry = readdir(directory)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
    double nanoseconds = 0;
    if (schedstat >> nanoseconds) total += nanoseconds * 1e-9;
  }
  closedir(directory);
  return total;
}

// The readout's pixels, to tell that a run really counted.
std::string ReadoutPixels(Display* display, Window window) {
  XImage* const image = XGetImage(display, window, 16, 8, 169, 57, AllPlanes, ZPixmap);
  if (image == nullptr) Fail("cannot read the window's pixels");
  std::string pixels(image->data, static_cast<std::size_t>(image->bytes_per_line * image->height));
  XDestroyImage(image);
  return pixels;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s KOVRANE [SECONDS] [LAUNCHES]\n", argv[0]);
    return 2;
  }
  const char* const program = argv[1];
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  const int launches = argc > 3 ? std::atoi(argv[3]) : 5;

  Display* const display = XOpenDisplay(nullptr);
  if (display == nullptr) Fail("cannot open the display");
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  std::string mapTimes;
  pid_t child = 0;
  Window window = 0;
  for (int launch = 1; launch <= launches; ++launch) {
    const double execAt = MonotonicSeconds();
    child = Launch(program);
    window = AwaitMap(display, 20);
    const double mappedAt = MonotonicSeconds();
    if (launch > 1) mapTimes += ',';
    mapTimes += std::to_string(std::lround((mappedAt - execAt) * 1000));
    if (launch == launches) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    SendWmDelete(display, window);
    AwaitExit(child);
  }

  // START, as a person clicks it; then count for the given time.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const std::string idleReadout = ReadoutPixels(display, window);
  const std::string click = "xdotool mousemove --window " + std::to_string(window) + " 60 92 click 1";
  if (std::system(click.c_str()) != 0) Fail("xdotool could not click START");
  std::this_thread::sleep_for(std::chrono::seconds(2));
  const double cpuBefore = ThreadCpuSeconds(child);
  const double runBegin = MonotonicSeconds();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double cpu = ThreadCpuSeconds(child) - cpuBefore;
  const double run = MonotonicSeconds() - runBegin;
  if (ReadoutPixels(display, window) == idleReadout) Fail("the readout did not move: no run counted");

  SendWmDelete(display, window);
  const rusage usage = AwaitExit(child);
  XCloseDisplay(display);
  std::printf("map_ms=%s cpu_s=%.4f run_s=%.2f cpu_s_per_min=%.4f peak_rss_kib=%ld\n",
              mapTimes.c_str(), cpu, run, cpu / run * 60, usage.ru_maxrss);
  return 0;
}
