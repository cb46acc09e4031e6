#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The Windows installer under Wine: install, start, shortcut, uninstall.

Installs the .msi silently into a copy of the prefix TAVRIN_WINE_PREFIX, checks the installed
files against the gathered folder, the Start-menu shortcut and the entry in the installed
programs, starts the installed Tavrin.exe (only the DLLs beside it) until its window shows with
the exact title, then uninstalls and checks that nothing of Tavrin is left.

    tavrin_msi.py INSTALLER.msi --wine LOADER --files DIR --version X.Y.Z [--artifacts DIR]
"""

import argparse
import glob
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no compiled copy of the shared helpers in the source tree
import tavrin_e2e as e2e  # noqa: E402
from tavrin_e2e import CheckFailed, Checks  # noqa: E402

INSTALL_DIR = "Program Files/Tavrin"
EXE = "C:\\Program Files\\Tavrin\\Tavrin.exe"
# The common Start menu, where Windows puts a shortcut for all users; Wine 8 puts it in the
# user's own.
SHORTCUTS = ("ProgramData/Microsoft/Windows/Start Menu/Programs/Tavrin.lnk",
             "users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tavrin.lnk")
UNINSTALL_KEY = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\{"
PRODUCTS_KEY = "[Software\\\\Classes\\\\Installer\\\\Products\\\\"
DEADLINE_SECONDS = 200


def lnk_target(data):
    """The local path a shell link (.lnk) points at: LinkInfo's LocalBasePath."""
    if data[:4] != b"\x4c\0\0\0":
        raise CheckFailed("the shortcut is not a shell link")
    (flags,) = struct.unpack_from("<I", data, 20)
    pos = 76
    if flags & 0x1:  # HasLinkTargetIDList
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    if not flags & 0x2:  # HasLinkInfo
        raise CheckFailed("the shortcut holds no local path (an advertised shortcut?)")
    base = pos + struct.unpack_from("<I", data, pos + 16)[0]
    return data[base:data.index(b"\0", base)].decode("latin-1")


def registry(prefix, under, name_field):
    """The keys of the machine's registry below the key `under` whose value name_field is
    Tavrin, each as {value name: value}."""
    keys, current = [], None
    with open(os.path.join(prefix, "system.reg"), encoding="utf-8", errors="replace") as reg:
        for line in reg:
            if line.startswith("["):
                current = {} if line.startswith(under) else None
                if current is not None:
                    keys.append(current)
            elif current is not None and line.startswith('"') and "=" in line:
                name, _, value = line.strip().partition("=")
                current[name.strip('"')] = value.strip('"')
    return [key for key in keys if key.get(name_field) == "Tavrin"]


def leftovers(prefix):
    """Every file or folder of the prefix's C: drive that names Tavrin."""
    found = []
    for folder, dirs, files in os.walk(os.path.join(prefix, "drive_c")):
        found += [os.path.join(folder, n) for n in dirs + files if "tavrin" in n.lower()]
    return found


def msiexec(s, prefix, *args):
    env = dict(os.environ, DISPLAY=s.display, WINEPREFIX=prefix, WINEDEBUG="-all")
    done = subprocess.run([s.wine, "msiexec", *args, "/qn"], env=env, capture_output=True,
                          timeout=120)
    # Until the wineserver is gone the registry may not be on disk.
    subprocess.run([os.path.join(os.path.dirname(s.wine), "wineserver"), "--wait"], env=env,
                   timeout=60)
    return done.returncode


def installed_files(root):
    return sorted(os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, files in os.walk(root) for name in files)


def run_checks(s, c, args, prefix):
    msi = "Z:" + os.path.abspath(args.msi).replace("/", "\\")
    status = msiexec(s, prefix, "/i", msi)
    c.check("msiexec /i ends with 0", status == 0, "status %d" % status)
    install_dir = os.path.join(prefix, "drive_c", INSTALL_DIR)
    want = installed_files(args.files)
    got = installed_files(install_dir) if os.path.isdir(install_dir) else []
    c.check("Program Files\\Tavrin holds the gathered folder's %d files" % len(want),
            got == want, "got %s" % got)

    links = [lnk for pattern in SHORTCUTS
             for lnk in glob.glob(os.path.join(prefix, "drive_c", pattern))]
    targets = [lnk_target(open(lnk, "rb").read()) for lnk in links]
    c.check("one Start-menu shortcut, pointing at %s" % EXE, targets == [EXE],
            "shortcuts %s point at %s" % (links, targets))
    # The list of installed programs shows the uninstall entry with the product's icon.
    entries = registry(prefix, UNINSTALL_KEY, "DisplayName")
    icons = registry(prefix, PRODUCTS_KEY, "ProductName")
    c.check("one installed-programs entry Tavrin %s with its icon" % args.version,
            len(entries) == 1 and entries[0].get("DisplayVersion") == args.version
            and len(icons) == 1 and icons[0].get("ProductIcon", "").endswith("tavrin.ico"),
            "entries %s, products %s" % (entries, icons))

    # The installed program, in a copy of the prefix it was installed into.
    os.environ["TAVRIN_WINE_PREFIX"] = prefix
    s.start_app()
    s.find_window(timeout=60)
    titles = {}
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline and set(titles.values()) != {e2e.TITLE}:
        titles = s.title()
        time.sleep(0.1)
    c.check("the installed Tavrin.exe opens its window titled %r" % e2e.TITLE,
            set(titles.values()) == {e2e.TITLE}, "titles %s" % titles)
    s.stop()

    status = msiexec(s, prefix, "/x", msi)
    c.check("msiexec /x ends with 0", status == 0, "status %d" % status)
    left = leftovers(prefix)
    c.check("nothing of Tavrin is left on C:", not left, "left: %s" % left)
    c.check("no installed-programs entry is left",
            not registry(prefix, UNINSTALL_KEY, "DisplayName")
            and not registry(prefix, PRODUCTS_KEY, "ProductName"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("msi")
    parser.add_argument("--wine", required=True, help="the Wine loader")
    parser.add_argument("--files", required=True, help="the folder the installer was made of")
    parser.add_argument("--version", required=True, help="the project's version")
    parser.add_argument("--artifacts", default=os.path.join(os.getcwd(), "msi-artifacts"))
    args = parser.parse_args()
    base = os.environ.get("TAVRIN_WINE_PREFIX", "")
    if not os.path.isfile(os.path.join(base, "system.reg")):
        print("TAVRIN_WINE_PREFIX names no Wine prefix (tools/windows.sh)", file=sys.stderr)
        return 2
    # Wine would otherwise write menu entries for the shortcut into this machine's desktop.
    os.environ["WINEDLLOVERRIDES"] = "winemenubuilder.exe=d"

    e2e.arm_deadline(DEADLINE_SECONDS)
    artifacts = os.path.abspath(args.artifacts)
    shutil.rmtree(artifacts, ignore_errors=True)
    s = e2e.Session(EXE, artifacts, wine=args.wine)
    c = Checks()
    work = tempfile.mkdtemp(prefix="tavrin-msi-wine.")
    prefix = os.path.join(work, "p")

    def run():
        subprocess.run(["cp", "-a", base, prefix], check=True, timeout=60)
        s.start_x()
        run_checks(s, c, args, prefix)

    def clean_up():
        s.stop()
        subprocess.run([os.path.join(os.path.dirname(args.wine), "wineserver"), "-k"],
                       env=dict(os.environ, WINEPREFIX=prefix), capture_output=True, timeout=20)
        shutil.rmtree(work, ignore_errors=True)

    return e2e.run_suite(c, artifacts, run, clean_up)


if __name__ == "__main__":
    sys.exit(main())
