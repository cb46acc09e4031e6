#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows stage: cross-builds Tavrin.exe and its tests with MinGW-w64 against the Qt for
# Windows in ../shared/windows/, gathers the folder, zip and installer a Windows user gets, and
# with --test runs the tests under Wine. Installs what it needs on Debian 12 or 13
# (tools/packages-windows.txt); the Linux build never needs any of it.
#   bash tools/windows.sh           build and gather build-windows/Tavrin-<version>-windows-x86_64.zip
#                                   and the installer Tavrin-<version>-windows-x86_64.msi
#   bash tools/windows.sh --test    the same, then every test under Wine
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-windows"
tree="$build/tree"
wine=/usr/lib/wine/wine64
objdump=x86_64-w64-mingw32-objdump
test=false
[ "${1:-}" = "--test" ] && test=true

bash "$root/tools/setup.sh" "$root/tools/packages-windows.txt"

# The Qt for Windows must be the version of this machine's moc, whose output includes headers of
# its own version: 6.4.2 on Debian 12, 6.8.2 on Debian 13.
moc_version="$(/usr/lib/qt6/libexec/moc --version)"
qt_version="${moc_version##* }"
qt_name="qt-$qt_version-mingw-w64-x86_64"
archive="${TAVRIN_QT_WINDOWS_ARCHIVE:-$root/../shared/windows/$qt_name.tar.xz}"
qt="$build/$qt_name"
# The MinGW-w64 C++ runtime shipped beside Tavrin.exe: the compiler's own (GCC 12 on Debian 12,
# 14 on Debian 13) and winpthread.
mingw_runtime=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
    /usr/x86_64-w64-mingw32/lib)

# ---- Qt for Windows, unpacked into the build folder (the archive's folder stays untouched) ----
if [ ! -f "$qt/.unpacked" ] || [ "$archive" -nt "$qt/.unpacked" ]; then
    [ -f "$archive" ] || {
        echo "windows.sh: no Qt $qt_version for Windows (this machine's moc is $qt_version) at $archive" >&2
        exit 1
    }
    echo "== Unpacking $(basename "$archive")"
    rm -rf "$qt"
    mkdir -p "$build"
    tar -xJf "$archive" -C "$build"
    touch "$qt/.unpacked"
fi

winpath() { # a Linux path as Wine's Z: drive sees it
    local IFS=';' out=() p
    for p in "$@"; do out+=("Z:$p"); done
    echo "${out[*]}"
}

# ---- Cross build: Release, tests on, benchmarks off ----
echo "== Cross-building Tavrin.exe and its tests"
cmake -S "$root" -B "$tree" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_BUILD_BENCH=OFF \
    -DTAVRIN_WERROR="${TAVRIN_WERROR:-OFF}" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tools/wine-test.sh" \
    -DTAVRIN_WINDOWS_DEPLOY_DIR="$build/unzipped/Tavrin" -DTAVRIN_WINDOWS_DIST_DIR="$build" \
    -DTAVRIN_WINE="$wine" >/dev/null
cmake --build "$tree" -j "$(nproc)"

# ---- The folder a Windows user runs: Tavrin.exe and exactly the DLLs it loads ----
echo "== Gathering build-windows/Tavrin"
deploy="$build/Tavrin"
rm -rf "$deploy"
mkdir -p "$deploy/platforms" "$deploy/styles"
cp "$tree/Tavrin.exe" "$deploy/"
x86_64-w64-mingw32-strip "$deploy/Tavrin.exe"
cp "$qt/plugins/platforms/qwindows.dll" "$deploy/platforms/"
# The plugin of the "windowsvista" style, the classic look Tavrin asks for: Qt 6.4 names it
# qwindowsvistastyle.dll, Qt 6.7 and later qmodernwindowsstyle.dll (with "windows11" beside it).
style_plugin=""
for name in qwindowsvistastyle.dll qmodernwindowsstyle.dll; do
    [ -f "$qt/plugins/styles/$name" ] && style_plugin="$deploy/styles/$name"
