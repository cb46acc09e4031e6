#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks of Tavrin's icon, Windows version record, install rules and .deb, run by CTest.

  resource_checks.py icon ICO PNG_DIR
  resource_checks.py version --windres PROGRAM --rc FILE --project-version X.Y.Z
  resource_checks.py exe --exe Tavrin.exe --ico ICO --project-version X.Y.Z
  resource_checks.py install --cmake PROGRAM --build-dir DIR --app-id ID
                             --desktop-file-validate PROGRAM --appstreamcli PROGRAM
  resource_checks.py deb --cpack PROGRAM --dpkg-deb PROGRAM --lintian PROGRAM --build-dir DIR
                         --app-id ID --project-version X.Y.Z

Each prints what it checked and exits 1 at the first failure, saying what differs.
"""

import argparse
import gzip
import os
import pathlib
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

# The version record, with the maker's name the project chose.
VERSION_STRINGS = {
    "CompanyName": "Tavrin developers",
    "ProductName": "Tavrin",
    "InternalName": "Tavrin",
    "OriginalFilename": "Tavrin.exe",
}
STRING_BLOCK = "080404B0"
TRANSLATION = (0x0804, 1200)
VOS__WINDOWS32 = 0x4
VFT_APP = 0x1
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
LICENSE = "GPL-3.0-or-later"
# Shown by lintian only as information, yet each is a fault of the package: no fortified C
# library calls, no full RELRO, a section a stripped program should not carry.
LINTIAN_INFO_REFUSED = ("hardening-no-fortify-functions", "hardening-no-bindnow",
                        "binary-has-unneeded-section")

# Packages named for a missing tool.
PACKAGE_OF = {
    "windres": "binutils-mingw-w64-x86-64",
    "desktop-file-validate": "desktop-file-utils",
    "appstreamcli": "appstream",
    "dpkg-deb": "dpkg",
    "lintian": "lintian",
    "cpack": "cmake",
    "cmake": "cmake",
}


class CheckFailed(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


def tool(path, name):
    expect(path and not path.endswith("NOTFOUND") and shutil.which(path),
           f"{name} not found: install the Debian package {PACKAGE_OF.get(name, name)} "
           "(tools/setup.sh installs everything in tools/packages.txt)")
    return path


# AppStream issues that stand, each for its reason; any other fails the check.
APPSTREAM_ACCEPTED = {
    # Tavrin has no home page to name; the package's lintian override says so.
    "url-homepage-missing",
    # <developer> is AppStream 1.0's (Debian 13), which calls <developer_name> deprecated; Debian
    # 12's AppStream 0.16 does not know it yet.
    "unknown-tag developer",
}


def run(command, **kwargs):
    result = subprocess.run(command, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        raise CheckFailed(f"{' '.join(map(str, command))} failed ({result.returncode}):\n"
                          f"{result.stdout}{result.stderr}")
    return result


# ---- The icon ----

def check_icon(args):
    data = pathlib.Path(args.ico).read_bytes()
    expect(len(data) >= 6, "the .ico is shorter than its header")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    expect((reserved, kind) == (0, 1), f"not an icon file (reserved {reserved}, type {kind})")
    expect(count == 2, f"the .ico holds {count} images, not 2")
    sizes = []
    for i in range(count):
        width, height, colors, res, planes, bits, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        width, height = width or 256, height or 256
        where = f"image {i + 1} ({width}x{height})"
        expect(width == height, f"{where} is not square")
        expect(colors == 16 and planes == 1 and bits == 4,
               f"{where}: directory says {colors} colours, {planes} planes, {bits} bits per pixel;"
               " want 16 colours, 1 plane, 4 bits per pixel")
        expect(offset + length <= len(data), f"{where} runs past the end of the file")
        header = struct.unpack_from("<IiiHHIIiiII", data, offset)
        size, bmp_width, bmp_height, bmp_planes, bmp_bits, compression = header[:6]
        expect(size == 40, f"{where}: not a BITMAPINFOHEADER image (PNG or other)")
        expect((bmp_width, bmp_height) == (width, 2 * height),
               f"{where}: bitmap is {bmp_width}x{bmp_height}, want {width}x{2 * height}")
        expect(bmp_planes == 1 and bmp_bits == 4 and compression == 0,
               f"{where}: bitmap has {bmp_bits} bits per pixel, compression {compression}")
        xor_size = (width * 4 + 31) // 32 * 4 * height
        and_size = (width + 31) // 32 * 4 * height
        expect(length == 40 + 16 * 4 + xor_size + and_size,
               f"{where}: {length} bytes, want {40 + 64 + xor_size + and_size} "
               "(header, 16-colour palette, 4-bit pixels, mask)")
        sizes.append(width)
    expect(sizes == [32, 16], f"image sizes {sizes}, want [32, 16]")
    print("icon: 2 images, 32x32 and 16x16, 16 colours at 4 bits per pixel")

    png_dir = pathlib.Path(args.png_dir)
    for size in (16, 32, 64, 128):
        png = (png_dir / f"tavrin-{size}.png").read_bytes()
        expect(png[:8] == b"\x89PNG\r\n\x1a\n" and png[12:16] == b"IHDR",
               f"tavrin-{size}.png is not a PNG")
        width, height = struct.unpack_from(">II", png, 16)
        expect((width, height) == (size, size), f"tavrin-{size}.png is {width}x{height}")
    print("icon: PNGs 16, 32, 64 and 128 px")


# ---- The version record ----

def read_res(data):
    """The entries of a .res file: (type, name, language, data); type and name are ints or str."""

    def ident(pos):
        (first,) = struct.unpack_from("<H", data, pos)
        if first == 0xFFFF:
            return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
        end = pos
        while struct.unpack_from("<H", data, end)[0] != 0:
            end += 2
        return data[pos:end].decode("utf-16-le"), end + 2

    entries, pos = [], 0
    while pos + 8 <= len(data):
        data_size, header_size = struct.unpack_from("<II", data, pos)
        kind, at = ident(pos + 8)
        name, at = ident(at)
        at = (at + 3) & ~3
        _, _, language = struct.unpack_from("<IHH", data, at)
        body = data[pos + header_size:pos + header_size + data_size]
        if data_size or kind or name:
            entries.append((kind, name, language, body))
        pos = (pos + header_size + data_size + 3) & ~3
    return entries


def read_pe_resources(data):
    """The resources linked into a Windows executable, as read_res gives them."""
    expect(data[:2] == b"MZ", "not a Windows executable (no MZ header)")
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    expect(data[pe:pe + 4] == b"PE\0\0", "not a PE executable")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    table = pe + 24 + optional_size
    for i in range(sections):
        name, virtual_size, rva, raw_size, raw_at = struct.unpack_from(
            "<8sIIII", data, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            break
    else:
        raise CheckFailed("the executable has no .rsrc section")

    def ident(entry_name):
        if entry_name & 0x80000000:
            at = raw_at + (entry_name & 0x7FFFFFFF)
            (length,) = struct.unpack_from("<H", data, at)
            return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return entry_name

    def directory(offset):
        named, numbered = struct.unpack_from("<12xHH", data, raw_at + offset)
        for i in range(named + numbered):
            entry_name, target = struct.unpack_from("<II", data, raw_at + offset + 16 + 8 * i)
            yield ident(entry_name), target

    entries = []
    for kind, names in directory(0):
        for name, languages in directory(names & 0x7FFFFFFF):
            for language, leaf in directory(languages & 0x7FFFFFFF):
                data_rva, size = struct.unpack_from("<II", data, raw_at + leaf)
                at = raw_at + data_rva - rva
                entries.append((kind, name, language, data[at:at + size]))
    return entries


def read_version_node(data, pos):
    """One node of VS_VERSIONINFO: (key, value bytes, value type, children, end)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, pos)
    end = pos + length
    at = pos + 6
    key_end = at
    while struct.unpack_from("<H", data, key_end)[0] != 0:
        key_end += 2
    key = data[at:key_end].decode("utf-16-le")
    at = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if value_type == 1 else value_length
    value = data[at:at + value_bytes]
    at = (at + value_bytes + 3) & ~3
    children = []
    while at < end:
        child = read_version_node(data, at)
        children.append(child)
        at = (child[4] + 3) & ~3
    return key, value, value_type, children, end


