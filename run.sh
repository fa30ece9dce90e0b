#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer on the shipped demo countdown, or on
# the package given, which is taken against the folder the user started it from.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
(
  cd "$here"
  ./scripts/install-deps.sh
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$(nproc)"
)
if [ $# -eq 0 ]; then set -- "$here/build/bin/Templates/Demo.MVL"; fi
exec "$here/build/bin/vantrel-viewer" "$@"
