"""The real kovrane as a screen reader sees it, through AT-SPI: the frame,
the readout's time read as text on request, START and STOP with the time
said when the run stops, and no event from the readout while it counts;
then, once more under LANG=ja_JP.UTF-8, the readout's name and the buttons'
descriptions in Japanese. Prints the accessible tree before START, after
START, after STOP and in Japanese.

Usage (on a display, inside a D-Bus session): screen_reader_test.py KOVRANE
Runs under Debian's /usr/bin/python3, which has pyatspi."""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(description, passed):
    print(("ok: " if passed else "FAILED: ") + description)
    if not passed:
        failures.append(description)


def pump(seconds):
    """Lets AT-SPI events arrive while time passes."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.01)


def pump_until(seconds, condition):
    """Lets AT-SPI events arrive until the condition holds; False after seconds."""
    end = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > end:
            return False
        pump(0.05)
    return True


def holds_still(accessible, seconds=1.5):
    """Waits, up to 10 s, for the text to stay the same for seconds; returns it."""
    held = {"text": None, "since": 0.0}

    def still():
        if (now := text_of(accessible)) != held["text"]:
            held.update(text=now, since=time.monotonic())
        return time.monotonic() - held["since"] >= seconds
    return held["text"] if pump_until(10, still) else None


def states(accessible):
    names = {pyatspi.STATE_SHOWING: "showing", pyatspi.STATE_FOCUSABLE: "focusable",
             pyatspi.STATE_FOCUSED: "focused", pyatspi.STATE_ACTIVE: "active"}
    state = accessible.getState()
    return [name for value, name in names.items() if state.contains(value)]


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def print_tree(title, accessible, depth=0):
    if depth == 0:
        print(f"--- {title}")
    line = f'{"  " * depth}{accessible.getRoleName()} "{accessible.name}"'
    if accessible.description:
        line += f' description="{accessible.description}"'
    if "Text" in pyatspi.utils.listInterfaces(accessible):
        line += f' text="{text_of(accessible)}"'
    print(f'{line} [{", ".join(states(accessible))}]')
    for child in accessible:
        print_tree(title, child, depth + 1)


def find(root, role, name):
    # Roles by value: their names change between AT-SPI releases ("push button", "button").
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and a.name == name)


def launch(kovrane, **environment):
    """Starts kovrane; returns it and its application on the bus, or None."""
    program = subprocess.Popen([kovrane], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                                   **environment))
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(300):  # 30 s: a sanitizer build on a loaded machine starts slowly
        application = next((a for a in desktop if a is not None and a.name == "Kovrane"
                            and a.get_process_id() == program.pid), None)
        if application is not None and application.childCount > 0:
            return program, application
        time.sleep(0.1)
    check("Kovrane appears on the accessibility bus", False)
    return program, None


def read_in_japanese(kovrane):
    """The names and descriptions a Japanese user hears; the buttons keep the
    words written on them."""
    program, application = launch(kovrane, LANG="ja_JP.UTF-8", LANGUAGE="", LC_ALL="", LC_MESSAGES="")
    try:
        if application is None:
            return
        print_tree("in Japanese (LANG=ja_JP.UTF-8)", application)
        frame = application[0]
        readout = find(frame, pyatspi.ROLE_LABEL, "経過時間")
        start = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Start")
        stop = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Stop")
        check("in Japanese: the readout is named 経過時間", readout is not None)
        check("in Japanese: START's description tells the time",
              start is not None and start.description == "経過時間 00:00:00")
        check("in Japanese: STOP's description is 計測中", stop is not None and stop.description == "計測中")
    finally:
        program.terminate()
        program.wait(10)


def main():
    kovrane = sys.argv[1]
    program, application = launch(kovrane, LANG="C", LANGUAGE="", LC_ALL="", LC_MESSAGES="")
    try:
        if application is None:
            return 1
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                 str(program.pid), "--name", "^Kovrane$"],
                                capture_output=True, text=True, timeout=30).stdout.split()[0]
        # No window manager here: give the window the focus as one would.
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)

        frame = application[0]
        readout = find(frame, pyatspi.ROLE_LABEL, "Elapsed time")
        start = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Start")
        stop = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Stop")
        pump_until(10, lambda: start is None or "focused" in states(start))
        print_tree("before START", application)
        check("the window is a frame named Kovrane", frame.getRole() == pyatspi.ROLE_FRAME and frame.name == "Kovrane")
        check("readout, START and STOP are found", None not in (readout, start, stop))
        if None in (readout, start, stop):
            return 1
        check("the readout's text is 00:00:00", text_of(readout) == "00:00:00")
        # Review reads line by line, with the characters' places on screen.
        line = readout.queryText().getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
        extents = readout.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
        check(f"review reads the line {line} with its place", line[0] == "00:00:00" and extents[2] > 0)
        check("the readout cannot take the focus", "focusable" not in states(readout))
        check("START is shown and focused", {"showing", "focused"} <= set(states(start)))
        check("STOP is not shown", "showing" not in states(stop))

        readout_events, other_events = [], []

        def heard(event):
            (readout_events if event.source == readout else other_events).append(event.type)

        pyatspi.Registry.registerEventListener(heard, "object", "focus", "window")
        subprocess.run(["xdotool", "mousemove", "--window", window, "60", "92", "click", "1"], check=True)
        # Two ticks or more, and the buttons swapped.
        pump_until(10, lambda: text_of(readout) >= "00:00:02" and "focused" in states(stop))
        print_tree("after START", application)
        running = text_of(readout)
        check(f"the readout's text moved while counting ({running})", running > "00:00:00")
        check("STOP is shown and focused, START is not shown",
              {"showing", "focused"} <= set(states(stop)) and "showing" not in states(start))
        check("STOP's description says it is counting", stop.description == "Counting")
        # The listener heard the buttons change, so its silence on the readout counts.
        check(f"no event from the readout while counting ({readout_events}; "
              f"others: {sorted(set(other_events))})", not readout_events and other_events)

        subprocess.run(["xdotool", "mousemove", "--window", window, "148", "92", "click", "1"], check=True)
        # The run ends at its next whole second: one last tick may come.
        pump_until(10, lambda: "focused" in states(start))
        stopped = holds_still(readout)
        print_tree("after STOP", application)
        check(f"the readout's text froze at {stopped}",
              stopped is not None and text_of(readout) == stopped and stopped >= running)
        check("START is shown and focused again", {"showing", "focused"} <= set(states(start)))
        check(f'START\'s description tells the time ("{start.description}")',
              start.description == f"Elapsed time {stopped}")
    finally:
        program.terminate()
        program.wait(10)
    read_in_japanese(kovrane)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
