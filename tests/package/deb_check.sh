#!/usr/bin/env bash
# The Debian package as `cpack -G DEB` makes it from the build directory (the
# working directory): everything the install puts in place, under /usr and
# nowhere else, and the run-time packages the program's libraries come from.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
out="$(mktemp -d /tmp/quillmoor-deb.XXXXXX)"
trap 'rm -rf "$out"' EXIT

cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
debs=("$out"/quillmoor_*.deb)
[ -f "${debs[0]}" ] || fail "no quillmoor_*.deb"
files="$(dpkg-deb -c "${debs[0]}" | sed -n 's|^-.* \./|/|p')"

for f in /usr/bin/quillmoor /usr/lib/quillmoor/quillmoor /usr/share/quillmoor/town \
         /usr/share/applications/quillmoor.desktop /usr/share/icons/hicolor/scalable/apps/quillmoor.svg; do
    grep -qx -- "$f" <<<"$files" || fail "the package lacks $f"
done
textures=$(grep -c '^/usr/share/quillmoor/textures/[^/]*\.tga$' <<<"$files")
[ "$textures" = 29 ] || fail "the package holds $textures textures, expected 29"
outside=$(grep -v '^/usr/' <<<"$files" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

depends="$(dpkg-deb -f "${debs[0]}" Depends)"
names="$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')"
for p in libfltk1.3 libfltk-gl1.3 libglx0 libopengl0 libglu1-mesa libstdc++6 libc6; do
    grep -qxF -- "$p" <<<"$names" || fail "Depends lacks $p: $depends"
done