def text_value(value):
    text = value.decode("utf-16-le")
    return text[:-1] if text.endswith("\0") else text


def check_version(args):
    windres = tool(args.windres, "windres")
    with tempfile.TemporaryDirectory(prefix="tavrin-rc-") as temp:
        res_file = pathlib.Path(temp) / "tavrin.res"
        run([windres, "--input-format=rc", "--output-format=res", args.rc, res_file])
        run([windres, "--input-format=rc", "--output-format=coff", args.rc,
             pathlib.Path(temp) / "tavrin.o"])
        entries = read_res(res_file.read_bytes())
    print(f"version: {args.rc} compiles with windres (res and coff)")
    check_version_entries(entries, args.project_version)


def check_exe(args):
    data = pathlib.Path(args.exe).read_bytes()
    entries = read_pe_resources(data)
    print(f"exe: read the resources linked into {args.exe}")
    # A console program would open a console window beside Tavrin's.
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    (magic,) = struct.unpack_from("<H", data, pe + 24)
    (subsystem,) = struct.unpack_from("<H", data, pe + 24 + 68)
    expect(magic == 0x20B, f"optional header magic {magic:#x}, want 0x20b (64-bit)")
    expect(subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI,
           f"subsystem {subsystem}, want {IMAGE_SUBSYSTEM_WINDOWS_GUI} (Windows GUI)")
    print("exe: a 64-bit program of the Windows GUI subsystem")
    check_version_entries(entries, args.project_version)
    check_exe_icon(entries, pathlib.Path(args.ico).read_bytes())


