#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the tools need, skipping the
# ones already there. Runs apt-get as root directly, otherwise through sudo.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format-14
    fonts-dejavu-core
    xvfb xauth imagemagick poppler-utils xdotool openbox
    desktop-file-utils libxml2-utils man-db dpkg-dev shared-mime-info libglib2.0-bin librsvg2-bin
    lintian
    # Other readers of index files and timelines, used only to check our exports.
    python3-libmsiecf libmsiecf-utils sleuthkit
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    apt_get=(apt-get)
else
    apt_get=(sudo apt-get)
fi
export DEBIAN_FRONTEND=noninteractive
# Other users of the machine may hold the package lock for a while.
apt_get+=(-o DPkg::Lock::Timeout=600)
"${apt_get[@]}" update
"${apt_get[@]}" install -y --no-install-recommends "${missing[@]}"
