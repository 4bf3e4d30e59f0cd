#!/usr/bin/env bash
# The Debian package cpack makes from the build directory: the installed files,
# under /usr only, and the run-time packages of the program's libraries.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
out="$(mktemp -d /tmp/quillmoor-deb.XXXXXX)" && trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" >"$out/log" 2>&1 || { cat "$out/log" >&2; fail "cpack failed"; }
deb=$(echo "$out"/quillmoor_*.deb)
files="$(dpkg-deb -c "$deb" | sed -n 's|^-.* \./|/|p')"
for f in bin/quillmoor lib/quillmoor/quillmoor share/quillmoor/town share/applications/quillmoor.desktop \
         share/icons/hicolor/scalable/apps/quillmoor.svg; do
    grep -qx -- "/usr/$f" <<<"$files" || fail "the package lacks /usr/$f"
done
[ "$(grep -c '^/usr/share/quillmoor/textures/[^/]*\.tga$' <<<"$files")" = 29 ] || fail "not 29 textures"
! grep -v '^/usr/' <<<"$files" || fail "files outside /usr"
names="$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | awk '{ print $1 }')"
for p in libfltk1.3 libfltk-gl1.3 libglx0 libopengl0 libglu1-mesa libpng16-16 libstdc++6 libc6; do
    grep -qxF -- "$p" <<<"$names" || fail "Depends lacks $p"
done