done
[ -n "$style_plugin" ] || { echo "windows.sh: no windowsvista style plugin in $qt" >&2; exit 1; }
cp "$qt/plugins/styles/$(basename "$style_plugin")" "$deploy/styles/"
# The licences: Tavrin's own and Qt's.
cp "$root/LICENSES/GPL-3.0-or-later.txt" "$qt/LGPL-3.0-only.txt" "$deploy/"
# Every DLL the program and its plugins import, found in Qt's or MinGW's folders, and theirs in
# turn; what is found in neither is part of Windows.
queue=("$deploy/Tavrin.exe" "$deploy/platforms/qwindows.dll" "$style_plugin")
while ((${#queue[@]})); do
    file="${queue[0]}"
    queue=("${queue[@]:1}")
    while read -r dll; do
        [ -e "$deploy/$dll" ] && continue
        for dir in "$qt/bin" "${mingw_runtime[@]}"; do
            if [ -f "$dir/$dll" ]; then
                cp "$dir/$dll" "$deploy/"
                queue+=("$deploy/$dll")
                break
            fi
        done
    done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")"
zip_file="$build/Tavrin-$version-windows-x86_64.zip"
rm -f "$zip_file"
(cd "$build" && zip -q -r -X "$zip_file" Tavrin)
(cd "$deploy" && find . -type f | sort | sed 's|^\./||' | tr '\n' ' ')
echo
echo "zip: $zip_file ($(du -k "$zip_file" | cut -f1) KiB)"

# ---- The installer: the same folder, with a Start-menu shortcut and an uninstall entry ----
# wixl-heat lists the folder's files as components; their GUIDs follow from their paths, so
# every build and release gives a file the same one. wixl resolves paths from each .wxs file.
msi_file="$build/Tavrin-$version-windows-x86_64.msi"
(cd "$build" && find Tavrin -type f | LC_ALL=C sort |
    wixl-heat --prefix Tavrin/ --directory-ref INSTALLDIR --component-group TavrinFiles \
        --var var.SourceDir --win64 >"$build/tavrin-files.wxs")
rm -f "$msi_file"
wixl --arch x64 -D SourceDir=Tavrin -D Win64=yes -o "$msi_file" \
    "$tree/resources/tavrin.wxs" "$build/tavrin-files.wxs"
echo "installer: $msi_file ($(du -k "$msi_file" | cut -f1) KiB)"
# The end-to-end test runs the program as a user gets it: unpacked from the zip.
rm -rf "$build/unzipped"
unzip -q "$zip_file" -d "$build/unzipped"

$test || exit 0

# ---- Tests under Wine: one prefix made once, copied for each program ----
echo "== Tests under Wine"
prefix="$build/wine-prefix"
if [ ! -f "$prefix/system.reg" ]; then
    rm -rf "$prefix"
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        timeout 180 "$wine" wineboot --init >/dev/null 2>&1
    # Wine's theme gives system colour 0 the white of its edit boxes, which would hide a box drawn
    # in the theme's colour instead of its own: the Windows default tells them apart.
    WINEPREFIX="$prefix" WINEDEBUG=-all timeout 60 "$wine" reg add 'HKCU\Control Panel\Colors' \
        /v Scrollbar /d "200 200 200" /f >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 180 "$(dirname "$wine")/wineserver" --wait
fi
export TAVRIN_WINE="$wine" TAVRIN_WINE_PREFIX="$prefix"
TAVRIN_WINE_PATH="$(winpath "$qt/bin" "${mingw_runtime[@]}")"
export TAVRIN_WINE_PATH
export TAVRIN_QT_PLUGINS="Z:$qt/plugins"
# Wine spends much of a test's time waiting on the X server: more programs than cores.
ctest --test-dir "$tree" --output-on-failure -j "$(($(nproc) * 3))" -LE soak
