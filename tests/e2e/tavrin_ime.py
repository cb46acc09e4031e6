#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Input-method test of the built Tavrin program: a drill typed with a Chinese input method on.

Starts Debian's ibus with its pinyin engine in Chinese mode (its default) in a private session
(run this under dbus-run-session: its own D-Bus, Xvfb, HOME and XDG folders), proves on a plain
line edit of its own (the probe) that the input method is live, then plays a letter drill and a
number drill in Tavrin, started with QT_IM_MODULE=ibus, typing every setting and answer one key
at a time (xdotool). What landed is read as a screen reader reads it (AT-SPI, as the
accessibility test does), the verdicts' colours from a screenshot.

    dbus-run-session -- /usr/bin/python3 tavrin_ime.py BINARY --probe PROBE [--artifacts DIR]
"""

import argparse
import atexit
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no compiled copy of the shared helpers in the source tree
import tavrin_a11y as a11y  # noqa: E402
import tavrin_e2e as e2e  # noqa: E402
from tavrin_e2e import CheckFailed, Checks, log_line  # noqa: E402

DEADLINE_SECONDS = 75
COUNT = 6
# The keys typed over each field's selected text, and what the field must then hold. Pinyin in
# Chinese mode makes a "." a full-width "。" unless it follows a digit: ".5" is "5", Home, ".".
SETTINGS = (("速度（秒）", ("5", "Home", "period"), ".5"), ("组数", (str(COUNT),), str(COUNT)),
            ("延迟（秒）", ("1", "period", "5"), "1.5"))
STEP_SECONDS = 3  # for one key to land


def private_home():
    """HOME and the XDG folders in a fresh folder, for this process and all it starts, and for
    what the session bus starts on demand (dconf): no setting of the user's is read or written."""
    home = tempfile.mkdtemp(prefix="tavrin-ime.")
    atexit.register(shutil.rmtree, home, True)
    folders = {"HOME": home}
    for name in ("CONFIG", "CACHE", "DATA", "STATE", "RUNTIME"):
        folders["XDG_%s_HOME" % name if name != "RUNTIME" else "XDG_RUNTIME_DIR"] = \
            os.path.join(home, name.lower())
    for path in folders.values():
        os.makedirs(path, mode=0o700, exist_ok=True)
    for name in ("IBUS_ADDRESS", "GTK_IM_MODULE", "XMODIFIERS", "QT_IM_MODULE"):
        os.environ.pop(name, None)
    os.environ.update(folders)
    from gi.repository import Gio, GLib
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "UpdateActivationEnvironment", GLib.Variant("(a{ss})", (folders,)), None,
                  Gio.DBusCallFlags.NONE, 5000, None)
    return home


def start_ibus(display):
    """ibus-daemon with its default (dconf) config and no panel, once its socket is there and the
    pinyin engine is the engine of every input context."""
    for tool in ("ibus-daemon", "ibus"):
        if not shutil.which(tool):
            raise CheckFailed("%s is not installed (package ibus)" % tool)
    env = dict(os.environ, DISPLAY=display)
    log = open(os.path.join(os.environ["HOME"], "ibus.log"), "wb")
    atexit.register(log.close)
    daemon = subprocess.Popen(["ibus-daemon", "--panel=disable", "--emoji-extension=disable"],
                              env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                              preexec_fn=e2e._die_with_parent)
    log_line("ibus-daemon (pid %d)" % daemon.pid)
    sockets = os.path.join(os.environ["XDG_CONFIG_HOME"], "ibus", "bus")
    suffix = "-unix-" + display.lstrip(":")
    began = time.monotonic()
    deadline = began + 20
    while not (os.path.isdir(sockets) and any(f.endswith(suffix) for f in os.listdir(sockets))):
        if daemon.poll() is not None or time.monotonic() > deadline:
            raise CheckFailed("ibus-daemon gave no socket under %s within 20 s" % sockets)
        time.sleep(0.05)
    engine = ""
    while engine != "libpinyin":
        if daemon.poll() is not None or time.monotonic() > deadline:
            raise CheckFailed("ibus did not take the pinyin engine (ibus-libpinyin): %r" % engine)
        # A daemon still starting its config and engine may keep a call waiting: ask again.
        try:
            subprocess.run(["ibus", "engine", "libpinyin"], env=env, capture_output=True,
                           timeout=5)
            engine = subprocess.run(["ibus", "engine"], env=env, capture_output=True,
                                    timeout=5).stdout.decode().strip()
        except subprocess.TimeoutExpired:
            engine = "no answer within 5 s"
    took = time.monotonic() - began
    log_line("ibus engine: %s, %.1f s after the daemon started" % (engine, took))
    return daemon


