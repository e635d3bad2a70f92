#!/usr/bin/env bash
# Times the batch export of varnok5 against two other cache index readers, pasco and
# msiecfexport, on one large generated index file (40,000 records in nine chained hash
# tables, about 16 MB): median wall and CPU times of several runs each, their ratios, and
# the peak memory of each program. Then the timeline export (/sjsonl) of the same file
# against msiecfexport's text export, and a whole-tree export (/scan:) of 200 index files
# in nested folders, as a mounted disk image holds them.
#
# Needs $VARNOK_BUILD/mkindex and $VARNOK_BUILD/varnok5 (VARNOK_BUILD defaults to build;
# this script builds nothing). Without varnok5 only the two peers are timed.
#
# Environment: VARNOK_BUILD  build folder (default build)
#              RUNS          timed runs per program (default 7)
#              RECORDS       records in the file (default 40000)
#              TREE_FILES    index files in the scanned tree (default 200)
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VARNOK_BUILD:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
runs=${RUNS:-7}
tree_files=${TREE_FILES:-200}
records=${RECORDS:-40000}
mkindex=$build/mkindex
varnok5=$build/varnok5

need_package() { # command package
    command -v "$1" >/dev/null && return 0
    if [ "$(id -u)" != 0 ]; then
        echo "compare_peers: $1 is missing (apt-get install $2)" >&2
        return 1
    fi
    apt-get install -y "$2" >/dev/null 2>&1 ||
        { apt-get update >/dev/null 2>&1 && apt-get install -y "$2" >/dev/null 2>&1; }
    command -v "$1" >/dev/null
}
need_package pasco pasco || exit 2
need_package msiecfexport libmsiecf-utils || exit 2
[ -x /usr/bin/time ] || need_package /usr/bin/time time || exit 2

if [ ! -x "$mkindex" ]; then
    echo "compare_peers: $mkindex not found; build the target mkindex first" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
index=$work/index.dat
"$mkindex" --records "$records" --seed 1 --tables 9 "$index" || exit 1
size=$(stat -c %s "$index")

# The batch export reads its display options from the settings file: give it a fresh
# configuration folder so the user's own settings neither count nor change.
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"
export QT_QPA_PLATFORM=offscreen

# One timed run: "wall-ms cpu-ms peak-KB". $1 receives the program's standard output; the
# rest is the command, run directly under GNU time so that CPU time and memory are the
# program's own. Wall time is taken around it by the shell itself, to the microsecond
# (GNU time counts in 10 ms), so that no helper process counts in it.
timed_run() {
    local output=$1 report=$work/time.report start end
    shift
    start=${EPOCHREALTIME/[.,]/}
    /usr/bin/time -f '%U %S %M' -o "$report" "$@" >"$output" 2>/dev/null ||
        { echo "compare_peers: $1 failed" >&2; return 1; }
    end=${EPOCHREALTIME/[.,]/}
    awk -v wall=$(((end - start) / 1000)) '{ printf "%d %d %s\n", wall, ($1 + $2) * 1000, $3 }' "$report"
}

# "median-wall-ms median-cpu-ms peak-KB" of the runs in file $1.
median_of() {
    awk '{ w[NR] = $1; c[NR] = $2; if ($3 > m) m = $3 }
         function median(a, n,    i, j, t) {
             for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
             return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
         }
         END { printf "%d %d %d\n", median(w, NR), median(c, NR), m }' "$1"
}

# "median-wall-ms median-cpu-ms peak-KB" of $runs timed runs (arguments as timed_run's).
measure() {
    local i
    for ((i = 0; i < runs; i++)); do
        timed_run "$@" || return 1
    done >"$work/runs"
    median_of "$work/runs"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }'; }

echo "index file: $records records, $size bytes, 9 hash tables; $runs runs each"
row() { printf '%-14s %12s %12s %15s %14s\n' "$@"; }
row program "median ms" "median CPU ms" records "peak memory KB"

read -r pasco_ms pasco_cpu pasco_kb < <(measure "$work/pasco.out" pasco "$index") || exit 1
row pasco "$pasco_ms" "$pasco_cpu" "$(grep -cE '^(URL|REDR)	' "$work/pasco.out")" "$pasco_kb"
read -r msiecf_ms msiecf_cpu msiecf_kb < <(measure "$work/msiecf.out" msiecfexport "$index") || exit 1
row msiecfexport "$msiecf_ms" "$msiecf_cpu" "$(grep -c '^Record type' "$work/msiecf.out")" "$msiecf_kb"

if [ ! -x "$varnok5" ]; then
    echo "varnok5: $varnok5 not found; build it to compare (peers timed only)"
    exit 0
fi
read -r varnok5_ms varnok5_cpu varnok5_kb < <(measure "$work/varnok5.stdout" "$varnok5" "/open:$index" /scsv "$work/varnok5.csv") || exit 1
row varnok5 "$varnok5_ms" "$varnok5_cpu" "$(grep -oE '[0-9]+' "$work/varnok5.stdout" | head -n 1)" "$varnok5_kb"
echo "pasco / varnok5:        $(ratio "$pasco_ms" "$varnok5_ms")x the time, $(ratio "$pasco_cpu" "$varnok5_cpu")x the CPU time"
echo "msiecfexport / varnok5: $(ratio "$msiecf_ms" "$varnok5_ms")x the time, $(ratio "$msiecf_cpu" "$varnok5_cpu")x the CPU time"
echo "varnok5 peak memory:    $varnok5_kb KB"

