#!/usr/bin/env bash
# Renders the reference pictures of the shipped town in docs/ (day, dusk and
# night, an overview and a street view) off screen with tools/town_snapshot.
# Run it after the town, its textures or its models change.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
cmake -S "$top" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target town_snapshot textures town_scene
cd "$build"

# name, time of day, eye, target. 300 steps let the train and the cars leave
# their starting places.
views=(
    "overview-day 0.45 -38 30 38 0 0 0"
    "overview-dusk 0.73 -38 30 38 0 0 0"
    "overview-night 0.9 -38 30 38 0 0 0"
    "street-day 0.45 -0.6 1.5 13 1.2 2.4 -4"
    "street-dusk 0.73 -0.6 1.5 13 1.2 2.4 -4"
    "street-night 0.9 -0.6 1.5 13 1.2 2.4 -4"
    "clock-tower-day 0.5 1.5 3 -1 6.8 2.4 -4.5"
)
mkdir -p "$top/docs"
for view in "${views[@]}"; do
    read -r name t ex ey ez ax ay az <<<"$view"
    ./town_snapshot town "$name.ppm" "$t" eye "$ex" "$ey" "$ez" "$ax" "$ay" "$az" 480 360 300 >/dev/null
    # A dithered 255-colour palette keeps each picture under 100 KB.
    convert "$name.ppm" -strip -colors 255 -dither FloydSteinberg "PNG8:$top/docs/$name.png"
    rm -f "$name.ppm"
    echo "docs/$name.png"
done