def check_exe_icon(entries, ico):
    """The executable's icon images are the .ico's, byte for byte."""
    images = {name: body for kind, name, _, body in entries if kind == RT_ICON}
    group = next(body for kind, _, _, body in entries if kind == RT_GROUP_ICON)
    (count,) = struct.unpack_from("<H", group, 4)
    for i in range(count):
        (image_id,) = struct.unpack_from("<H", group, 6 + 14 * i + 12)
        length, offset = struct.unpack_from("<II", ico, 6 + 16 * i + 8)
        expect(images.get(image_id) == ico[offset:offset + length],
               f"icon image {i + 1} (resource {image_id}) differs from the .ico's")
    print("exe: its icon images are those of tavrin.ico")


def check_version_entries(entries, project_version):
    version = [int(part) for part in project_version.split(".")]
    version += [0] * (4 - len(version))
    version_string = f"{version[0]}.{version[1]:02d}"

    versions = [entry for entry in entries if entry[0] == RT_VERSION]
    expect(len(versions) == 1, f"{len(versions)} version resources, want 1")
    _, name, language, body = versions[0]
    expect(name == 1, f"version resource named {name!r}, want 1 (VS_VERSION_INFO)")
    expect(language == 0x0804, f"version resource language {language:#06x}, want 0x0804")
    key, fixed, _, children, _ = read_version_node(body, 0)
    expect(key == "VS_VERSION_INFO", f"root key {key!r}")
    expect(len(fixed) == 52, f"fixed part is {len(fixed)} bytes, want 52")
    (signature, _, file_ms, file_ls, product_ms, product_ls, _, flags, os_, file_type,
     subtype, _, _) = struct.unpack("<13I", fixed)
    expect(signature == 0xFEEF04BD, f"fixed part signature {signature:#x}")
    want_ms = (version[0] << 16) | version[1]
    want_ls = (version[2] << 16) | version[3]
    dotted = ".".join(map(str, version))
    for what, ms, ls in (("file", file_ms, file_ls), ("product", product_ms, product_ls)):
        got = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
        expect((ms, ls) == (want_ms, want_ls),
               f"{what} version {got}, want {dotted} (project version {project_version})")
    expect(flags == 0, f"file flags {flags:#x}, want 0")
    expect(os_ == VOS__WINDOWS32, f"file OS {os_:#x}, want VOS__WINDOWS32 (0x4)")
    expect(file_type == VFT_APP, f"file type {file_type:#x}, want VFT_APP (0x1)")
    expect(subtype == 0, f"file subtype {subtype:#x}, want 0")
    print(f"version: fixed part {dotted} for file and product, VOS__WINDOWS32, VFT_APP")

    blocks = {child[0]: child for child in children}
    expect(set(blocks) == {"StringFileInfo", "VarFileInfo"}, f"blocks {sorted(blocks)}")
    tables = blocks["StringFileInfo"][3]
    expect([table[0] for table in tables] == [STRING_BLOCK],
           f"string blocks {[table[0] for table in tables]}, want ['{STRING_BLOCK}']")
    strings = {}
    for key, value, value_type, _, _ in tables[0][3]:
        expect(value_type == 1, f"{key} is not a text value")
        strings[key] = text_value(value)
    want = dict(VERSION_STRINGS, FileVersion=version_string, ProductVersion=version_string)
    expect(strings == want, "strings differ:\n  got  " + repr(strings) + "\n  want " + repr(want))
    print(f"version: block {STRING_BLOCK} with " +
          ", ".join(f'{key} "{value}"' for key, value in want.items()))

    variables = blocks["VarFileInfo"][3]
    expect(len(variables) == 1 and variables[0][0] == "Translation",
           f"VarFileInfo holds {[v[0] for v in variables]}")
    pairs = struct.unpack(f"<{len(variables[0][1]) // 2}H", variables[0][1])
    expect(pairs == TRANSLATION, f"translation {pairs}, want {TRANSLATION}")
    print("version: translation 0x0804, 1200")

    groups = [entry for entry in entries if entry[0] == RT_GROUP_ICON]
    icons = [entry for entry in entries if entry[0] == RT_ICON]
    expect(len(groups) == 1, f"{len(groups)} icon groups, want 1")
    _, _, count = struct.unpack_from("<HHH", groups[0][3], 0)
    sizes = [groups[0][3][6 + 14 * i] for i in range(count)]
    bits = [struct.unpack_from("<H", groups[0][3], 6 + 14 * i + 6)[0] for i in range(count)]
    expect(sizes == [32, 16] and bits == [4, 4] and len(icons) == 2,
           f"icon group sizes {sizes}, bits {bits}, {len(icons)} icon images")
    print("version: icon group of two images, 32x32 and 16x16 at 4 bits per pixel")


