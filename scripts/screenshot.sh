#!/usr/bin/env bash
# Makes docs/screenshot.png: the window on the bundled sample cache folder as a newcomer
# sees it, on a virtual display with a window manager, so the README's picture can be
# refreshed whenever the window changes. Installs what is missing and builds first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh >/dev/null

output="$PWD/docs/screenshot.png"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A first run: no settings file, so the welcome box comes first and the columns follow the
# window's first-run layout.
cat >"$work/shoot.sh" <<'SHOOT'
set -euo pipefail
find_window() { timeout 20 xdotool search --sync --limit 1 --onlyvisible --name "$1"; }
openbox --sm-disable &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
# Windows mapped before the window manager runs may stay unframed or hidden.
for attempt in $(seq 100); do
    xdotool get_desktop >/dev/null 2>&1 && break
    sleep 0.2
done
build/varnok5 /cache:samples/cache &
program=$!
trap 'kill "$program" "$wm" 2>/dev/null || true' EXIT
welcome=$(find_window '^Information')
sleep 1
xdotool windowfocus --sync "$welcome" key Return
window=$(find_window '^Varnok 5$')
# Let the window manager frame it and the grid finish its first paint, then close the
# one-shot hint below the path box so that it hides no row.
sleep 2
xdotool key Escape
sleep 1
import -window "$window" -frame -strip -define png:exclude-chunks=date,time "$1"
SHOOT

XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 860x640x24" bash "$work/shoot.sh" "$output"
echo "wrote $output"
