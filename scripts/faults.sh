#!/usr/bin/env bash
# Fault cases against the real program: runs every tests/faults/*_faults.sh
# with PROGRAM (from the build directory, as the end-to-end tests run),
# gathers their "CASE <name>: PASS|FAIL <detail>" lines into one table, and
# fails when any case failed or any script failed without saying which case.
#
#   cd build && bash ../scripts/faults.sh ./quillmoor
set -u

[ $# -eq 1 ] || { echo "usage: $0 PROGRAM" >&2; exit 2; }
program="$1"
cases_dir="$(cd "$(dirname "$0")/../tests/faults" && pwd)"
log="$(mktemp -d /tmp/quillmoor-faults.XXXXXX)"
trap 'rm -rf "$log"' EXIT

scripts=("$cases_dir"/*_faults.sh)
[ -e "${scripts[0]}" ] || { echo "no fault scripts in $cases_dir" >&2; exit 1; }

failed=0
for script in "${scripts[@]}"; do
    name="$(basename "$script" .sh)"
    echo "== $name"
    status=0
    bash "$script" "$program" >"$log/$name.out" 2>&1 || status=$?
    cat "$log/$name.out"
    grep -a '^CASE ' "$log/$name.out" | sed "s|^|$name |" >>"$log/cases"
    if [ "$status" -ne 0 ] && ! grep -aq '^CASE .*: FAIL' "$log/$name.out"; then
        echo "$name CASE (the script itself): FAIL exit status $status" >>"$log/cases"
    fi
    [ "$status" -eq 0 ] || failed=1
done

echo
printf '%-20s %-44s %s\n' SCRIPT CASE RESULT
while read -r script _ rest; do
    result="${rest#*: }" && result="${result%% *}"
    printf '%-20s %-44s %s\n' "$script" "${rest%%: *}" "$result"
    [ "$result" = PASS ] || failed=1
done <"$log/cases"
[ "$failed" -eq 0 ] && echo "every fault case passed" || echo "some fault cases FAILED"
exit "$failed"