# ---- Install and package layout ----

def installed_paths(app_id):
    paths = {
        "bin/tavrin": "program",
        f"share/applications/{app_id}.desktop": "desktop entry",
        f"share/metainfo/{app_id}.metainfo.xml": "AppStream metainfo",
        "share/doc/tavrin/copyright": "copyright file",
        "share/doc/tavrin/changelog.gz": "changelog",
        "share/man/man1/tavrin.1.gz": "manual page",
    }
    for size in (16, 32, 64, 128):
        paths[f"share/icons/hicolor/{size}x{size}/apps/{app_id}.png"] = f"{size} px icon"
    return paths


def check_layout(prefix, app_id):
    for path, what in installed_paths(app_id).items():
        expect((prefix / path).is_file(), f"{what} missing: {prefix / path}")
    program = prefix / "bin/tavrin"
    expect(os.access(program, os.X_OK), f"{program} is not executable")
    expect(program.read_bytes()[:4] == b"\x7fELF", f"{program} is not an ELF program")
    entry = (prefix / f"share/applications/{app_id}.desktop").read_text(encoding="utf-8")
    fields = dict(line.split("=", 1) for line in entry.splitlines() if "=" in line)
    expect(fields.get("Exec", "").split()[:1] == ["tavrin"], f"Exec={fields.get('Exec')}")
    expect(fields.get("Icon") == app_id, f"Icon={fields.get('Icon')}, want {app_id}")
    metainfo = (prefix / f"share/metainfo/{app_id}.metainfo.xml").read_text(encoding="utf-8")
    for needle in (f"<id>{app_id}</id>", f"{app_id}.desktop</launchable>",
                   "<metadata_license>CC0-1.0</metadata_license>",
                   f"<project_license>{LICENSE}</project_license>", "<content_rating",
                   "<release "):
        expect(needle in metainfo, f"metainfo lacks {needle}")
    copyright_file = (prefix / "share/doc/tavrin/copyright").read_text(encoding="utf-8")
    expect(copyright_file.startswith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"),
        "the copyright file is not in Debian's machine-readable format")
    print(f"layout: {len(installed_paths(app_id))} files under {prefix}, Exec and Icon agree")


