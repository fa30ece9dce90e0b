#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the real-window checks need, and makes
# the German locale (decimal comma) that the second test run uses.
# Does nothing when every package and the locale are already present.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-multimedia-dev gstreamer1.0-plugins-good libqt6multimedia6
  # The countdowns name Arial: Liberation Sans has its metrics, so the texts fit their boxes as
  # the packages were laid out, and a TrueType face loads faster than the Type 1 fallback.
  fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libxcb1-dev
  xvfb xauth xdotool x11-utils openbox imagemagick desktop-file-utils shared-mime-info libxml2-utils
  attr locales
)
decimal_comma_locale=de_DE.UTF-8
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
has_locale() { locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; }
[ ${#missing[@]} -eq 0 ] && has_locale && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! has_locale; then
  echo "Making the locale $decimal_comma_locale" >&2
  # -c: the locale is written even when localedef warns about its source.
  $SUDO localedef -c -i de_DE -f UTF-8 "$decimal_comma_locale" || true
  has_locale || { echo "install-deps: the locale $decimal_comma_locale could not be made" >&2; exit 1; }
fi
