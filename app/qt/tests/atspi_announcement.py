"""What a screen reader is told after a count, through AT-SPI: each press of a counter button
shows a notification (the role Orca speaks as it appears, wherever the focus is) that says how
many lines the result holds, in its name and in its label; Orca reads the labels that show.

Usage: atspi_announcement.py PROGRAM   (inside a D-Bus session, with DISPLAY set)
"""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

from atspi_names import descendants, find_application  # noqa: E402

# Each button, pressed in turn on the help text the window starts with, and what is to be heard.
PRESSES = [
    ("Sabo", "Ergebnis: 16 Zeilen"),
    ("Plünder", "Ergebnis: 7 Zeilen"),
    ("Plünder", "Ergebnis: 7 Zeilen"),
]


def press(button):
    action = button.get_action_iface()
    for i in range(action.get_n_actions()):
        if action.get_action_name(i) == "Press":
            return action.do_action(i)
    return False


def heard_within(seconds, heard):
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline and not heard:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def main():
    heard = []

    def on_showing(event):
        source = event.source
        if event.detail1 != 1 or source.get_role() != Atspi.Role.NOTIFICATION:
            return
        labels = [n.get_name() for n in descendants(source) if n.get_role() == Atspi.Role.LABEL
                  and n.get_state_set().contains(Atspi.StateType.SHOWING)]
        heard.append((source.get_name(), labels))

    listener = Atspi.EventListener.new(on_showing)
    listener.register("object:state-changed:showing")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        app = find_application(program.pid, 10)
        if app is None:
            print("FAIL: the program did not appear on the AT-SPI desktop within 10 s")
            return 1
        buttons = {n.get_name(): n for n in descendants(app)
                   if n.get_role() == Atspi.Role.PUSH_BUTTON}
        failures = []
        for name, expected in PRESSES:
            heard.clear()
            if name not in buttons or not press(buttons[name]):
                failures.append(f"could not press {name!r}; buttons: {sorted(buttons)}")
                continue
            heard_within(5, heard)
            if heard != [(expected, [expected])]:
                failures.append(f"after {name}: heard {heard!r}, expected {expected!r}")
        for failure in failures:
            print("FAIL:", failure)
        if not failures:
            print("AT-SPI: each count shows a notification: " +
                  ", ".join(f"{name} {expected!r}" for name, expected in PRESSES))
        return 1 if failures else 0
    finally:
        program.terminate()
        program.wait(10)


if __name__ == "__main__":
    sys.exit(main())
