# Presses Kovrane's START as a screen reader does, through AT-SPI: for a
# display with no pointer or keyboard, such as a headless compositor. Waits
# up to SECONDS (default 30) for the program to show up on the accessibility
# bus. With --until-counting it then waits, as long again, for the readout
# to read other than 00:00:00, for a compositor that takes no screenshots.
#
# Usage: python3 press_start.py [SECONDS] [--until-counting]
import sys
import time

import pyatspi

options = [a for a in sys.argv[1:] if a.startswith("--")]
seconds = float(next((a for a in sys.argv[1:] if not a.startswith("--")), 30))


def wait_for(what, failure):
    give_up = time.monotonic() + seconds
    while (found := what()) is None:
        if time.monotonic() > give_up:
            sys.exit(f"FAILED: {failure}")
        time.sleep(0.1)
    return found


program = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                 if a and a.name == "Kovrane" and a.childCount > 0), None),
                   "Kovrane never appeared on the accessibility bus")
start = pyatspi.findDescendant(program, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == "Start")
actions = start.queryAction()
actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("Press"))
print("ok: START pressed through AT-SPI")
if "--until-counting" in options:
    readout = pyatspi.findDescendant(program, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name == "Elapsed time")
    text = readout.queryText()
    shown = wait_for(lambda: (t := text.getText(0, text.characterCount)) != "00:00:00" and t or None,
                     "the readout still reads 00:00:00")
    print(f"ok: the readout counts, as AT-SPI reads it ({shown})")
