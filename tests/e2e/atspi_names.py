"""Reads the running Griffwandler window over AT-SPI, as a screen reader would.

Checks that the chord cards are named as German speakers say the chords ("Cis",
not "C#"), that the black keys' cards also carry their flat name, and, after the
key 3 has been pressed (by the calling script, once this prints "ready"), that the
card under F is named D.

    atspi_names.py          print the names, then wait for "pressed" on stdin
"""

import sys
import time

import pyatspi

SPOKEN = ["C", "Cis", "D", "Dis", "E", "F", "Fis", "G", "Gis", "A", "B", "H"]
FLATS = {"Cis": "Des", "Dis": "Es", "Fis": "Ges", "Gis": "As"}


def poll(what, seconds=10.0):
    """Returns what() once it is true, or None after the given time."""
    end = time.monotonic() + seconds
    while True:
        value = what()
        if value or time.monotonic() > end:
            return value
        time.sleep(0.05)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "Griffwandler" and app.childCount > 0:
            return app
    return None


def walk(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from walk(child)


def cards(app):
    """The two rows of chord cards: twelve buttons each, named by chord, left to right."""
    buttons = []
    for node in walk(app):
        if node.getRole() != pyatspi.ROLE_PUSH_BUTTON:
            continue
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # The cards are the 41 x 41 buttons right of the neck (fret buttons stand left of it).
        if (box.width, box.height) == (41, 41) and (node.name in SPOKEN or "#" in node.name):
            buttons.append((box.y, box.x, node))
    buttons.sort(key=lambda b: b[0])
    if len(buttons) != 24:
        return None
    old = sorted(buttons[:12], key=lambda b: b[1])
    new = sorted(buttons[12:], key=lambda b: b[1])
    return [b[2] for b in old], [b[2] for b in new]


def main():
    failures = []
    app = poll(application)
    if app is None:
        print("FAIL no application named Griffwandler on the accessibility bus")
        return 1
    rows = poll(lambda: cards(app))
    if rows is None:
        print("FAIL did not find the 24 chord cards")
        for node in walk(app):
            print("   ", node.getRoleName(), repr(node.name))
        return 1
    old, new = rows
    heard = [card.name for card in old]
    print("names of the old row:", ", ".join(heard))
    print("descriptions:", ", ".join(repr(card.description) for card in old))
    if heard != SPOKEN:
        failures.append("old row named %s" % heard)
    for card in old + new:
        # A black key is described by its flat name; the others keep their tooltip.
        if card.name in FLATS:
            wanted = "%s, auch %s" % (card.name, FLATS[card.name])
        else:
            wanted = "  Der alte Akkord.  " if card in old else "  Der neue Akkord!  "
        if card.description != wanted:
            failures.append("%s described as %r" % (card.name, card.description))

    print("ready", flush=True)
    sys.stdin.readline()  # the caller presses 3 and says so
    under_f = new[SPOKEN.index("F")]
    named = poll(lambda: under_f.name == "D" and under_f, 5.0)
    print("after key 3, the card under F:", repr(under_f.name), repr(under_f.description))
    if not named:
        failures.append("after key 3 the card under F is named %r" % under_f.name)
    under_fis = new[SPOKEN.index("Fis")]
    if (under_fis.name, under_fis.description) != ("Dis", "Dis, auch Es"):
        failures.append(
            "after key 3 the card under Fis is %r, %r" % (under_fis.name, under_fis.description)
        )

    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
