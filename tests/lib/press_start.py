# Presses Kovrane's START as a screen reader does, through AT-SPI: for a
# display with no pointer or keyboard, such as headless weston. Waits up to
# SECONDS (default 30) for the program to show up on the accessibility bus.
#
# Usage: python3 press_start.py [SECONDS]
import sys
import time

import pyatspi

seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 30
give_up = time.monotonic() + seconds
while True:
    program = next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Kovrane"), None)
    if program is not None and program.childCount > 0:
        break
    if time.monotonic() > give_up:
        sys.exit("FAILED: Kovrane never appeared on the accessibility bus")
    time.sleep(0.1)
start = pyatspi.findDescendant(program, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == "Start")
actions = start.queryAction()
actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("Press"))
print("ok: START pressed through AT-SPI")