# The timeline export lists every field of each record, as msiecfexport's text does. The
# two run in turns, so that whatever else the machine does weighs on both alike; once with
# the output thrown away (the work of each program) and once into files on disk, where the
# timeline's far larger output (every field again on each time of a record) is written
# and flushed to disk before it takes its name, as every export of varnok5 is.
# side_by_side TARGET: "jsonl-ms jsonl-cpu jsonl-KB msiecf-ms msiecf-cpu msiecf-KB" of $runs
# turns each, both writing to TARGET (/dev/null, or a file named after the program).
side_by_side() {
    local target=$1 jsonl_target=$1 msiecf_target=$1 i
    if [ "$target" != /dev/null ]; then
        jsonl_target=$target.jsonl
        msiecf_target=$target.msiecf
    fi
    : >"$work/jsonl.runs"
    : >"$work/msiecf.runs"
    for ((i = 0; i < runs; i++)); do
        timed_run "$work/jsonl.stdout" "$varnok5" "/open:$index" /sjsonl "$jsonl_target" >>"$work/jsonl.runs" || return 1
        timed_run "$msiecf_target" msiecfexport "$index" >>"$work/msiecf.runs" || return 1
    done
    echo "$(median_of "$work/jsonl.runs") $(median_of "$work/msiecf.runs")"
}
if read -r jsonl_ms jsonl_cpu jsonl_kb msiecf_ms msiecf_cpu msiecf_kb < <(side_by_side /dev/null) &&
    read -r file_jsonl_ms file_jsonl_cpu file_jsonl_kb file_msiecf_ms file_msiecf_cpu file_msiecf_kb < <(side_by_side "$work/timeline"); then
    echo
    echo "timeline, both programs in turns, output thrown away (/dev/null):"
    row program "median ms" "median CPU ms" "events|records" "peak memory KB"
    row "varnok5 jsonl" "$jsonl_ms" "$jsonl_cpu" "$(wc -l <"$work/timeline.jsonl")" "$jsonl_kb"
    row msiecfexport "$msiecf_ms" "$msiecf_cpu" "$(grep -c '^Record type' "$work/timeline.msiecf")" "$msiecf_kb"
    echo "msiecfexport / varnok5 /sjsonl: $(ratio "$msiecf_ms" "$jsonl_ms")x the time (goal 10x), $(ratio "$msiecf_cpu" "$jsonl_cpu")x the CPU time"
    echo "timeline into files on disk ($(stat -c %s "$work/timeline.jsonl") bytes of JSON lines, $(stat -c %s "$work/timeline.msiecf") bytes of text):"
    row "varnok5 jsonl" "$file_jsonl_ms" "$file_jsonl_cpu" "" "$file_jsonl_kb"
    row msiecfexport "$file_msiecf_ms" "$file_msiecf_cpu" "" "$file_msiecf_kb"
    echo "msiecfexport / varnok5 /sjsonl into files: $(ratio "$file_msiecf_ms" "$file_jsonl_ms")x the time, $(ratio "$file_msiecf_cpu" "$file_jsonl_cpu")x the CPU time"
else
    echo "varnok5 /sjsonl: not available in this build (timeline export skipped)"
fi

# A tree like a mounted disk image: copied profiles from mkindex --forensic (their damaged
# file left out, so every file reads whole) and generated caches of several sizes, each
# in folders of its own.
tree=$work/tree
image=0
while [ "$(find "$tree" -name index.dat -type f 2>/dev/null | wc -l)" -lt "$tree_files" ]; do
    image=$((image + 1))
    disk=$tree/image-$image
    "$mkindex" --forensic "$disk" >/dev/null || exit 1
    rm -rf "$disk/Documents and Settings/bob"
    for seed in 1 2 3 4 5; do
        folder=$disk/Windows/Temp/seed-$seed/Content.IE5
        mkdir -p "$folder"
        if [ ! -f "$work/generated-$seed.dat" ]; then
            "$mkindex" --records $((seed * 500)) --seed "$seed" "$work/generated-$seed.dat" >/dev/null || exit 1
        fi
        cp "$work/generated-$seed.dat" "$folder/index.dat"
    done
done
# Trim to the exact count, latest copies first.
find "$tree" -name index.dat -type f | sort | tail -n +$((tree_files + 1)) | xargs -r -d '\n' rm -f
tree_count=$(find "$tree" -name index.dat -type f | wc -l)
tree_bytes=$(find "$tree" -name index.dat -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
echo
echo "tree: $tree_count index files, $tree_bytes bytes, in $image copied images"
if read -r scan_ms scan_cpu scan_kb < <(measure "$work/scan.stdout" "$varnok5" "/scan:$tree" /sjsonl "$work/scan.jsonl"); then
    # msiecfexport reads one file per run: one run for each file of the tree (it refuses
    # the Wine caches; find goes on after a failed run).
    printf 'find "$1" -name index.dat -type f -exec msiecfexport {} \\;\n' >"$work/msiecf-tree.sh"
    read -r tree_msiecf_ms tree_msiecf_cpu tree_msiecf_kb < <(measure "$work/tree-msiecf.out" bash "$work/msiecf-tree.sh" "$tree") || exit 1
    row program "median ms" "median CPU ms" "events|records" "peak memory KB"
    row "varnok5 scan" "$scan_ms" "$scan_cpu" "$(wc -l <"$work/scan.jsonl")" "$scan_kb"
    row "msiecfexport" "$tree_msiecf_ms" "$tree_msiecf_cpu" "$(grep -c '^Record type' "$work/tree-msiecf.out")" "$tree_msiecf_kb"
    echo "varnok5 says: $(tail -n 1 "$work/scan.stdout")"
    echo "msiecfexport (one run per file) / varnok5 /scan: $(ratio "$tree_msiecf_ms" "$scan_ms")x the time"
    echo "varnok5 /scan: peak memory $scan_kb KB for $tree_bytes bytes of index files"
else
    echo "varnok5 /scan: not available in this build (tree export skipped)"
fi
