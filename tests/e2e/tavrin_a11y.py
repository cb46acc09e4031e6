#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Accessibility test of the built Tavrin program: a drill played by ear, through AT-SPI.

Starts the AT-SPI bus on a private D-Bus session (run this under dbus-run-session), Xvfb and
the program, then reads the window only as a screen reader does (Debian's python3-pyatspi):
names and roles, the items as they appear, the hidden items, the check's verdicts. Input is the
keyboard (xdotool) and the settings' text fields set through the client.

    dbus-run-session -- /usr/bin/python3 tavrin_a11y.py BINARY [--artifacts DIR]
"""

import argparse
import atexit
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no compiled copy of the shared helpers in the source tree
import tavrin_e2e as e2e  # noqa: E402
from tavrin_e2e import CheckFailed, Checks, log_line  # noqa: E402

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
DEADLINE_SECONDS = 75
GREEN = (0, 255, 0)
COUNT = 3


def start_bus():
    """The AT-SPI bus launcher on the session bus, once it answers there."""
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        raise CheckFailed("no D-Bus session: run this under dbus-run-session (dbus package)")
    if not os.access(BUS_LAUNCHER, os.X_OK):
        raise CheckFailed("%s is missing (package at-spi2-core)" % BUS_LAUNCHER)
    from gi.repository import Gio, GLib
    # The launcher puts the bus's socket in the runtime folder (~/.cache without one), under a
    # fixed name: a folder of its own, or another run beside this one takes over the socket.
    runtime = tempfile.mkdtemp(prefix="tavrin-atspi.")
    atexit.register(shutil.rmtree, runtime, True)
    launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], stdin=subprocess.DEVNULL,
                                env=dict(os.environ, XDG_RUNTIME_DIR=runtime),
                                preexec_fn=e2e._die_with_parent)
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        owned = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "NameHasOwner",
                              GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                              Gio.DBusCallFlags.NONE, 2000, None).unpack()[0]
        if owned:
            log_line("AT-SPI bus launcher (pid %d)" % launcher.pid)
            return launcher
        time.sleep(0.05)
    launcher.terminate()
    raise CheckFailed("the AT-SPI bus did not come up within 10 s")


class Listener:
    """Text-changed events of the item boxes, as a screen reader hears them, how many
    description changes of the answer boxes it is sent, and each notification's shows and
    hides."""

    DESCRIPTION = "object:property-change:accessible-description"
    EVENTS = ("object:text-changed", DESCRIPTION, "object:state-changed:showing")

    def __init__(self, pyatspi):
        from gi.repository import GLib
        self.context = GLib.MainContext.default()
        self.heard = []  # (box name, "insert" or "delete", text)
        self.described = 0
        self.showings = {}  # notification index: [shown?, ...]
        self.pyatspi = pyatspi
        pyatspi.Registry.registerEventListener(self.on_event, *self.EVENTS)

    def on_event(self, event):
        try:
            name = event.source.name
            if event.source.getRole() == self.pyatspi.ROLE_NOTIFICATION:
                index = event.source.getIndexInParent()
                self.showings.setdefault(index, []).append(bool(event.detail1))
                return
        except Exception:  # the box may be gone; nothing to hear then
            return
        if event.type == self.DESCRIPTION:
            self.described += name.startswith("答案 ")
        elif name.startswith("项目 "):
            self.heard.append((name, event.type.minor, event.any_data))

    def pump(self):
        while self.context.pending():
            self.context.iteration(False)

    def stop(self):
        self.pyatspi.Registry.deregisterEventListener(self.on_event, *self.EVENTS)


def find_window(pyatspi, app_proc, timeout=15):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if app_proc.poll() is not None:
            raise CheckFailed("the program ended at start-up (see tavrin.log)")
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            for window in app or []:
                if window is not None and window.name == e2e.TITLE:
                    return window
        time.sleep(0.1)
    raise CheckFailed("no accessible window titled %r within %d s" % (e2e.TITLE, timeout))


def controls(pyatspi, window):
    """Every named control below the window, by role: {role: {name: accessible}}. By the role
    itself, not its name: at-spi2-core 2.56 calls a push button "button"."""
    found = {}

    def walk(node):
        for child in node:
            if child is None:
                continue
            found.setdefault(child.getRole(), {}).setdefault(child.name, child)
            if child.getRole() != pyatspi.ROLE_COMBO_BOX:
                walk(child)
    walk(window)
    return found


def text_of(box):
    return box.queryText().getText(0, -1)


def set_field(pyatspi, combo, text):
    """Types a new text into a combo box's field through the client."""
    for child in combo:
        if child is not None and child.getRole() == pyatspi.ROLE_TEXT:
            child.queryEditableText().setTextContents(text)
            return
    raise CheckFailed("combo box %s has no text field" % combo.name)


def play_to_answers(pyatspi, s, listener, items, first_answer):
    """Esc, then the items as read while shown, until the answers open."""
    s.key("Escape")
    seen = [""] * len(items)
    deadline = time.monotonic() + 10
    # Open answers of a previous drill close first.
    while first_answer.getState().contains(pyatspi.STATE_EDITABLE):
        if time.monotonic() > deadline:
            raise CheckFailed("Esc did not start a new drill within 10 s")
        time.sleep(0.02)
    while not first_answer.getState().contains(pyatspi.STATE_EDITABLE):
        if time.monotonic() > deadline:
            raise CheckFailed("the answers did not open within 10 s of Esc (items read: %s)"
                              % seen)
        listener.pump()
        for i, box in enumerate(items):
            seen[i] = text_of(box) or seen[i]
        time.sleep(0.02)
    return seen


def run_checks(s, c):
    try:
        import pyatspi
    except ImportError:
        raise CheckFailed("pyatspi is not installed for %s (python3-pyatspi, gir1.2-atspi-2.0)"
                          % sys.executable)
    s.start_x()
    s.start_app()
    s.find_window()
    s.origin = s.geometry()[:2]
    window = find_window(pyatspi, s.app)

    # ---- names and roles ----
    c.check("the window is a frame named by its exact title",
            window.getRole() == pyatspi.ROLE_FRAME, "role %s" % window.getRoleName())
    found = controls(pyatspi, window)
    texts = found.get(pyatspi.ROLE_TEXT, {})
    boxes = ["项目 %d" % n for n in range(1, 201)] + ["答案 %d" % n for n in range(1, 201)]
    missing = [name for name in boxes if name not in texts]
    c.check("400 text boxes named 项目 1..200 and 答案 1..200", not missing,
            "missing %s" % missing[:4])
    settings = {"速度（秒）", "组数", "延迟（秒）"}
    expected = (("combo box", pyatspi.ROLE_COMBO_BOX, settings),
                ("push button", pyatspi.ROLE_PUSH_BUTTON, {"生成", "检查"}),
                ("radio button", pyatspi.ROLE_RADIO_BUTTON, {"数字", "字母"}),
                ("check box", pyatspi.ROLE_CHECK_BOX, {"提示代码", "光标转移", "自动检查"}))
    for label, role, names in expected:
        got = set(found.get(role, {}))
        c.check("%s named %s" % (label, " ".join(sorted(names))), got == names, "got %s" % got)
    combos = found.get(pyatspi.ROLE_COMBO_BOX, {})
    if missing or set(combos) != settings:
        raise CheckFailed("the controls a drill needs cannot be found by name")

    # ---- a drill of 3 at 0.2 s with 0.5 s to study, played by keyboard ----
    listener = Listener(pyatspi)
    set_field(pyatspi, combos["组数"], str(COUNT))
    set_field(pyatspi, combos["速度（秒）"], "0.2")
    set_field(pyatspi, combos["延迟（秒）"], "0.5")
    items = [texts["项目 %d" % n] for n in range(1, COUNT + 1)]
    answers = [texts["答案 %d" % n] for n in range(1, COUNT + 1)]
    s.focus()
    seen = play_to_answers(pyatspi, s, listener, items, answers[0])
    hidden = [(box.name, text_of(box)) for box in items]
    c.check("while answering, items 1..%d give their names and no text" % COUNT,
            hidden == [("项目 %d" % n, "") for n in range(1, COUNT + 1)], "read %s" % hidden)
    listener.pump()
    inserted = [text for name, kind, text in listener.heard if kind == "insert"]
    if not all(len(t) == 2 for t in seen):
        raise CheckFailed("the items could not be read while shown: %s" % seen)
    c.check("each item was announced as it appeared (text-changed)", inserted == seen,
            "heard %s, read %s" % (listener.heard, seen))

    # Item 2 is answered wrong on purpose, item 3 with its first character only, so that the
    # cursor stays in answer 3 for the check.
    typed = [seen[0], "zz", seen[2][0]]
    s.type("".join(typed))
    deadline = time.monotonic() + 5
    while text_of(answers[-1]) != typed[-1] and time.monotonic() < deadline:
        time.sleep(0.05)
    c.check("the typed answers read back", [text_of(b) for b in answers] == typed,
            "read %s" % [text_of(b) for b in answers])
    listener.pump()
    listener.described = 0
    s.key("Return")
    deadline = time.monotonic() + 5
    while not answers[-1].description and time.monotonic() < deadline:
        listener.pump()
        time.sleep(0.05)
    verdicts = [box.description for box in answers]
    c.check("after the check the answers say 对 错 错", verdicts == ["对", "错", "错"],
            "read %s" % verdicts)
    # The verdict of answer 3, where the cursor is, comes with the check's announcement; told by
    # the box as well it would be said twice (Orca 48 reads both).
    listener.pump()
    c.check("the check tells no verdict by a description event", listener.described == 0,
            "%d events" % listener.described)
    s.key("Tab")  # on to answer 4, where typing 3 whole answers leaves the cursor
    c.check("answers beyond the drill carry no verdict", texts["答案 %d" % (COUNT + 1)].description
            == "")
    shown = [text_of(box) for box in items]
    c.check("the check makes the items readable again", shown == seen, "read %s, shown %s"
            % (shown, seen))
    listener.pump()
    c.check("no item text was heard but as it appeared", [t for _, _, t in listener.heard]
            == inserted, "heard %s" % listener.heard)

    # The words agree with the colours on the screen.
    colours = wrong_colours(s, "checked", verdicts)
    c.check("each verdict matches its answer's colour", not colours, "; ".join(colours))

    # Esc while the items are hidden starts over: they go without a word. A verdict is told
    # gone only as the focus reaches its answer, 答案 1 at the study end: one event, never one
    # for each answer (a flood that makes a screen reader drop what comes next).
    # A drill of 6 uses two of the four notifications twice: each is hidden before it shows
    # again, so that every item is a new notification to a reader.
    listener.pump()
    listener.described = 0
    listener.showings.clear()
    set_field(pyatspi, combos["组数"], "6")
    play_to_answers(pyatspi, s, listener, items, answers[0])
    listener.pump()
    c.check("a new drill tells only 答案 1 of the %d cleared verdicts" % COUNT,
            listener.described == 1 and answers[0].description == "",
            "%d events" % listener.described)
    reused = {k: shows for k, shows in listener.showings.items() if shows.count(True) > 1}
    c.check("a notification used again is hidden before it shows again",
            len(reused) == 2 and all("True, True" not in str(shows) for shows in reused.values()),
            "shows and hides %s" % listener.showings)
    listener.heard.clear()
    s.key("Escape")
    deadline = time.monotonic() + 5
    while not listener.heard and time.monotonic() < deadline:
        listener.pump()
        time.sleep(0.02)
    listener.stop()
    deleted = [text for _, kind, text in listener.heard if kind != "insert"]
    c.check("a new drill clears the hidden items unheard", listener.heard and not deleted,
            "heard %s" % listener.heard)


def wrong_colours(s, label, verdicts):
    """The answers of a screenshot whose text is not green for 对 and red for 错."""
    s.park_mouse()
    image = s.shot(label)
    wrong = []
    for n, verdict in enumerate(verdicts, 1):
        ink = GREEN if verdict == "对" else e2e.RED
        strong, bad = e2e.text_in(image, e2e.box_text_area(e2e.answer_box(n)), ink, e2e.WHITE)
        if bad or strong < 10:
            wrong.append("answer %d (%s) is not %s text" % (n, verdict, ink))
    return wrong


def accessible_session(description, artifacts_name, deadline):
    """The command line of a suite that reads the program as assistive technology does (the
    program, --artifacts), its deadline armed, and a session whose program exposes itself to
    AT-SPI. Returns the session and the artefacts folder, emptied."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("binary", help="the built tavrin program")
    parser.add_argument("--artifacts", default=os.path.join(os.getcwd(), artifacts_name),
                        help="folder for screenshots and logs when a check fails")
    args = parser.parse_args()

    e2e.arm_deadline(deadline)
    artifacts = os.path.abspath(args.artifacts)
    shutil.rmtree(artifacts, ignore_errors=True)
    s = e2e.Session(os.path.abspath(args.binary), artifacts,
                    {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
    return s, artifacts


def main():
    s, artifacts = accessible_session(__doc__.split("\n\n")[0], "a11y-artifacts",
                                      DEADLINE_SECONDS)
    c = Checks()
    launcher = None

    def run():
        nonlocal launcher
        launcher = start_bus()
        run_checks(s, c)

    def clean_up():
        s.stop()
        e2e.stop_process(launcher)
        if c.failures:
            os.makedirs(artifacts, exist_ok=True)
            s.save_shots(artifacts)

    return e2e.run_suite(c, artifacts, run, clean_up)


if __name__ == "__main__":
    sys.exit(main())