def check_install(args):
    cmake = tool(args.cmake, "cmake")
    validate_desktop = tool(args.desktop_file_validate, "desktop-file-validate")
    appstreamcli = tool(args.appstreamcli, "appstreamcli")
    with tempfile.TemporaryDirectory(prefix="tavrin-install-") as temp:
        prefix = pathlib.Path(temp) / "usr"
        run([cmake, "--install", args.build_dir, "--prefix", prefix])
        check_layout(prefix, args.app_id)
        desktop = prefix / f"share/applications/{args.app_id}.desktop"
        metainfo = prefix / f"share/metainfo/{args.app_id}.metainfo.xml"
        result = run([validate_desktop, desktop])
        expect(not result.stdout.strip(), f"desktop-file-validate:\n{result.stdout}")
        print("install: desktop-file-validate passes")
        # Every issue down to the pedantic hints is refused, but for the documented ones.
        for command in (["validate", "--no-net", "--pedantic", metainfo],
                        ["validate-tree", "--no-net", "--pedantic", temp]):
            result = subprocess.run([appstreamcli] + command, capture_output=True, text=True)
            output = result.stdout
            expect(result.returncode in (0, 3), f"appstreamcli {command[0]} failed "
                   f"({result.returncode}):\n{output}{result.stderr}")
            issues = [line.strip() for line in output.splitlines()
                      if line.strip()[:2] in ("E:", "W:", "I:", "P:")
                      and line.strip().split(": ", 2)[-1] not in APPSTREAM_ACCEPTED]
            expect(not issues, f"appstreamcli {command[0]}:\n" + "\n".join(issues))
            print(f"install: appstreamcli {' '.join(map(str, command[:2]))} passes:"
                  f" {output.strip().splitlines()[-1]}")


def check_deb(args):
    cpack = tool(args.cpack, "cpack")
    dpkg_deb = tool(args.dpkg_deb, "dpkg-deb")
    lintian = tool(args.lintian, "lintian")
    build = pathlib.Path(args.build_dir)
    with tempfile.TemporaryDirectory(prefix="tavrin-deb-") as temp:
        temp = pathlib.Path(temp)
        run([cpack, "-G", "DEB", "--config", build / "CPackConfig.cmake", "-B", temp / "out"])
        debs = sorted((temp / "out").glob("*.deb"))
        expect(len(debs) == 1, f"cpack made {[d.name for d in debs]}, want one .deb")
        deb = debs[0]
        print(f"deb: cpack made {deb.name}")
        fields = {}
        for line in run([dpkg_deb, "--field", deb]).stdout.splitlines():
            if ":" in line and not line.startswith(" "):
                key, value = line.split(":", 1)
                fields[key] = value.strip()
        expect(fields.get("Package") == "tavrin", f"Package: {fields.get('Package')}")
        depends = [d.strip().split()[0] for d in fields.get("Depends", "").split(",")]
        for needed in ("fonts-arphic-uming", "qt6-qpa-plugins", "libqt6widgets6", "libc6"):
            expect(needed in depends, f"Depends lacks {needed}: {fields.get('Depends')}")
        print(f"deb: Depends: {fields['Depends']}")
        # Without Qt's Wayland plugin a Wayland desktop shows the program through XWayland.
        expect("qt6-wayland" in [d.strip() for d in fields.get("Recommends", "").split(",")],
               f"Recommends lacks qt6-wayland: {fields.get('Recommends')}")
        print(f"deb: Recommends: {fields['Recommends']}")
        root = temp / "root"
        run([dpkg_deb, "-x", deb, root])
        check_layout(root / "usr", args.app_id)
        check_versions(root / "usr", fields, args.project_version)
        check_lintian(lintian, deb)
        start_from_entry(root / "usr", args.app_id)


