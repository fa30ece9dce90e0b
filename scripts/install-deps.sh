#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the real-window checks need.
# Does nothing when every package is already present.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-multimedia-dev gstreamer1.0-plugins-good libqt6multimedia6
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick desktop-file-utils attr
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
