#!/usr/bin/env bash
# Checks that two independent cache index readers, pasco and msiecfexport, accept the
# files our index writer makes: for every generated file each of them must list every
# URL and REDR record, with the same addresses that the writer put in.
#
# Usage: tools/check_peers.sh            (expects $VARNOK_BUILD/mkindex, default build/)
#        VARNOK_BUILD=build-debug tools/check_peers.sh
#        CHECK_PEERS_QUICK=1 tools/check_peers.sh   (skips the 40,000-record file)
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VARNOK_BUILD:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
mkindex=$build/mkindex

if [ ! -x "$mkindex" ]; then
    echo "check_peers: $mkindex not found; build the target mkindex first" >&2
    exit 2
fi

install_peers() {
    command -v pasco >/dev/null && command -v msiecfexport >/dev/null && return 0
    if [ "$(id -u)" != 0 ]; then
        echo "check_peers: pasco and msiecfexport are needed (apt-get install pasco libmsiecf-utils)" >&2
        return 1
    fi
    apt-get install -y pasco libmsiecf-utils >/dev/null 2>&1 ||
        { apt-get update >/dev/null 2>&1 && apt-get install -y pasco libmsiecf-utils >/dev/null 2>&1; }
    command -v pasco >/dev/null && command -v msiecfexport >/dev/null
}
install_peers || exit 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0

# "TYPE<TAB>address" lines of pasco's listing, sorted.
pasco_list() {
    pasco "$1" | awk -F'\t' '$1 == "URL" || $1 == "REDR" { print $1 "\t" $2 }' | LC_ALL=C sort
}

# The same from msiecfexport's report (a "Record type" line, later its "Location").
msiecf_list() {
    msiecfexport "$1" 2>/dev/null |
        awk -F'\t+: ' '/^Record type/ { type = $2 } /^Location/ { print type "\t" $2 }' | LC_ALL=C sort
}

count_of() { grep -c "^$1	" "$2"; }

# check NAME COMPARE MKINDEX-ARGUMENTS...: COMPARE is "addresses" (exact lists) or
# "counts" (per record kind only: files with redirects whose address starts at 24, which
# both peers read from 16 and so show empty).
check() {
    local name=$1 compare=$2
    shift 2
    local file=$work/$name.dat expected=$work/$name.expected
    if ! "$mkindex" "$@" --list "$expected.raw" "$file" >/dev/null; then
        echo "FAIL $name: mkindex $*"
        failed=$((failed + 1))
        return
    fi
    LC_ALL=C sort "$expected.raw" >"$expected"
    local peer listing ok summary
    for peer in pasco msiecf; do
        listing=$work/$name.$peer
        "${peer}_list" "$file" >"$listing"
        if [ "$compare" = addresses ]; then
            cmp -s "$expected" "$listing" && ok=1 || ok=0
        else
            [ "$(count_of URL "$expected")" = "$(count_of URL "$listing")" ] &&
                [ "$(count_of REDR "$expected")" = "$(count_of REDR "$listing")" ] && ok=1 || ok=0
        fi
        summary="$(count_of URL "$listing") URL + $(count_of REDR "$listing") REDR of $(count_of URL "$expected") + $(count_of REDR "$expected")"
        if [ $ok = 1 ]; then
            echo "ok   $name, $peer: $summary"
            passed=$((passed + 1))
        else
            echo "FAIL $name, $peer: $summary"
            diff "$expected" "$listing" | head -5
            failed=$((failed + 1))
        fi
    done
}

check sample addresses --sample
check one-table addresses --records 120 --seed 2 --tables 1
check realistic addresses --records 3000 --seed 3
check long-tables addresses --records 2500 --seed 4 --tables 2
check variants counts --records 1500 --seed 5 --tables 4 --variants
if [ -z "${CHECK_PEERS_QUICK:-}" ]; then
    check benchmark addresses --records 40000 --seed 1 --tables 9
fi

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
