#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Fails when README.md, docs/*.md, bench/README.md or resources/README.md name what does not
exist, in code spans, code blocks and links: a path of the repository (its first part a top-level
entry git tracks, so not build folders or system paths) or a source file's bare name or glob, an
option of our scripts, a CTest label, -R pattern or test name (read from the CMake files: this
runs before any build)."""

import fnmatch
import glob
import os
import pathlib
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PAGES = ["README.md"] + sorted(glob.glob("docs/*.md", root_dir=ROOT)) + [
    "bench/README.md", "resources/README.md"]
# Files git tracks or would track, as they are in the work tree.
FILES = {f for f in subprocess.run(["git", "ls-files", "-coz", "--exclude-standard"], cwd=ROOT,
                                   check=True, capture_output=True, text=True).stdout.split("\0")
         if f and os.path.isfile(os.path.join(ROOT, f))}
DIRS = {f[:i] for f in FILES for i, c in enumerate(f) if c == "/"}
TOP = {f.split("/")[0] for f in FILES}
BASENAMES = {os.path.basename(f) for f in FILES}
# The finished experiments of bench/README.md: removed on purpose, named as gone, in the history.
GONE = {"bench/paintedbox.cpp", "bench/paceclocks.cpp", "paintedbox.*", "paceclocks.*",
        "box_designs.cpp"}
SCRIPTS = {f for f in FILES if fnmatch.fnmatch(f, "tools/*.sh") or f == "bench/run.sh"
           or fnmatch.fnmatch(f, "tests/*.py")}
FORWARDS = {"bench/run.sh": "bench/runner.cpp"}  # it hands its arguments to the runner


def read(path):
    return pathlib.Path(ROOT, path).read_text(encoding="utf-8")


def options(script):
    """What the script accepts: argparse, or its usage header, case patterns and [ $1 = --x ]."""
    text = read(script)
    if script.endswith(".py"):
        calls = " ".join(re.findall(r"add_argument\(([^)]*)", text))
        return set(re.findall(r'"(--[\w-]+)"', calls))
    found = re.findall(r"--[\w-]+", re.match(r"(?:#.*\n|\n)*", text).group(0))
    found += re.findall(r'^\s*"?(--[\w-]+)"?\s*[|)]', text, re.M)
    found += re.findall(r'=\s*"?(--[\w-]+)"?\s*\]', text)
    if script in FORWARDS:
        found += re.findall(r'strcmp\([^,]+,\s*"(--[\w-]+)"\)', read(FORWARDS[script]))
    return set(found)


def ctest_names():
    names, labels = set(), set()
    for path in (f for f in FILES if f.endswith(("CMakeLists.txt", ".cmake"))):
        text = re.sub(r"#.*", "", read(path))
        loops = dict(re.findall(r"foreach\((\w+)\s+([^)]*)\)", text))
        for name in re.findall(r"^\s*(?:tavrin_add_test\(|add_test\(NAME\s+)(\S+)", text, re.M):
            var = re.search(r"\$\{(\w+)\}", name)
            if var and var.group(1) in loops:
                names |= {name.replace(var.group(0), v) for v in loops[var.group(1)].split()}
            elif not var:
                names.add(name)
        for value in re.findall(r'\bLABELS\s+("[^"]*"|[^\s)]+(?:\s+[a-z][^\s)]*)*)', text):
            labels |= {v for v in re.split(r'[\s;"]+', value) if v and "$" not in v}
    return names, labels


NAMES, LABELS = ctest_names()
PREFIXES = {n.split("_")[0] + "_" for n in NAMES}
OPTIONS = {s: options(s) for s in SCRIPTS}


def slugs(page):
    return {re.sub(r"[^\w\- ]", "", h.strip().lower()).replace(" ", "-")
            for h in re.findall(r"^#+ (.*)", read(page), re.M)}


def exists(path):
    if any(c in path for c in "*?["):
        return any(fnmatch.fnmatch(f, path) for f in FILES)
    return path in FILES or path in DIRS


def matches(pattern):
    try:
        return any(re.search(pattern, n) for n in NAMES)
    except re.error:
        return False


def check_code(text, context, report):
    """One code span or code-block line; returns the scripts it names, in order."""
    named = []
    for raw in text.split():
        tok = re.sub(r"^\./", "", raw.strip("\"'(),;:").rstrip("."))
        if tok in GONE or not tok:
            continue
        if "/" in tok and tok.split("/")[0] in TOP:
            report(tok, exists(tok.rstrip("/")), "no such path in the repository")
        elif re.fullmatch(r"[\w.+*-]+\.(cpp|h|py|sh|md|cmake|in|\*)", tok):
            report(tok, any(fnmatch.fnmatch(b, tok) for b in BASENAMES), "matches no file")
        if re.fullmatch(r"[a-z0-9]+_[\w.]+", tok) and tok.split("_")[0] + "_" in PREFIXES:
            report(tok, tok in NAMES, "no such CTest test")
        named += [tok] if tok in SCRIPTS else []
    # An option belongs to the script named before it in the same command; a span that is only
    # options belongs to the script its paragraph is about. Other programs' options are theirs.
    words = text.split(" #")[0].split()
    script = context if words and words[0].startswith("--") else None
    for word in words:
        tok = re.sub(r"^\./", "", word)
        if word in ("&&", "||", "|", ";", "--"):
            script = None
        elif tok in SCRIPTS:
            script = tok
        elif script and re.match(r"--[a-z]", word):
            option = word.split("=")[0]
            report(option, option in OPTIONS[script], "not an option of " + script)
    if "ctest" in text or text.startswith("-"):
        for kind, value in re.findall(r"(?:^|\s)-(LE|L|R)\s+(\S+)", text):
            value = value.strip("\"'")
            if kind == "R":  # a pattern, as CTest takes it
                report("-R " + value, matches(value), "matches no test")
            else:
                report(f"-{kind} {value}", value in LABELS, "no such CTest label")
    return named


def paragraphs(page):
    """(line, code, link, label) items of each paragraph: every line of a code block (indented or
    fenced), every code span, link and "label `x`" of a text."""
    out, fence, last = [], False, None
    for number, line in enumerate(read(page).split("\n"), 1):
        if line.startswith("```") or not (line.strip() or fence):
            fence ^= line.startswith("```")
            last = None
            continue
        kind = "code" if fence or line.startswith("    ") and last != "text" else "text"
        if kind != last:
            out.append((kind, number, []))
        out[-1][2].append(line)
        last = kind
    for kind, first, lines in out:
        text = "\n".join(lines)
        yield ([(first + i, line, None, None) for i, line in enumerate(lines)] if kind == "code"
               else [(first + text.count("\n", 0, m.start()), *m.groups()) for m in
                     re.finditer(r"`([^`]+)`|\]\(([^)\s]+)\)|\blabel `([\w-]+)`", text)])


def main():
    problems, checked = [], 0

    def report(name, ok, why):
        nonlocal checked
        checked += 1
        if not ok:
            problems.append(f"{page}:{line}: {name}: {why}")

    for page in PAGES:
        previous = []
        for paragraph in paragraphs(page):
            named = []
            for line, code, link, label in paragraph:
                if label:
                    report(label, label in LABELS, "no such CTest label")
                if code:
                    context = named[-1] if named else (previous[0] if previous else None)
                    named += check_code(code.replace("\n", " "), context, report)
                if link and not re.match(r"[a-z]+:", link):
                    target, _, anchor = link.partition("#")
                    path = os.path.normpath(os.path.join(os.path.dirname(page), target or "."))
                    path = path if target else page
                    if not path.startswith(".."):
                        report(link, exists(path), "no such file")
                        if anchor and path.endswith(".md") and path in FILES:
                            report(link, anchor in slugs(path), "no such heading")
            previous = named
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"docs: {len(PAGES)} pages, {checked} names checked")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
