#!/usr/bin/env bash
# Start-up of the window on a large cache: generates a 60,000-record index, starts the
# viewer on it (offscreen) five times and prints the median time from process start to the
# first paint of the filled grid, and the median resident memory at that moment.
#
#   bench/startup_bench.sh [BUILD_DIR]      (default: build)
#
# The viewer measures itself when VARNOK_EXIT_AFTER_FIRST_PAINT is set: it prints
# "first paint after N ms" and "resident memory N MB" to standard error and quits.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
runs=5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/cache/Content.IE5" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
"$build/mkindex" --records 60000 --tables 12 "$work/cache/Content.IE5/index.dat" >/dev/null 2>&1
# Without the welcome message nothing modal stands between start and first paint.
printf '[Preferences]\r\nShow welcome window=0\r\n' >"$work/config/Varnok5.ini"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

times=()
memory=()
for ((i = 1; i <= runs; i++)); do
    output=$(XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
        VARNOK_EXIT_AFTER_FIRST_PAINT=1 QT_QPA_PLATFORM=offscreen \
        "$build/varnok5" "/cache:$work/cache" 2>&1 >/dev/null || true)
    ms=$(sed -n 's/^first paint after \([0-9-]*\) ms$/\1/p' <<<"$output")
    mb=$(sed -n 's/^resident memory \([0-9-]*\) MB$/\1/p' <<<"$output")
    if [[ -z $ms || -z $mb ]]; then
        echo "run $i: no measurement; the viewer said:" >&2
        echo "$output" >&2
        exit 1
    fi
    echo "run $i: first paint after $ms ms, resident memory $mb MB"
    times+=("$ms")
    memory+=("$mb")
done

echo "median of $runs runs: first paint after $(printf '%s\n' "${times[@]}" | median) ms," \
    "resident memory $(printf '%s\n' "${memory[@]}" | median) MB"
