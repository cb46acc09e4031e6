#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Screen-reader test of the built Tavrin program: what Orca itself speaks of a drill.

Starts Xvfb, the AT-SPI bus on a private D-Bus session (run this under dbus-run-session),
speech-dispatcher with espeak-ng into ALSA's null device, the program and Orca (Debian's) with a
home, settings and runtime folder of their own. A drill of 6 is then played by keyboard only
(xdotool), then a drill of 6 letter pairs and one of 200 numbers, the largest, and judged only by
the SPEECH OUTPUT lines of Orca's debug log, followed as Orca writes it.

    dbus-run-session -- /usr/bin/python3 tavrin_orca.py BINARY [--artifacts DIR]
"""

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

DEADLINE_SECONDS = 330
COUNT = 6
LARGEST = 200
KEY_MS = 150  # a steady human pace for typing 400 characters
SPEECHD_MODULES = "/etc/speech-dispatcher/modules"

# Orca as /usr/bin/orca starts it, with Orca's default settings in a folder of the test's own and
# speech on, but with its debug log written line by line (the test follows it as it grows) and
# without two steps that do not fit a private session: renaming its process to "orca", and
# refusing to start while any other "orca" of the same user runs. So a user's own Orca (or that of
# a suite run beside this one, on its own display, bus and speech server) neither stops this one
# nor is seen or stopped by it; the test stops only its own processes, by pid.
# Orca 43 (Debian 12) hands out its settings manager from its main module, Orca 48 (Debian 13)
# from settings_manager, under new method names. Orca 48's modules import one another in a circle
# that breaks when settings_manager comes first; the main module, imported first, brings in no
# more than Orca 48's own launcher imports before it activates the settings. Orca 51 (Debian's
# unstable branch) reads its settings from GSettings, whose memory backend here holds its
# defaults, speech on among them.
ORCA_LAUNCHER = r"""
import sys
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.eventDebugLevel = debug.LEVEL_OFF  # Orca 43 only; later ones log events at debugLevel
debug.debugFile = open(sys.argv[1], "w", buffering=1, encoding="utf-8")
import importlib.util
if importlib.util.find_spec("orca.gsettings_registry"):
    # Orca 51: its own launcher's imports, in their order, before its main module.
    from orca import debugging_tools_manager, extension_loader, gsettings_registry  # noqa: F401
    from orca import messages, screen_reader_manager, speech_manager  # noqa: F401
    from orca import orca
    sys.exit(orca.main())
from orca import orca
if hasattr(orca, "getSettingsManager"):
    manager = orca.getSettingsManager()
    prefs_dir = manager.getPrefsDir
else:
    from orca import settings_manager
    manager = settings_manager.get_manager()
    prefs_dir = manager.get_prefs_dir
