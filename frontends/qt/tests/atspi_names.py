"""What a screen reader finds in the real window, through AT-SPI: the two text boxes named by
their labels, with their descriptions, and the items of the disabled menus unavailable; and what
it is told after each count: a notification appears (Orca speaks one as it appears, wherever the
focus is) whose name and showing label say how many lines the result holds and its totals; and
what it reads when Tab or Shift+Tab (real keys, xdotool) then goes into Ergebnis: the caret's
line, which must be the result's first, not the empty line after its last line break.

Usage: atspi_names.py PROGRAM   (inside a D-Bus session, with DISPLAY set)
"""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

EXPECTED_BOXES = {
    "Berichte": "Hier die Berichte einfügen",
    "Ergebnis": "Ergebnis der letzten Zählung, zum Kopieren",
}


def find_application(pid, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.1)
    return None


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def labelled_by(node):
    names = []
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            names += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return names


def check(app):
    failures = []
    nodes = list(descendants(app))
    boxes = {n.get_name(): n for n in nodes if n.get_role() == Atspi.Role.TEXT}
    for name, description in EXPECTED_BOXES.items():
        box = boxes.get(name)
        if box is None:
            failures.append(f"no text box named {name!r}; text boxes: {sorted(boxes)}")
            continue
        if box.get_description() != description:
            failures.append(f"{name}: description {box.get_description()!r}")
        if labelled_by(box) != [name]:
            failures.append(f"{name}: labelled by {labelled_by(box)!r}")
    items = [n for n in nodes if n.get_role() == Atspi.Role.MENU_ITEM and
             n.get_parent().get_role() == Atspi.Role.POPUP_MENU]
    if len(items) != 7:
        failures.append(f"{len(items)} menu items under the menus, expected 7")
    for item in items:
        if item.get_state_set().contains(Atspi.StateType.SENSITIVE):
            failures.append(f"menu item {item.get_name()!r} is reported available")
    return failures


SABO_HEARD = "Ergebnis: 16 Zeilen, Gesamt zerstörte Punkte: 0"
PLUEN_HEARD = ("Ergebnis: 7 Zeilen, Geplünderte Ressourcen gesamt: Eisen = 0, Silizium = 0, "
               "Kohlenstoff = 0, Wasser = 0, Sauerstoff = 0, Wasserstoff = 0")
# Each button pressed in turn on the help text the window starts with, what is heard, the key
# that then takes the focus into Ergebnis (from Berichte, or back from Sabo), the line read
# there, and the key that leaves it for the next row's start.
PRESSES = [
    ("Sabo", SABO_HEARD, "Tab", "Planetenzentrale  (0)", "Tab"),
    ("Plünder", PLUEN_HEARD, "shift+Tab", "Geplünderte Ressourcen gesamt: ", "shift+Tab"),
    ("Plünder", PLUEN_HEARD, "Tab", "Geplünderte Ressourcen gesamt: ", None),
]


def on_showing(event, heard):
    source = event.source
    if event.detail1 == 1 and source.get_role() == Atspi.Role.NOTIFICATION:
        heard.append((source.get_name(), [
            n.get_name() for n in descendants(source) if n.get_role() == Atspi.Role.LABEL and
            n.get_state_set().contains(Atspi.StateType.SHOWING)]))


def press_key(key):
    subprocess.run(["xdotool", "search", "--name", r"^KORVA-Counter Alpha 0\.3$", "windowfocus",
                    "--sync", "key", key], check=True, timeout=10)


def line_read_on_focus(app, name):
    """The line at the caret once the box has the focus, as a screen reader reads it then."""
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        box = next((n for n in descendants(app)
                    if n.get_role() == Atspi.Role.TEXT and n.get_name() == name), None)
        if box is not None and box.get_state_set().contains(Atspi.StateType.FOCUSED):
            # The older call: Qt 6.4's bridge answers no GetStringAtOffset.
            line = Atspi.Text.get_text_at_offset(box, Atspi.Text.get_caret_offset(box),
                                                 Atspi.TextBoundaryType.LINE_START)
            return line.content.rstrip("\r\n")
        time.sleep(0.05)
    return f"<{name} never got the focus>"


def check_announcements(app, heard):
    failures = []
    buttons = {n.get_name(): n.get_action_iface() for n in descendants(app)
               if n.get_role() == Atspi.Role.PUSH_BUTTON}
    for name, expected, key_in, line, key_out in PRESSES:
        heard.clear()
        action = buttons[name]
        action.do_action([action.get_action_name(i) for i in range(action.get_n_actions())]
                         .index("Press"))
        deadline = time.monotonic() + 5
        while not heard and time.monotonic() < deadline:
            while GLib.MainContext.default().iteration(False):
                pass
            time.sleep(0.02)
        if heard != [(expected, [expected])]:
            failures.append(f"after {name}: heard {heard!r}, expected {expected!r}")
        press_key(key_in)
        read = line_read_on_focus(app, "Ergebnis")
        if read != line:
            failures.append(f"{key_in} into Ergebnis after {name}: reads {read!r}, not {line!r}")
        if key_out:
            press_key(key_out)
    return failures


def main():
    heard = []
    # Registered before the program starts, so that its AT-SPI bridge sends the event.
    listener = Atspi.EventListener.new(on_showing, heard)
    listener.register("object:state-changed:showing")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        app = find_application(program.pid, 10)
        if app is None:
            print("FAIL: the program did not appear on the AT-SPI desktop within 10 s")
            return 1
        failures = check(app) + check_announcements(app, heard)
        for failure in failures:
            print("FAIL:", failure)
        if not failures:
            print("AT-SPI: text boxes 'Berichte' and 'Ergebnis' named, described and labelled; "
                  "menu items unavailable; each count announced with its totals, "
                  "and its first line read in Ergebnis")
        return 1 if failures else 0
    finally:
        program.terminate()
        program.wait(10)


if __name__ == "__main__":
    sys.exit(main())
