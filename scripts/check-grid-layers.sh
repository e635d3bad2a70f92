#!/usr/bin/env bash
# Checks that the grid's folders include only downward: each folder of grid/ may include
# the folders this table names and itself, nothing else of the program (no window, printer
# or application code; only the top, which turns the records of a scan into the list's rows,
# reads the cache index). Lists every include that breaks it.
set -euo pipefail
cd "$(dirname "$0")/.."

# folder: the folders below it (top: grid/ itself, TResultGrid)
declare -A below=(
    [markup]=""
    [table]="markup"
    [search]="table markup"
    [writers]="table markup"
    [pagelayout]="table markup"
    [top]="pagelayout writers search table markup cacheindex"
)

status=0
for folder in "${!below[@]}"; do
    if [ "$folder" = top ]; then
        files=(grid/*.h grid/*.cpp)
        allowed="top ${below[$folder]}"
    else
        files=(grid/"$folder"/*.h grid/"$folder"/*.cpp)
        allowed="$folder ${below[$folder]}"
    fi
    for file in "${files[@]}"; do
        [ -f "$file" ] || continue
        while IFS= read -r included; do
            case $included in
            grid/*/*) target=${included#grid/}; target=${target%%/*} ;;
            grid/*) target=top ;;
            cacheindex/*) target=cacheindex ;;
            platform/qt/*) target=qt ;;
            platform/*) continue ;;
            *) target=other ;;
            esac
            if [[ " $allowed " != *" $target "* ]]; then
                echo "$file includes $included"
                status=1
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    done
done
[ $status -eq 0 ] && echo "grid layers: every include points downward"
exit $status
