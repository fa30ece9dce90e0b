#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the real-window checks need, and makes
# the German locale (decimal comma) that the second test run uses.
# Does nothing when every package and the locale are already present. Where it cannot install
# (not Debian, or neither root nor sudo) it names what is missing and the command that would
# install it, and leaves the rest to CMake's configure: it fails only when an install it tried
# failed.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang
  qt6-base-dev qt6-multimedia-dev gstreamer1.0-plugins-good libqt6multimedia6
  # The countdowns name Arial: Liberation Sans has its metrics, so the texts fit their boxes as
  # the packages were laid out, and a TrueType face loads faster than the Type 1 fallback.
  fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libxcb1-dev
  xvfb xauth xdotool x11-utils openbox imagemagick desktop-file-utils shared-mime-info libxml2-utils
  attr locales
)
decimal_comma_locale=de_DE.UTF-8

say() { echo "install-deps: $*" >&2; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
has_locale() { locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; }

# The fuzzers' and sanitizers' runtime has the version of the clang that is installed.
clang_runtime() {
  local major
  major=$(clang --version 2>/dev/null | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
  [ -n "$major" ] && echo "libclang-rt-$major-dev"
}

if ! command -v dpkg-query >/dev/null; then
  say "this is not a Debian system, so nothing was checked or installed."
  say "Install your system's packages of what the README's Dependencies table lists; CMake's"
  say "configure names what it cannot find. The Debian names are: ${packages[*]} libclang-rt-<clang version>-dev"
  exit 0
fi

SUDO=()
can_install=yes
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then SUDO=(sudo); else can_install=; fi
fi

missing_of() {
  local p
  for p in "$@"; do installed "$p" || echo "$p"; done
}

# Installs the packages given, or names them with the command when it cannot.
install_packages() {
  [ $# -eq 0 ] && return 0
  if [ -z "$can_install" ]; then
    say "missing: $*"
    say "neither root nor sudo is here to install them; as root, run: apt-get install $*"
    return 0
  fi
  say "Installing: $*"
  export DEBIAN_FRONTEND=noninteractive
  if ! { "${SUDO[@]}" apt-get update -qq && "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }; then
    say "the install failed; the missing packages are: $*"
    say "to install them, run as root: apt-get install $*"
    exit 1
  fi
}

mapfile -t missing < <(missing_of "${packages[@]}")
install_packages "${missing[@]}"
runtime=$(clang_runtime || true)
if [ -n "$runtime" ]; then
  mapfile -t missing < <(missing_of "$runtime")
  install_packages "${missing[@]}"
fi

# Only the decimal-comma test run needs the locale (test.sh says so when it is missing), and the
# tests that switch to it compile it themselves: a locale that cannot be made is no failure here.
if ! has_locale; then
  if [ -n "$can_install" ] && "${SUDO[@]}" localedef -c -i de_DE -f UTF-8 "$decimal_comma_locale" 2>/dev/null; then
    say "made the locale $decimal_comma_locale"
  fi
  has_locale || say "the locale $decimal_comma_locale is not installed (needed only for LC_ALL=$decimal_comma_locale ./test.sh)"
fi
exit 0
