"""Reads the running Griffwandler window over AT-SPI, as a screen reader would.

Checks that the window is a frame named Griffwandler, that the chord cards are
named as German speakers say the chords ("Cis", not "C#"), that the black keys'
cards also carry their flat name, that the access keys and fret keys are the
buttons' key bindings and that the two long labels expose their text. After the
key 3 has been pressed (by the calling script, once this prints "ready"): the card
under F is named D and names the F it replaces, the old F names the D, and the
third fret is the one checked.

    atspi_names.py          print the names, then wait for "pressed" on stdin
"""

import sys
import time

import pyatspi

SPOKEN = ["C", "Cis", "D", "Dis", "E", "F", "Fis", "G", "Gis", "A", "B", "H"]
FLATS = {"Cis": "Des", "Dis": "Es", "Fis": "Ges", "Gis": "As"}
INSTRUCTIONS = (
    "Was musst du tun?  Klicke links auf einen Bund (I-V oder 1-5) und dann schau welchen "
    "Akkord du anders haben möchtest, wie z.B. F. Klicke auf das F oben und unten siehst du "
    "wie der Akkord jetzt gespielt werden darf."
)


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


def frets(app):
    """The five fret buttons, top to bottom."""
    found = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_RADIO_BUTTON]
    found.sort(key=lambda n: n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).y)
    return found


def find_named(app, name):
    return next((n for n in walk(app) if n.name == name), None)


def key_binding(node):
    try:
        return node.queryAction().getKeyBinding(0)
    except NotImplementedError:
        return None


def text_of(node):
    """The whole text of a node, and whether its first and last characters lie
    inside the node's box."""
    text = node.queryText()
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    inside = True
    for offset in (0, text.characterCount - 1):
        x, y, w, h = text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS)
        inside &= w > 0 and box.x <= x and x + w <= box.x + box.width
        inside &= box.y <= y and y + h <= box.y + box.height
    return text.getText(0, -1), inside


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
    window = app[0]
    if (window.getRoleName(), window.name) != ("frame", "Griffwandler"):
        failures.append("window is %s %r" % (window.getRoleName(), window.name))
    bindings = {name: key_binding(find_named(app, name)) for name in ("Ende", "Webseite")}
    fret_buttons = frets(app)
    bindings.update({b.name: key_binding(b) for b in fret_buttons})
    print("key bindings:", bindings)
    wanted = {"Ende": "Alt+E", "Webseite": "Alt+W"}
    wanted.update({"Bund %s" % r: str(k + 1) for k, r in enumerate(["I", "II", "III", "IV", "V"])})
    if bindings != wanted:
        failures.append("key bindings %s" % bindings)
    instructions = find_named(app, INSTRUCTIONS)
    if instructions is None or text_of(instructions) != (INSTRUCTIONS, True):
        failures.append("instructions text %r" % (instructions and text_of(instructions),))
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
    # Each card names its partner: the new one the old chord, the old one the new chord.
    partners = [
        (under_f, "spiele D statt F"),
        (new[SPOKEN.index("Fis")], "Dis, auch Es, spiele Dis statt Fis"),
        (old[SPOKEN.index("F")], "mit dem Kapo im dritten Bund: D"),
        (old[SPOKEN.index("Fis")], "Fis, auch Ges, mit dem Kapo im dritten Bund: Dis"),
    ]
    for card, description in partners:
        if card.description != description:
            failures.append("after key 3 %s is described as %r" % (card.name, card.description))
    checked = [b.name for b in fret_buttons if b.getState().contains(pyatspi.STATE_CHECKED)]
    print("after key 3, checked:", checked)
    if checked != ["Bund III"]:
        failures.append("after key 3 the checked frets are %s" % checked)
    capo = find_named(app, "Kapo im dritten Bund. Bund III.")
    if capo is None or text_of(capo) != ("Kapo im dritten Bund. Bund III.", True):
        failures.append("capo text %r" % (capo and text_of(capo),))

    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
