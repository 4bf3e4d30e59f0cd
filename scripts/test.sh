#!/usr/bin/env bash
# Builds Quillmoor and runs every test: the normal build with the end-to-end
# tests under Xvfb, the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzz target.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$top/scripts/deps.sh"

echo "== Build and test =="
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$jobs"
ctest --test-dir "$top/build" --output-on-failure -j"$jobs"

echo "== Build and test with ASan and UBSan =="
cmake -S "$top" -B "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUILLMOOR_SANITIZE=ON >/dev/null
cmake --build "$top/build-sanitize" -j"$jobs"
# Mesa and the X libraries keep caches to the end of the process; leaks are
# ours to find in the simulation tests, not theirs.
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0" \
LSAN_OPTIONS="suppressions=$top/tests/support/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir "$top/build-sanitize" --output-on-failure -j"$jobs"

if [ -x "$top/scripts/fuzz.sh" ]; then
    echo "== Fuzz briefly =="
    "$top/scripts/fuzz.sh" "${QUILLMOOR_FUZZ_SECONDS:-30}"
fi
echo "All tests passed."
