#!/usr/bin/env bash
# Fails on an #include "..." that points up the table of folders: a file may
# use its own folder and the folders listed below it, never one above.
#   base < town < scene < edit < draw < app     (draw uses no scene code)
# tests/<folder> keeps to its folder's rule, but may set up its scenes with
# scene/ (tests/support is for everyone); tools/ use base only, but for the
# scene compiler and the two picture tools.
set -uo pipefail
top="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$top" || exit 2

rank() {
    case "$1" in
        support) echo 0 ;;
        base) echo 1 ;;
        town) echo 2 ;;
        scene) echo 3 ;;
        edit) echo 4 ;;
        draw) echo 5 ;;
        app) echo 6 ;;
        *) echo 9 ;;
    esac
}

# Where an include names: the including file's own folder first, then
# tests/ for "folder/name.h" in tests, then the one src/ folder holding it.
folder_of_include() {
    local from_dir="$1" name="$2" hit
    if [ -f "$from_dir/$name" ]; then
        basename "$from_dir"
        return
    fi
    if [[ "$name" == */* ]] && [ -f "tests/$name" ]; then
        echo "${name%%/*}"
        return
    fi
    hit=$(ls src/*/"$name" 2>/dev/null | head -n 1)
    if [ -n "$hit" ]; then
        basename "$(dirname "$hit")"
        return
    fi
    echo "unknown"
}

may_use() {
    local user="$1" used="$2"
    [ "$used" = "$user" ] && return 0
    [ "$user" = "draw" ] && [ "$used" = "scene" ] && [ "$checking" = src ] && return 1
    [ "$user" = "support" ] && [ "$used" = "base" ] && return 0
    [ "$(rank "$used")" -lt "$(rank "$user")" ]
}

failures=0
check_file() {
    local file="$1" user="$2" line name used
    while IFS= read -r line; do
        name="${line#*\"}"
        name="${name%%\"*}"
        used=$(folder_of_include "$(dirname "$file")" "$name")
        if [ "$used" = "$(basename "$(dirname "$file")")" ]; then
            continue
        elif [ "$used" = "unknown" ]; then
            echo "$file: includes \"$name\", which is in no folder of ours"
            failures=$((failures + 1))
        elif ! may_use "$user" "$used"; then
            echo "$file: $user may not include \"$name\" from $used"
            failures=$((failures + 1))
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
}

for dir in src/*/ tests/*/; do
    folder=$(basename "$dir")
    checking=${dir%%/*}
    [ "$(rank "$folder")" = 9 ] && [ "$folder" != e2e ] && [ "$folder" != package ] && [ "$folder" != faults ] && {
        echo "$dir: a folder outside the table"
        failures=$((failures + 1))
    }
    for file in "$dir"*.h "$dir"*.cpp; do
        [ -f "$file" ] && check_file "$file" "$folder"
    done
done

checking=tools
for file in tools/*.h tools/*.cpp; do
    case "$(basename "$file")" in
        scene_text.cpp) check_file "$file" scene ;;
        town_snapshot.cpp | golden_pictures.cpp) check_file "$file" draw ;;
        *) check_file "$file" base ;;
    esac
done

# Drawing only reads the town and the editor.
while IFS= read -r line; do
    echo "$line: drawing may take the town and the editor only as const"
    failures=$((failures + 1))
done < <(grep -noE '\b(const )?(Town|Editor) ?&' src/draw/*.h src/draw/*.cpp | grep -v ':const ')

if [ "$failures" -ne 0 ]; then
    echo "$failures include(s) against the folders' order"
    exit 1
fi
echo "every include points down the folders' order"
