"""The whole screen of a KWin session as KWin itself draws it, through its
ScreenShot2 service (KWin 6 has no other; KWin 5 has it too), written as a
raw BGRA picture: prints "WIDTH HEIGHT" and writes the pixels to the file named.

    kwin_screenshot.py OUTPUT.bgra
"""
import os
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    reader, writer = os.pipe()
    fds = Gio.UnixFDList.new()
    index = fds.append(writer)
    os.close(writer)
    result, _ = bus.call_with_unix_fd_list_sync(
        "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2",
        "CaptureWorkspace", GLib.Variant("(a{sv}h)", ({}, index)),
        GLib.VariantType("(a{sv})"), Gio.DBusCallFlags.NONE, 10000, fds, None)
    fds = None  # closes the process's copy of the writing end
    data = bytearray()
    while True:
        chunk = os.read(reader, 1 << 20)
        if not chunk:
            break
        data += chunk
    info = result.unpack()[0]
    width, height, stride = info["width"], info["height"], info["stride"]
    with open(sys.argv[1], "wb") as out:
        for row in range(height):
            out.write(data[row * stride:row * stride + 4 * width])
    print(width, height)


main()
