#!/usr/bin/env bash
# Checks that every C++ file of the repository is named in the source list of a
# CMakeLists.txt in its folder or a folder above it (the lists are written out, not
# gathered by pattern, so a new file must be added to one); lists the files that are not.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
while IFS= read -r -d '' file; do
    folder=$(dirname "$file")
    listed=0
    while :; do
        relative=${file#"$folder"/}
        [ "$folder" = . ] && relative=$file
        if [ -f "$folder/CMakeLists.txt" ] &&
            grep -qE "(^|[[:space:]/(])$(printf '%s' "$relative" | sed 's/[.[\*^$]/\\&/g')([[:space:])]|$)" \
                "$folder/CMakeLists.txt"; then
            listed=1
            break
        fi
        [ "$folder" = . ] && break
        folder=$(dirname "$folder")
    done
    if [ $listed -eq 0 ]; then
        echo "not in any source list: $file"
        status=1
    fi
done < <(git ls-files -z '*.cpp' '*.h')
[ $status -eq 0 ] && echo "source lists: every C++ file is listed"
exit $status
