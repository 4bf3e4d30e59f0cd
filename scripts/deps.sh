#!/usr/bin/env bash
# Installs the Debian packages Quillmoor needs to build, run and test, when
# they are missing. Runs apt-get as root, or through sudo. Recommended
# packages are not installed, so everything the build reads is named here:
# FLTK's CMake package refers to the fluid program, which libfltk1.3-dev only
# recommends.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libfltk1.3-dev fluid libgl-dev libglu1-mesa-dev libosmesa6-dev libpng-dev
    libgtest-dev libbenchmark-dev
    xvfb xauth libgl1-mesa-dri xdotool imagemagick x11-apps x11-utils
    clang libclang-rt-14-dev
    desktop-file-utils fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "These Debian packages are missing and I am not root (and there is no sudo): ${missing[*]}" >&2
    exit 1
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