def check_versions(prefix, fields, project_version):
    """The package, its changelog and its manual page name the project's version."""
    changelog = gzip.decompress((prefix / "share/doc/tavrin/changelog.gz").read_bytes())
    manual = gzip.decompress((prefix / "share/man/man1/tavrin.1.gz").read_bytes())
    found = {
        "Version": fields.get("Version"),
        "changelog": changelog.decode("utf-8").partition("(")[2].partition(")")[0],
        "manual page": next((line.split('"')[3] for line in manual.decode("utf-8").splitlines()
                             if line.startswith(".TH ")), "").removeprefix("Tavrin "),
    }
    wrong = {what: value for what, value in found.items() if value != project_version}
    expect(not wrong, f"versions {wrong}, want the project's {project_version}")
    print(f"deb: Version, changelog and manual page are {project_version}")


def check_lintian(lintian, deb):
    """Debian's package checker: no error, no warning, none of the refused informations."""
    result = subprocess.run([lintian, "--display-info", deb], capture_output=True, text=True)
    output = result.stdout
    # Status 2 says it found errors (listed below); 1 is lintian's own failure.
    expect(result.returncode in (0, 2), f"lintian failed ({result.returncode}):\n"
           f"{output}{result.stderr}")
    hints = [line for line in output.splitlines()
             if line[:2] in ("E:", "W:") or any(tag in line for tag in LINTIAN_INFO_REFUSED)]
    expect(not hints, "lintian:\n" + "\n".join(hints))
    print(f"deb: lintian passes ({len(output.splitlines())} informations)")


def start_from_entry(prefix, app_id):
    """Runs the Exec line of the unpacked desktop entry, offscreen: it must still be up after
    two seconds (a missing library or plugin ends it at once)."""
    entry = (prefix / f"share/applications/{app_id}.desktop").read_text(encoding="utf-8")
    exec_line = next(line.split("=", 1)[1] for line in entry.splitlines()
                     if line.startswith("Exec="))
    command = [part for part in exec_line.split() if not part.startswith("%")]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               PATH=f"{prefix / 'bin'}{os.pathsep}{os.environ.get('PATH', '')}")
    program = shutil.which(command[0], path=env["PATH"])
    expect(program == str(prefix / "bin" / command[0]),
           f"Exec={exec_line} finds {program}, not the unpacked program")
    process = subprocess.Popen([program] + command[1:], env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True)
    try:
        process.wait(timeout=2)
        output = process.stdout.read()
        raise CheckFailed(f"Exec={exec_line} ended with {process.returncode}:\n{output}")
    except subprocess.TimeoutExpired:
        process.send_signal(signal.SIGTERM)
        process.wait(timeout=10)
    print(f"deb: Exec={exec_line} starts the unpacked program (offscreen)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    icon = commands.add_parser("icon")
    icon.add_argument("ico")
    icon.add_argument("png_dir")
    version = commands.add_parser("version")
    version.add_argument("--windres", required=True)
    version.add_argument("--rc", required=True)
    version.add_argument("--project-version", required=True)
    install = commands.add_parser("install")
    install.add_argument("--cmake", required=True)
    install.add_argument("--build-dir", required=True)
    install.add_argument("--app-id", required=True)
    install.add_argument("--desktop-file-validate", required=True)
    install.add_argument("--appstreamcli", required=True)
    exe = commands.add_parser("exe")
    exe.add_argument("--exe", required=True)
    exe.add_argument("--ico", required=True)
    exe.add_argument("--project-version", required=True)
    deb = commands.add_parser("deb")
    deb.add_argument("--cpack", required=True)
    deb.add_argument("--dpkg-deb", required=True)
    deb.add_argument("--lintian", required=True)
    deb.add_argument("--project-version", required=True)
    deb.add_argument("--build-dir", required=True)
    deb.add_argument("--app-id", required=True)
    args = parser.parse_args()
    check = {"icon": check_icon, "version": check_version, "exe": check_exe,
             "install": check_install,
             "deb": check_deb}[args.command]
    try:
        check(args)
    except CheckFailed as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print(f"{args.command}: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