manager.activate(sys.argv[2], {"enableSpeech": True})
sys.path.insert(0, prefs_dir())
sys.exit(orca.main())
"""

# An utterance, then the voice it is spoken in: SPEECH OUTPUT: 'text' {'established': ...}.
SPEECH_LINE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)? ?(?:\{.*)?$")
# Orca about to run its main loop, listening to the applications' events: Orca 43, Orca 48.
LISTENING_LINE = re.compile(r"ORCA: Starting (registry|Atspi main event loop)")


class OrcaLog:
    """The utterances of Orca's debug log, read as they are written, without the stop Orca adds
    after a phrase; and what it said since a mark, such as the keys just pressed."""

    def __init__(self, path):
        self.path = path
        self.file = None
        self.partial = ""
        self.spoken = []
        self.mark = 0
        self.processes = ()
        self.listening = False
        self.queued = 0  # events Orca 48 has queued so far (Orca 43 does not log them)

    def read(self):
        if self.file is None:
            if not os.path.exists(self.path):
                return self.spoken
            self.file = open(self.path, encoding="utf-8", errors="replace")
        lines = (self.partial + self.file.read()).split("\n")
        self.partial = lines.pop()
        for line in lines:
            self.listening = self.listening or LISTENING_LINE.search(line) is not None
            self.queued += QUEUED in line
            found = SPEECH_LINE.search(line)
            if found:
                text = found.group(1).strip()
                self.spoken.append(text[:-1] if text.endswith(".") else text)
                log_line("  heard %r" % self.spoken[-1])
        return self.spoken

    def press(self, s, *keys):
        self.mark = len(self.read())
        s.key(*keys)

    def heard(self):
        return self.read()[self.mark:]

    def until(self, what, test, timeout=10):
        """What was said from the mark up to the first utterance that passes test; fails naming
        what did not come, or the process that ended meanwhile."""
        def said():
            heard = self.heard()
            return next((heard[:i + 1] for i, text in enumerate(heard) if test(text)), None)
        return self.wait("speak " + what, said, timeout)

    def until_listening(self, timeout=20):
        """Waits until Orca listens to the program's events. Orca 48 speaks the focus it finds
        at start before it does: a key pressed on hearing that moves the focus unheard."""
        self.wait("listen to events", lambda: self.read() is not None and self.listening, timeout)

    def wait(self, what, done, timeout):
        """done's first true result; fails naming what Orca did not do, or the process that
        ended meanwhile."""
        deadline = time.monotonic() + timeout
        while True:
            result = done()
            if result:
                return result
            for name, proc in self.processes:
                if proc.poll() is not None:
                    raise CheckFailed("%s ended (status %s) while waiting for Orca to %s"
                                      % (name, proc.returncode, what))
            if time.monotonic() >= deadline:
                raise CheckFailed("Orca did not %s within %.0f s" % (what, timeout))
            time.sleep(0.02)

    def steady(self, what, count, seconds, timeout=30):
        """Waits until count() has not changed for seconds, such as what Orca said or the events
        it queued; fails naming what, or the process that ended meanwhile."""
        last = [None, 0.0]  # the count, and since when

        def settled():
            now, value = time.monotonic(), count()
            if value != last[0]:
                last[:] = value, now
            return now - last[1] >= seconds
        self.wait(what, settled, timeout)

    def quiet(self, seconds, timeout=30):
        """Waits until Orca has said nothing new for seconds: it has caught up with the keys."""
        self.steady("fall silent", lambda: len(self.read()), seconds, timeout)

    def log_lines(self, word):
        """The lines of the whole debug log that hold word."""
        with open(self.path, encoding="utf-8", errors="replace") as log:
            return [line.strip() for line in log if word in line]

    def close(self):
        if self.file:
            self.file.close()


class Listener:
    """speech-dispatcher and Orca, each with folders of their own under one temporary root."""

    def __init__(self, log_dir):
        self.log_dir = log_dir
        self.root = tempfile.mkdtemp(prefix="tavrin-orca.")
        self.env = dict(os.environ)
        for key in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                    "XDG_RUNTIME_DIR"):
            folder = os.path.join(self.root, key.lower())
            os.makedirs(folder, mode=0o700)
            self.env[key] = folder
        self.socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "speechd.sock")
        self.env.update(SPEECHD_ADDRESS="unix_socket:" + self.socket, GSETTINGS_BACKEND="memory",
                        LANG="C.UTF-8", NO_AT_BRIDGE="1")
        self.speechd = self.orca = None
        self.orca_version = ""
        self.log = OrcaLog(os.path.join(log_dir, "orca-debug.log"))

    def start_speech(self):
        if not shutil.which("speech-dispatcher"):
            raise CheckFailed("speech-dispatcher is not installed (tools/packages.txt lists it)")
        if not os.path.isfile(os.path.join(SPEECHD_MODULES, "espeak-ng.conf")):
            raise CheckFailed("no espeak-ng module for speech-dispatcher "
                              "(speech-dispatcher-espeak-ng)")
        config = os.path.join(self.root, "speechd")
        os.makedirs(config)
        os.symlink(SPEECHD_MODULES, os.path.join(config, "modules"))
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write('AudioOutputMethod "alsa"\nAudioALSADevice "null"\n'
                       'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                       'DefaultModule espeak-ng\n')
        with open(os.path.join(self.log_dir, "speechd.log"), "wb") as out:
            self.speechd = subprocess.Popen(
                ["speech-dispatcher", "--run-single", "--timeout", "0", "--log-level", "2",
                 "--config-dir", config,
                 "--communication-method", "unix_socket", "--socket-path", self.socket,
                 "--log-dir", self.log_dir, "--pid-file", os.path.join(self.root, "speechd.pid")],
                env=self.env, stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                preexec_fn=e2e._die_with_parent)
        deadline = time.monotonic() + 10
        while not os.path.exists(self.socket):
            if self.speechd.poll() is not None or time.monotonic() > deadline:
                raise CheckFailed("speech-dispatcher did not open its socket (see speechd.log)")
            time.sleep(0.02)
        log_line("speech-dispatcher (pid %d)" % self.speechd.pid)
        self.log.processes = (("speech-dispatcher", self.speechd),)

    def start_orca(self, display):
        try:
            import orca.orca_platform as platform
        except ImportError:
            raise CheckFailed("Orca is not installed for %s (orca)" % sys.executable)
        prefs = os.path.join(self.env["XDG_DATA_HOME"], "orca")
        os.makedirs(prefs)
        env = dict(self.env, DISPLAY=display)
        env.pop("XAUTHORITY", None)
        with open(os.path.join(self.log_dir, "orca.log"), "wb") as out:
            self.orca = subprocess.Popen(
                [sys.executable, "-c", ORCA_LAUNCHER, self.log.path, prefs], env=env,
                stdin=subprocess.DEVNULL, stdout=out, stderr=out, preexec_fn=e2e._die_with_parent)
        self.orca_version = platform.version
        log_line("Orca %s (pid %d)" % (platform.version, self.orca.pid))
        self.log.processes += (("Orca", self.orca),)

    def stop(self):
        for name, proc in (("Orca", self.orca), ("speech-dispatcher", self.speechd)):
            if e2e.stop_process(proc):
                log_line("stopped %s (pid %d)" % (name, proc.pid))
        self.log.close()
        shutil.rmtree(self.root, ignore_errors=True)


ITEM = re.compile(r"^(\d\d)$")  # a number item as Orca speaks it
PAIR = re.compile(r"^([a-z]) ([a-z])$")  # a letter pair, letter by letter
ANSWER_NAME = re.compile(r"^答案 (\d+) ")  # an answer box presented: its name, then its role
# Orca 48 says the role of a notification that shows before its text; Orca 43 only the text.
NOTIFICATION = "notification"
# Orca 43 drops events while more than this many wait in its queue, and logs it as a deluge.
# Orca 48 drops none, so that its queue's length tells only how busy the machine is; it logs each
# event it queues, and no one step of the program (the check of 200 answers, a new drill that
# empties 400 boxes) may hand it more than this many.
DELUGE = 100
QUEUED = "EVENT MANAGER: Queued "


def starts(prefix):
    return lambda text: text.startswith(prefix)


def answer_read_back(name, text, typed):
    """Whether text is the answer typed into the box that name, said just before, presents."""
    box = ANSWER_NAME.match(name)
    n = int(box.group(1)) if box else 0
    return 1 <= n <= len(typed) and text in (typed[n - 1], typed[n - 1] + " selected")


def announced(heard, message, detail):
    """Whether heard ends with an announcement of message with detail: two utterances from
    Orca 43, one from Orca 48, which joins a notification's name and description with a
    space."""
    return heard[-2:] == [message, detail] or heard[-1:] == [message + " " + detail]


def run_checks(s, c, listener):
    s.start_x()
    listener.start_speech()
    s.start_app()
    s.find_window()
    s.origin = s.geometry()[:2]
    listener.start_orca(s.display)
    ear = listener.log
    ear.until("that it is on", lambda text: text == "Screen reader on", 20)
    ear.until_listening()
    s.focus()
    ear.until("the focus in 项目 1 at start", starts("项目 1 "))

    # ---- F6 reaches the settings: a drill of 6 at 0.5 s, set by keys ----
    ear.press(s, "F6")
    heard = ear.until("the mode after F6", lambda t: "数字" in t or "答案" in t)
    c.check("F6 from the items goes to the selected mode option 数字", "数字" in heard[-1],
            "heard %s" % heard)
    for name, text in (("速度（秒）", "0.5"), ("组数", str(COUNT))):
        ear.press(s, "Tab")
        ear.until(name, starts(name))
        s.key("ctrl+a")
        s.type(text)
    ear.press(s, "Escape")
    items = hear_drill(c, ear, COUNT, ITEM)

    # ---- answering: hidden items stay silent ----
    ear.press(s, "shift+Tab")
    answering = ear.mark
    heard = ear.until("项目 1 after Shift+Tab", starts("项目 1 "))
    c.check("Shift+Tab onto hidden 项目 1 says its name and no item",
            heard[-1] == "项目 1 read only text", "heard %s" % heard)
    ear.press(s, "Tab")
    ear.until("答案 1 again", starts("答案 1 "))
    # Item 2 is answered wrong on purpose.
    typed = list(items)
    typed[1] = "%02d" % ((int(items[1]) + 1) % 100)
    s.type("".join(typed))
    ear.until("the cursor moving on to 答案 %d" % (COUNT + 1), starts("答案 %d " % (COUNT + 1)))
    # Up to here only names and the echo of single keys: no item, also not within a phrase. A
    # reader that falls behind the keys presents an answer box the cursor has already left,
    # with what was typed into it by then (Orca 48 does at this pace): that answer read back
    # right after its box's name is no item.
    ear.mark = answering
    spoken = ear.heard()
    leaked = [t for i, t in enumerate(spoken) if any(item in t for item in items)
              and not answer_read_back(spoken[i - 1] if i else "", t, typed)]
    c.check("while answering no item is heard", not leaked, "heard %s" % leaked)
    ear.press(s, "shift+Tab")
    heard = ear.until("答案 %d and its text" % COUNT, lambda t: t.endswith(" selected"))
    c.check("Shift+Tab onto 答案 %d before the check: name and text, no verdict" % COUNT,
            "答案 %d text" % COUNT in heard and heard[-1] == typed[-1] + " selected",
            "heard %s" % heard)

    # ---- Enter checks: the summary, then the focused answer's verdict ----
    ear.press(s, "Return")
    heard = ear.until("the verdict of 答案 %d" % COUNT, lambda t: "答案 %d " % COUNT in t)
    summary = "对 %d 个，共 %d 个" % (COUNT - 1, COUNT)
    c.check("Enter: the summary %s, then 答案 %d 对" % (summary, COUNT),
            announced(heard, summary, "答案 %d 对" % COUNT), "heard %s" % heard)

    # ---- Shift+Tab back through the answers: name, text, verdict ----
    for n in range(COUNT - 1, 0, -1):
        verdict = "错" if n == 2 else "对"
        ear.press(s, "shift+Tab")
        heard = ear.until("the verdict of 答案 %d" % n, lambda t: t in ("对", "错"))
        c.check("Shift+Tab onto 答案 %d says its name, its text %s and %s"
                % (n, typed[n - 1], verdict),
                "答案 %d text" % n in heard and typed[n - 1] + " selected" in heard
                and heard[-1] == verdict, "heard %s" % heard)

    # ---- F6 and Shift+F6 go round answer box 1, the mode and 生成 ----
    for key, place in (("F6", "数字"), ("F6", "生成"), ("F6", "答案 1"), ("shift+F6", "生成")):
        ear.press(s, key)
        heard = ear.until("the focus after %s" % key,
                          lambda t: any(p in t for p in ("数字", "生成", "答案 1")))
        c.check("%s goes to %s" % (key, place), place in heard[-1], "heard %s" % heard)

    # ---- letter pairs, letter by letter: 字母 from the mode, a drill of 6 ----
    ear.press(s, "shift+F6")
    ear.until("数字", lambda t: "数字" in t)
    ear.press(s, "Down")
    ear.until("字母", lambda t: "字母" in t)
    ear.press(s, "Escape")
    pairs = hear_drill(c, ear, COUNT, PAIR)
    s.type("".join(pair.replace(" ", "") for pair in pairs))
    ear.until("the cursor moving on to 答案 %d" % (COUNT + 1), starts("答案 %d " % (COUNT + 1)))
    ear.press(s, "Return")
    heard = ear.until("the summary", starts("对 "))
    summary = "对 %d 个，共 %d 个" % (COUNT, COUNT)
    c.check("the pairs heard are the items: %s" % summary, heard[-1] == summary,
            "heard %s" % heard)

    # ---- the largest drill: 200 numbers at 0.5 s, typed at a human pace ----
    ear.press(s, "F6")
    ear.until("字母", lambda t: "字母" in t)
    ear.press(s, "Up")
    ear.until("数字", lambda t: "数字" in t)
    for name in ("速度（秒）", "组数"):
        ear.press(s, "Tab")
        ear.until(name, starts(name))
    s.key("ctrl+a")
    s.type(str(LARGEST))
    ear.press(s, "Escape")
    items = hear_drill(c, ear, LARGEST, ITEM, timeout=LARGEST * 0.5 + 30)
    typed = ["%02d" % ((int(items[0]) + 1) % 100)] + items[1:]  # answer 1 wrong on purpose
    s.x("xdotool", "type", "--delay", str(KEY_MS), "".join(typed),
        timeout=len(typed) * 2 * KEY_MS / 1000 + 30)
    ear.until("the cursor in 答案 %d" % LARGEST, starts("答案 %d " % LARGEST), 30)
    ear.quiet(1.5)
    ear.press(s, "Return")
    step = {"Enter": ear.queued}
    heard = ear.until("the verdict of 答案 %d" % LARGEST, lambda t: "答案 %d " % LARGEST in t)
    summary = "对 %d 个，共 %d 个" % (LARGEST - 1, LARGEST)
    c.check("Enter after %d: the summary %s, then 答案 %d 对" % (LARGEST, summary, LARGEST),
            announced(heard, summary, "答案 %d 对" % LARGEST), "heard %s" % heard)
    # Every event of the check has come once Orca has queued no more, nor said anything, for a
    # second (Orca 43 logs no queued event: for it the speech alone tells).
    ear.steady("take in every event of the check", lambda: (len(ear.read()), ear.queued), 1.0)
    step["Enter"] = ear.queued - step["Enter"]
    ear.press(s, "Escape")
    step["Esc"] = ear.queued
    heard = ear.until("item 1 of the next drill", lambda t: ITEM.match(t) is not None)
    step["Esc"] = ear.queued - step["Esc"]
    c.check("Esc after the check of %d: item 1 of the next drill is heard" % LARGEST,
            ITEM.match(heard[-1]) is not None, "heard %s" % heard)
    floods = ear.log_lines("DELUGE")
    floods += ["%s: %d events" % (key, n) for key, n in step.items() if n > DELUGE]
    log_line("events Orca queued: %s" % step)
    # An Orca after 43 tells of no deluge: without the events it logs, nothing would be judged.
    judged = ear.queued > 0 or listener.orca_version.startswith("43.")
    unjudged = "Orca %s logged no queued event" % listener.orca_version
    c.check("no step floods Orca: no deluge (Orca 43), at most %d events from Enter or Esc "
            "after %d (Orca 48)" % (DELUGE, LARGEST),
            judged and not floods, "%s" % (floods[:3] or unjudged))


def hear_drill(c, ear, count, item, timeout=20):
    """Hears a drill that was just started: its items one by one, then 答案 1 with the cursor.
    Returns the items as heard."""
    while_shown = ear.until("answer box 1 opening after the items", starts("答案 1 "), timeout)
    items = [t for t in while_shown if item.match(t)]
    first = next((i for i, t in enumerate(while_shown) if item.match(t)), len(while_shown))
    # The echo of the last keys may still come before item 1, nothing but items after it, each
    # one after the role of its notification or none.
    between = [t for i, t in enumerate(while_shown[first:-1], first)
               if t != NOTIFICATION or not item.match(while_shown[i + 1])]
    c.check("Esc: the %d items are heard one by one as they appear, then 答案 1 with the "
            "cursor" % count, len(items) == count and len(between) == count,
            "heard %s" % while_shown)
    if len(items) != count:
        raise CheckFailed("the items were not heard; the answers cannot be typed from them")
    return items


def main():
    s, artifacts = a11y.accessible_session(__doc__.split("\n\n")[0], "orca-artifacts",
                                           DEADLINE_SECONDS)
    c = Checks()
    launcher = listener = None

    def run():
        nonlocal launcher, listener
        os.makedirs(artifacts)
        launcher = a11y.start_bus()
        listener = Listener(artifacts)
        run_checks(s, c, listener)

    def clean_up():
        if listener:
            listener.stop()
        s.stop()
        e2e.stop_process(launcher)

    return e2e.run_suite(c, artifacts, run, clean_up)


if __name__ == "__main__":
    sys.exit(main())
