# Takes a screenshot of KWin's whole workspace through its ScreenShot2
# D-Bus interface (KWin started with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1)
# and writes it as PNG. KWin writes the raw pixels into a pipe it is handed
# and answers with their size and layout; ImageMagick turns them into PNG.
#
# Usage: python3 kwin_screenshot.py OUT.png
import os
import subprocess
import sys
import threading

from gi.repository import Gio, GLib

out = sys.argv[1]
read_end, write_end = os.pipe()
pixels = bytearray()


def drain():
    with os.fdopen(read_end, "rb") as pipe:
        while chunk := pipe.read(65536):
            pixels.extend(chunk)


reader = threading.Thread(target=drain)
reader.start()
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
fds = Gio.UnixFDList.new()
fds.append(write_end)
answer, _ = bus.call_with_unix_fd_list_sync(
    "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureWorkspace",
    GLib.Variant("(a{sv}h)", ({}, 0)), GLib.VariantType("(a{sv})"), Gio.DBusCallFlags.NONE,
    10000, fds)
# Both copies of the write end closed, so the reader sees the end of the
# pixels once KWin closes its own.
os.close(write_end)
del fds
reader.join()
image = answer.unpack()[0]
width, height, stride = image["width"], image["height"], image["stride"]
# QImage's 32-bit formats, as KWin sends them, are B, G, R, A in memory.
rows = b"".join(bytes(pixels[y * stride:y * stride + width * 4]) for y in range(height))
subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "bgra:-", out],
               input=rows, check=True)