def prove_live(s, probe):
    """"ca" and space in the probe's plain line edit must commit one Chinese character, else the
    input method is not live and nothing below could tell a fault."""
    probe.display = s.display
    probe.start_app()
    deadline = time.monotonic() + 15
    window = None
    while window is None:
        if probe.app.poll() is not None or time.monotonic() > deadline:
            raise CheckFailed("the probe's window did not show (see probe.log)")
        rc, out, _ = s.x("xdotool", "search", "--onlyvisible", "--name", "ime-probe")
        window = out.split()[0] if rc == 0 and out.split() else None
        time.sleep(0.05)
    s.x("xdotool", "windowfocus", "--sync", window)
    last = ""
    # The probe reaches ibus a moment after it shows: until then keys land as typed. Try again
    # until the deadline, but never take raw letters for a live input method.
    while time.monotonic() < deadline:
        s.key("c", "a", "space")
        until = time.monotonic() + 2
        while time.monotonic() < until:
            with open(probe.app_log_path, encoding="utf-8", errors="replace") as out:
                texts = [line[6:].rstrip("\n") for line in out if line.startswith("text: ")]
            last = texts[-1] if texts else ""
            if re.fullmatch("[\u4e00-\u9fff]", last) or re.search("[a-z ]", last):
                break
            time.sleep(0.05)
        if re.fullmatch("[\u4e00-\u9fff]", last):
            log_line("the probe's line edit took %r for \"ca\" and space" % last)
            e2e.stop_process(probe.app)
            return
        s.key("ctrl+a", "BackSpace")
    raise CheckFailed("the input method is not live: \"ca\" and space left %r in the probe" % last)


def wait_until(test, seconds):
    deadline = time.monotonic() + seconds
    while not test():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.02)
    return True


def click_on(s, accessible):
    box = accessible.queryComponent().getExtents(0)  # desktop coordinates
    s.x("xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2),
        "click", "1")


def type_settings(pyatspi, s, c, combos):
    """Each setting typed over the selected text of its field, key by key."""
    for name, keys, text in SETTINGS:
        field = next(child for child in combos[name] if child.getRole() == pyatspi.ROLE_TEXT)
        click_on(s, field)
        wait_until(lambda: field.getState().contains(pyatspi.STATE_FOCUSED), STEP_SECONDS)
        s.key("ctrl+a")
        for key in keys:
            s.key(key)
        wait_until(lambda: a11y.text_of(field) == text, STEP_SECONDS)
        c.check("%s takes %s as typed: %r" % (name, " ".join(keys), text),
                a11y.text_of(field) == text,
                "reads %r" % a11y.text_of(field))


def type_answers(pyatspi, s, answers, typed):
    """Types the answers key by key; what went otherwise than designed (empty when all did): each
    character lands, the cursor stays after the first and moves to the next box after the
    second. After the first miss the rest is typed without waiting."""
    misses = []

    def focused(box):
        return box.getState().contains(pyatspi.STATE_FOCUSED)

    for n, answer in enumerate(typed):
        box, after = answers[n], answers[n + 1]
        for k, key in enumerate(answer):
            s.key(key)
            text, focus = answer[:k + 1], (box if k == 0 else after)
            if not wait_until(lambda: a11y.text_of(box) == text and focused(focus),
                              0 if misses else STEP_SECONDS):
                misses.append("after %r answer %d reads %r, the focus %s" % (
                    text, n + 1, a11y.text_of(box),
                    "stayed" if focused(box) else "is elsewhere"))
    return misses


def play_drill(pyatspi, s, c, listener, texts, kind, pattern, wrong):
    items = [texts["项目 %d" % n] for n in range(1, COUNT + 1)]
    answers = [texts["答案 %d" % n] for n in range(1, COUNT + 2)]
    seen = a11y.play_to_answers(pyatspi, s, listener, items, answers[0])
    if not all(re.fullmatch(pattern, t) for t in seen):
        raise CheckFailed("the %s items could not be read while shown: %s" % (kind, seen))
    c.check("Esc starts a drill of %d %s; the cursor waits in answer 1" % (COUNT, kind),
            answers[0].getState().contains(pyatspi.STATE_FOCUSED))
    # Answer 2 is wrong on purpose.
    typed = list(seen)
    typed[1] = wrong[0] if seen[1] != wrong[0] else wrong[1]
    misses = type_answers(pyatspi, s, answers, typed)
    c.check("%s: every answer lands as typed, the cursor moves on after two characters" % kind,
            not misses, "; ".join(misses[:3]))
    # No verdict before Enter, so that none of the last drill's is taken for this one's.
    before = [box.description for box in answers[:COUNT]]
    s.key("Return")
    wait_until(lambda: all(box.description for box in answers[:COUNT]), STEP_SECONDS)
    verdicts = [box.description for box in answers[:COUNT]]
    expected = ["对", "错"] + ["对"] * (COUNT - 2)
    c.check("%s: Enter judges them %s" % (kind, " ".join(expected)),
            before == [""] * COUNT and verdicts == expected,
            "read %s (before Enter %s) for %s typed over %s" % (verdicts, before, typed, seen))
    colours = a11y.wrong_colours(s, "%s checked" % kind, expected)
    c.check("%s: the answers show green, red, green..." % kind, not colours, "; ".join(colours))


