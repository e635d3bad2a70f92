#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on the bundled sample cache folder.
# Without a display (a bare terminal or SSH session) the list is printed as text instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh

sample="$PWD/samples/cache"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
    exec build/varnok5 "/cache:$sample"
fi
echo "No display found: printing the sample's list instead of opening the window." >&2
exec build/varnok5 "/cache:$sample" /stext -
