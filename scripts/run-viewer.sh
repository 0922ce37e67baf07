#!/usr/bin/env bash
# Builds the viewer and starts it on the bundled sample record file.
# Extra arguments are passed to the viewer instead of the sample.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
sample=build/samples/demo.bin
if [ -x build/src/app/orvik50 ]; then
  if [ $# -gt 0 ]; then exec build/src/app/orvik50 "$@"; fi
  exec build/src/app/orvik50 "$sample"
fi
# Without the viewer, show what the sample holds as tab-separated text.
build/tools/orvik50-export --type txt "$sample" /dev/stdout