def run_checks(s, probe, c):
    try:
        import pyatspi
    except ImportError:
        raise CheckFailed("pyatspi is not installed for %s (python3-pyatspi, gir1.2-atspi-2.0)"
                          % sys.executable)
    s.start_x()
    daemon = start_ibus(s.display)
    try:
        prove_live(s, probe)
        s.start_app()
        s.find_window()
        s.origin = s.geometry()[:2]
        # Tavrin's own keys pass through the same plugin, else nothing below could fail.
        with open("/proc/%d/maps" % s.app.pid) as maps:
            c.check("Tavrin talks to ibus through Qt's plugin, as the probe does",
                    "libibusplatforminputcontextplugin" in maps.read())
        found = a11y.controls(pyatspi, a11y.find_window(pyatspi, s.app))
        texts = found.get(pyatspi.ROLE_TEXT, {})
        combos = found.get(pyatspi.ROLE_COMBO_BOX, {})
        radios = found.get(pyatspi.ROLE_RADIO_BUTTON, {})
        if not all(name in combos for name, _, _ in SETTINGS) or set(radios) != {"数字", "字母"}:
            raise CheckFailed("the settings cannot be found by name")
        s.focus()
        type_settings(pyatspi, s, c, combos)
        listener = a11y.Listener(pyatspi)
        click_on(s, radios["字母"])
        play_drill(pyatspi, s, c, listener, texts, "letters", "[a-z]{2}", ("zz", "yy"))
        click_on(s, radios["数字"])
        play_drill(pyatspi, s, c, listener, texts, "numbers", "[0-9]{2}", ("99", "98"))
        # Esc from the answer box the cursor moved on to starts the next drill.
        items = [texts["项目 %d" % n] for n in range(1, COUNT + 1)]
        a11y.play_to_answers(pyatspi, s, listener, items, texts["答案 1"])
        c.check("Esc in an answer box starts the next drill, its answers opening",
                texts["答案 1"].getState().contains(pyatspi.STATE_FOCUSED))
        listener.stop()
    finally:
        e2e.stop_process(daemon)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("binary", help="the built tavrin program")
    parser.add_argument("--probe", required=True, help="the built tavrin_imeprobe program")
    parser.add_argument("--artifacts", default=os.path.join(os.getcwd(), "ime-artifacts"),
                        help="folder for screenshots and logs when a check fails")
    args = parser.parse_args()
    e2e.arm_deadline(DEADLINE_SECONDS)
    artifacts = os.path.abspath(args.artifacts)
    shutil.rmtree(artifacts, ignore_errors=True)
    app_env = {"QT_IM_MODULE": "ibus", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}
    s = e2e.Session(os.path.abspath(args.binary), artifacts, app_env)
    probe = e2e.Session(os.path.abspath(args.probe), artifacts, app_env)
    probe.app_log_path = os.path.join(artifacts, "probe.log")
    c = Checks()
    launcher = home = None

    def run():
        nonlocal launcher, home
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            raise CheckFailed("no D-Bus session: run this under dbus-run-session (dbus package)")
        home = private_home()
        launcher = a11y.start_bus()
        run_checks(s, probe, c)

    def clean_up():
        e2e.stop_process(probe.app)
        s.stop()
        e2e.stop_process(launcher)
        if c.failures:
            os.makedirs(artifacts, exist_ok=True)
            s.save_shots(artifacts)
            ibus_log = os.path.join(home or "", "ibus.log")
            if home and os.path.isfile(ibus_log):
                shutil.copy(ibus_log, artifacts)

    return e2e.run_suite(c, artifacts, run, clean_up)


if __name__ == "__main__":
    sys.exit(main())
