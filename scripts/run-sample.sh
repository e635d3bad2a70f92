#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on the bundled sample cache folder.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
exec build/varnok5 "/cache:$PWD/samples/cache" /stext -
