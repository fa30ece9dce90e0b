#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer on the shipped demo countdown.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ $# -eq 0 ]; then set -- "$PWD/build/bin/Templates/Demo.MVL"; fi
exec ./build/bin/vantrel-viewer "$@"
