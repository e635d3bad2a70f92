#!/usr/bin/env bash
# Checks what users get: the tree `cmake --install` makes (the program runs from it, the
# launcher, MIME type, man page, icon and user guide pass their validators) and the Debian
# package (built once, passed by lintian without an error, installed with apt, used,
# purged, and nothing of it left behind).
# Takes the build folder to check (default: build), configured and built already.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
sample="$PWD/samples/cache"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The exports read the settings file; an empty folder keeps the user's own out of it.
export XDG_CONFIG_HOME="$work/config"

fail() {
    echo "check-install: $*" >&2
    exit 1
}

# Fails unless the command prints nothing at all, on either stream.
quiet() {
    local said
    said=$("$@" 2>&1) || fail "$* failed: $said"
    [ -z "$said" ] || fail "$* complained: $said"
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

# The list of the sample as the freshly built program writes it, to compare with.
"$build/varnok5" "/cache:$sample" /stext "$work/expected.txt" >/dev/null

check_export() { # PROGRAM: the sample's list, byte for byte, and the line count
    local program=$1 out
    out=$("$program" "/cache:$sample" /stext "$work/listed.txt")
    [ "$out" = "38 lines listed" ] || fail "$program: export said '$out'"
    cmp -s "$work/expected.txt" "$work/listed.txt" || fail "$program: export differs from the build's"
    rm "$work/listed.txt"
}

echo "== Installed tree"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
expected_files="./bin/varnok5
./libexec/varnok5/varnok5-gui.so
./share/applications/varnok5.desktop
./share/doc/varnok5/changelog.gz
./share/doc/varnok5/copyright
./share/doc/varnok5/varnok5-guide.html
./share/icons/hicolor/scalable/apps/varnok5.svg
./share/man/man1/varnok5.1.gz
./share/mime/packages/varnok5.xml"
installed_files=$(cd "$prefix" && find . -type f | LC_ALL=C sort)
[ "$installed_files" = "$expected_files" ] || fail "installed files differ:"$'\n'"$installed_files"

"$prefix/bin/varnok5" --help | grep -q '^Usage: varnok5' || fail "--help prints no usage"
[ "$("$prefix/bin/varnok5" --version)" = "varnok5 (Varnok 5) $version" ] || fail "--version is wrong"
check_export "$prefix/bin/varnok5"
[ ! -e "$XDG_CONFIG_HOME/Varnok5.ini" ] || fail "an export wrote the settings file"

desktop="$prefix/share/applications/varnok5.desktop"
quiet desktop-file-validate "$desktop"
mime_type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
grep -qx 'Exec=varnok5 %f' "$desktop" || fail "the launcher does not pass the chosen file"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon"

mime_file="$prefix/share/mime/packages/varnok5.xml"
quiet xmllint --noout "$mime_file"
grep -q "<mime-type type=\"$mime_type\">" "$mime_file" || fail "the launcher's MimeType is not $mime_type"
# What a file manager concludes with only this type known: by name, and by content alone.
only_this_tree=(env XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$prefix/share")
quiet "${only_this_tree[@]}" update-mime-database "$prefix/share/mime"
cp "$sample/Content.IE5/index.dat" "$work/evidence-copy"
for file in "$sample/Content.IE5/index.dat" "$work/evidence-copy"; do
    type=$("${only_this_tree[@]}" gio info -a standard::content-type "$file" |
        sed -n 's/^ *standard::content-type: //p')
    [ "$type" = "$mime_type" ] || fail "$file is typed '$type', not $mime_type"
done

warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/varnok5.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the man page renders with warnings: $warnings"
MANWIDTH=80 man -l "$prefix/share/man/man1/varnok5.1.gz" 2>/dev/null | grep -q '/spdf OUTFILE' ||
    fail "the man page lacks the batch forms"

quiet xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$icon.svg"
rsvg-convert -w 48 -h 48 "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" -o "$work/icon.png" ||
    fail "the icon does not render"

guide="$prefix/share/doc/varnok5/varnok5-guide.html"
quiet xmllint --noout "$guide"
if grep -nEi '<script|<link|<img|<iframe|<object|src=|url\(|@import|href="[a-z]+:' "$guide"; then
    fail "the user guide is not self-contained"
fi
echo "installed tree: files, --help, --version, export, launcher, MIME type, man page, icon, guide: ok"

echo "== Debian package"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$work/cpack.log")"
debs=("$work"/deb/varnok5_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single varnok5 package"
deb=${debs[0]}
depends=$(dpkg-deb -f "$deb" Depends)
echo "package $(basename "$deb"), Depends: $depends"
[[ $depends == *libqt6widgets6* ]] || fail "the dependencies were not read from the program"
# Debian's own verdict on the package: an error fails the check, warnings are shown.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh installs it)"
lintian_status=0
lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>"$work/lintian.err" || lintian_status=$?
grep -E '^[EWIN]: ' "$work/lintian.log" | sed 's/^/lintian: /' || true
grep -q '^E: ' "$work/lintian.log" && fail "lintian finds errors in the package"
# Without an error to report, a failing lintian did not check the package at all.
[ $lintian_status -eq 0 ] || fail "lintian failed: $(grep -v 'root privileges' "$work/lintian.err" | head -5)"
echo "lintian: no errors, $(grep -c '^W: ' "$work/lintian.log" || true) warnings"
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm config; do
    [ ! -e "$work/control/$script" ] || fail "the package carries a $script script"
done

# Two checks at once on one machine would install and purge under each other's feet.
exec 9>/tmp/varnok5-package-check.lock
flock 9
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get -o DPkg::Lock::Timeout=600 install -y -q "$deb" >"$work/apt.log" 2>&1 ||
    fail "apt could not install the package: $(tail -5 "$work/apt.log")"
dpkg -L varnok5 >"$work/owned"
check_export /usr/bin/varnok5
[ "$(/usr/bin/varnok5 --version)" = "varnok5 (Varnok 5) $version" ] || fail "installed --version"
# The triggers the system already has register the launcher and the type.
if [ -f /usr/share/applications/mimeinfo.cache ]; then
    grep -q "^$mime_type=.*varnok5.desktop" /usr/share/applications/mimeinfo.cache ||
        fail "the desktop database does not offer varnok5 for $mime_type"
fi
if command -v update-mime-database >/dev/null; then
    [ -f "/usr/share/mime/$mime_type.xml" ] || fail "the MIME database lacks $mime_type"
fi

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get -o DPkg::Lock::Timeout=600 remove --purge -y -q varnok5 >"$work/apt.log" 2>&1 ||
    fail "apt could not remove the package: $(tail -5 "$work/apt.log")"
status=$(dpkg-query -W -f='${Status}' varnok5 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = "unknown ok not-installed" ] || fail "package state after purge: $status"
left=0
while IFS= read -r path; do
    [ "$path" = "/." ] && continue
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        # A folder stays only for another package's sake or for files of others.
        if dpkg -S "$path" >/dev/null 2>&1 || [ -n "$(ls -A "$path")" ]; then
            continue
        fi
    elif [ ! -e "$path" ] && [ ! -L "$path" ]; then
        continue
    fi
    echo "left behind: $path" >&2
    left=1
done <"$work/owned"
[ $left -eq 0 ] || fail "the purge left files behind"
if [ -f /usr/share/applications/mimeinfo.cache ] && grep -q varnok5 /usr/share/applications/mimeinfo.cache; then
    fail "the desktop database still names varnok5.desktop"
fi
[ ! -e "/usr/share/mime/$mime_type.xml" ] || fail "the MIME database still holds $mime_type"
echo "package: built, installed with apt, export ok, purged; $(grep -vc '^/\.$' "$work/owned") paths gone or shared"
