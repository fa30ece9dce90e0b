#!/usr/bin/env bash
# scripts/install-deps.sh on machines where it cannot install: each case runs it with a PATH of
# stand-in commands (no real package is touched) and checks its status, what it says, and what
# it asked apt-get for.
# Usage: install-deps.sh <path of scripts/install-deps.sh>
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# A bin folder with the plain tools the script needs and stand-ins written by the case.
# Stand-ins: id prints $STUB_UID; dpkg-query says "installed" for the packages in $STUB_INSTALLED
# (all when it is "all"); apt-get records its arguments; locale -a lists $STUB_LOCALES; clang
# prints $STUB_CLANG.
make_bin() {
  bin=$work/bin.$1
  mkdir -p "$bin"
  for tool in bash env grep sed head cat; do ln -sf "$(command -v "$tool")" "$bin/$tool"; done
  printf '#!/bin/sh\necho "$STUB_UID"\n' >"$bin/id"
  printf '#!/bin/sh\nprintf "%%s\\n" "$STUB_LOCALES"\n' >"$bin/locale"
  printf '#!/bin/sh\nexit 1\n' >"$bin/localedef"
  printf '#!/bin/sh\necho "clang version $STUB_CLANG"\n' >"$bin/clang"
  printf '#!/bin/sh\necho "$*" >>"%s/apt.log"\n' "$work" >"$bin/apt-get"
  cat >"$bin/dpkg-query" <<'STUB'
#!/bin/sh
for p; do last=$p; done
case " $STUB_INSTALLED " in *" all "*|*" $last "*) printf 'install ok installed' ;; esac
STUB
  chmod +x "$bin"/*
  echo "$bin"
}

# run_case <name> <expected status> <regex the messages must match> <regex apt.log must match, or "none">
run_case() {
  rm -f "$work/apt.log"
  local status=0
  PATH=$bin "$bin/bash" "$script" >"$work/out" 2>&1 || status=$?
  local apt
  apt=$(cat "$work/apt.log" 2>/dev/null || true)
  if [ "$status" -ne "$2" ] || ! grep -Eq "$3" "$work/out" \
      || { [ "$4" = none ] && [ -n "$apt" ]; } || { [ "$4" != none ] && ! grep -Eq "$4" <<<"$apt"; }; then
    echo "FAILED: $1 (status $status, apt-get: ${apt:-not called})" >&2
    sed 's/^/  | /' "$work/out" >&2
    failed=1
  else
    echo "ok: $1"
  fi
}

export STUB_UID=1000 STUB_LOCALES="C.utf8" STUB_CLANG=14.0.6 STUB_INSTALLED=all

bin=$(make_bin no-dpkg)
rm "$bin/dpkg-query"
run_case "not Debian: names the packages, installs nothing" 0 "not a Debian system.*" none

bin=$(make_bin no-sudo)
STUB_INSTALLED="" run_case "no root, no sudo: names the missing and the command" 0 \
  "missing: .*qt6-base-dev.*" none
grep -q "apt-get install .*xdotool" "$work/out" || { echo "FAILED: no install command named" >&2; failed=1; }
run_case "no root, no sudo, all there, no German locale: no failure" 0 \
  "locale de_DE.UTF-8 is not installed" none

STUB_UID=0 STUB_CLANG=16.0.6 STUB_LOCALES=de_DE.utf8 STUB_INSTALLED="cmake ninja-build g++ clang qt6-base-dev \
qt6-multimedia-dev gstreamer1.0-plugins-good libqt6multimedia6 fonts-liberation2 libgtest-dev libgmock-dev \
libbenchmark-dev libx11-dev libxcb1-dev xvfb xauth xdotool x11-utils openbox imagemagick desktop-file-utils \
shared-mime-info libxml2-utils attr locales libclang-rt-14-dev" \
  run_case "the compiler runtime follows the installed clang" 0 "Installing: libclang-rt-16-dev" \
  "install .*libclang-rt-16-dev"

exit "$failed"
