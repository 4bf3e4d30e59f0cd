#!/usr/bin/env bash
# Renders the golden pictures in tests/draw/golden/ off screen with
# tools/golden_pictures: the frames the drawing tests hold the picture to.
# Run it in the commit of any change meant to change the picture, so the
# reviewer sees the pictures change with it.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
cmake -S "$top" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target golden_pictures textures town_scene
cd "$build"
./golden_pictures "$top/tests/draw/golden"
