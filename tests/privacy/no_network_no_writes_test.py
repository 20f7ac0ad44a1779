#!/usr/bin/env python3
"""The real kovrane under strace, through start-up, a run and closing:
it must open no network socket and write no file.

The program runs on its own Xvfb display with a fresh, empty home and XDG
directories, so anything Qt, fontconfig or D-Bus would cache or save shows
up there. What counts:
- network: any socket() or connect() of the internet families, AF_INET or
  AF_INET6, whether it succeeds or not. UNIX sockets are allowed: they are
  how the program reaches the X server (and D-Bus, where there is a session
  bus), both local, and carry nothing to the network.
- writes: any successful call that creates, opens for writing, renames,
  links, truncates or removes a path, except under /dev, /proc and /sys,
  which are kernel interfaces rather than files (the GPU and shared-memory
  nodes, a thread's own settings), not places data is kept. Calls that
  fail changed nothing (Qt's mkdir of the already existing XDG runtime
  directory is such a call), so only successes count.
- the home and XDG directories must still be empty afterwards.
A run is known to have happened because each whole-second wait arms the
program's timerfd, which the trace also records.

Usage: no_network_no_writes_test.py KOVRANE SEND_WM_DELETE OUTPUT_DIR
Exit status 77 (skipped) when a tool is missing, except under CI.
"""

import os
import re
import shutil
import subprocess
import sys
import time

INTERNET = re.compile(r"\b(AF_INET6?|PF_INET6?)\b")
OPEN_FOR_WRITING = re.compile(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND")
# A wait cut short disarms the timer: a zero expiry.
DISARMED = re.compile(r"it_value=\{tv_sec=0, tv_nsec=0\}")
PATH_CHANGES = {
    "creat", "mkdir", "mkdirat", "rename", "renameat", "renameat2", "link", "linkat",
    "symlink", "symlinkat", "unlink", "unlinkat", "rmdir", "truncate", "mknod", "mknodat",
}
KERNEL_INTERFACES = ("/dev/", "/proc/", "/sys/")
CALL = re.compile(r"^(?P<pid>\d+)\s+(?P<name>\w+)\((?P<args>.*)\)\s+=\s+(?P<result>-?\d+|\?)")


def calls(trace_file):
    """Yields (name, args, result) per call, joining calls another thread interrupted."""
    pending = {}
    with open(trace_file, encoding="utf-8", errors="replace") as trace:
        for line in trace:
            line = line.rstrip("\n")
            pid = line.split(maxsplit=1)[0] if line else ""
            if line.endswith("<unfinished ...>"):
                pending[pid] = line[: -len("<unfinished ...>")].rstrip()
                continue
            resumed = re.match(r"^(\d+)\s+<\.\.\. \w+ resumed>(.*)$", line)
            if resumed and resumed.group(1) in pending:
                line = pending.pop(resumed.group(1)) + resumed.group(2)
            match = CALL.match(line)
            if match:
                yield match.group("name"), match.group("args"), match.group("result")


def quoted_paths(args):
    return re.findall(r'"((?:[^"\\]|\\.)*)"', args)


def violations(trace_file):
    found = []
    timers = 0
    reached_x_server = False
    for name, args, result in calls(trace_file):
        succeeded = result != "?" and not result.startswith("-")
        if name == "timerfd_settime" and succeeded and not DISARMED.search(args):
            timers += 1
        elif name in ("socket", "connect", "sendto", "sendmsg", "bind"):
            if INTERNET.search(args):
                found.append(f"network: {name}({args}) = {result}")
            elif name == "connect" and "X11-unix" in args and succeeded:
                reached_x_server = True
        elif not succeeded:
            continue
        elif name in ("open", "openat", "openat2") and OPEN_FOR_WRITING.search(args):
            paths = quoted_paths(args)
            if not paths or not paths[0].startswith(KERNEL_INTERFACES):
                found.append(f"write: {name}({args}) = {result}")
        elif name in PATH_CHANGES:
            if not all(path.startswith(KERNEL_INTERFACES) for path in quoted_paths(args)):
                found.append(f"write: {name}({args}) = {result}")
    return found, timers, reached_x_server


def wait_until(seconds, condition, meanwhile=None, every=0.25):
    """Polls the condition, running meanwhile before each look; False after seconds."""
    give_up = time.monotonic() + seconds
    while time.monotonic() < give_up:
        if meanwhile:
            meanwhile()
            time.sleep(every)
        if condition():
            return True
        time.sleep(every)
    return False


def start_xvfb(out):
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0", "640x480x24",
         "-dpi", "96", "-nolisten", "tcp"],
        pass_fds=[write_end], stderr=open(os.path.join(out, "xvfb.log"), "w"))
    os.close(write_end)
    with os.fdopen(read_end) as display:
        number = display.readline().strip()
    return xvfb, f":{number}"


def fresh_environment(out, display):
    """Only what a desktop session provides, with every per-user place new and empty."""
    places = {}
    for variable, folder in [("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                             ("XDG_CACHE_HOME", "cache"), ("XDG_DATA_HOME", "data"),
                             ("XDG_STATE_HOME", "state"), ("XDG_RUNTIME_DIR", "runtime")]:
        places[variable] = os.path.join(out, folder)
        os.makedirs(places[variable], mode=0o700)
    environment = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "DISPLAY": display,
                   "LANG": "C.UTF-8", **places,
                   # For the sanitizer build, whose leak checker cannot run under
                   # ptrace; other builds ignore it.
                   "ASAN_OPTIONS": "detect_leaks=0"}
    return environment, places


def main():
    kovrane, send_wm_delete, out = (os.path.abspath(argument) for argument in sys.argv[1:4])
    missing = [tool for tool in ("Xvfb", "xdotool", "strace") if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: missing {' '.join(missing)} (scripts/install-deps.sh installs them)")
        return 1 if os.environ.get("CI") else 77

    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    trace_file = os.path.join(out, "strace.log")
    xvfb, display = start_xvfb(out)
    app = None
    try:
        environment, places = fresh_environment(out, display)
        app = subprocess.Popen(
            ["strace", "-f", "-qq", "-e", "signal=none", "-o", trace_file,
             "-e", "trace=%network,%file,timerfd_settime", kovrane],
            env=environment, cwd=places["HOME"], stderr=open(os.path.join(out, "kovrane.log"), "w"))
        x_tools = {"DISPLAY": display, "PATH": environment["PATH"]}
        window = subprocess.run(
            ["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Kovrane$"],
            env=x_tools, capture_output=True, text=True, timeout=20).stdout.split()
        if not window:
            print("FAILED: no Kovrane window appeared")
            return 1
        window = window[0]
        click = ["xdotool", "mousemove", "--window", window]
        armed = lambda: violations(trace_file)[1]
        # A window mapped may not take clicks yet: START again until a wait
        # is armed (once running, START's place is empty face).
        if not wait_until(20, lambda: armed() > 0,
                          lambda: subprocess.run(click + ["60", "92", "click", "1"], env=x_tools)):
            print("FAILED: START never started a run")
            return 1
        wait_until(20, lambda: armed() >= 3)
        subprocess.run(click + ["148", "92", "click", "1"], env=x_tools, check=True)  # STOP
        # Stopped: no further wait armed for 1.5 s.
        last = {"count": -1, "since": 0.0}

        def held_still():
            if (count := armed()) != last["count"]:
                last.update(count=count, since=time.monotonic())
            return time.monotonic() - last["since"] >= 1.5
        wait_until(20, held_still)
        subprocess.run([send_wm_delete, window], env=x_tools, check=True)
        status = app.wait(timeout=20)
        app = None
    finally:
        if app is not None:
            app.kill()
        xvfb.kill()
        xvfb.wait()

    found, timers, reached_x_server = violations(trace_file)
    left_behind = [os.path.join(root, name) for place in places.values()
                   for root, folders, files in os.walk(place) for name in folders + files]
    print(f"kovrane ended with status {status}; {timers} whole-second waits traced; "
          f"trace in {trace_file}")
    failures = [f"FAILED: {what}" for what in found]
    failures += [f"FAILED: left behind {path}" for path in left_behind]
    if status != 0:
        failures.append(f"FAILED: exit status {status}")
    if not reached_x_server:
        failures.append("FAILED: the trace shows no connection to the X server; tracing is broken")
    if timers < 3:
        failures.append(f"FAILED: only {timers} whole-second waits traced; the run did not happen")
    print("\n".join(failures) or "ok: no network socket, no file written")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
